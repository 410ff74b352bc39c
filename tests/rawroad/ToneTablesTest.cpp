// Software gamma, contrast and brightness tables: their arithmetic, clamping
// and the order in which the raw road applies them.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "geometry/ZOQDevice_LaneWidth.h"
#include "rawroad/ZOQDevice_Image_Tone.h"

namespace {

std::vector<unsigned char> AllSamples() {
    std::vector<unsigned char> samples(256);
    for (int i = 0; i < 256; ++i) samples[i] = static_cast<unsigned char>(i);
    return samples;
}

TEST(ToneTables, ContrastScalesAroundTheMiddleAndClampsAtBothEnds) {
    ZoqToneTables tone;
    tone.SetContrast(127);  // k = 255: d = (i - 128) * 255 / 128
    const unsigned char* t = tone.ContrastTable();
    EXPECT_EQ(t[128], 128);
    EXPECT_EQ(t[129], 129);  // 255 / 128 = 1
    EXPECT_EQ(t[127], 127);  // -255 / 128 truncates to -1
    EXPECT_EQ(t[64], 1);     // d = -127.5 truncates to -127
    EXPECT_EQ(t[63], 0);     // d = -129.5 -> -129, below -128: 0
    EXPECT_EQ(t[192], 255);  // 128 + 127 = 255
    EXPECT_EQ(t[193], 255);  // above 255: 255
    tone.SetContrast(-64);   // k = 64: half the distance to 128
    EXPECT_EQ(t[0], 64);
    EXPECT_EQ(t[255], 191);  // 127 * 64 / 128 = 63
    EXPECT_EQ(t[1], 65);     // -127 * 64 / 128 = -63.5 -> -63
}

TEST(ToneTables, ContrastOfMinus128MakesEverySampleMidGray) {
    ZoqToneTables tone;
    tone.SetContrast(-128);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(tone.ContrastTable()[i], 128) << i;
}

TEST(ToneTables, LevelsAreClampedAndARepeatedValueChangesNothing) {
    ZoqToneTables tone;
    tone.SetContrast(500);
    EXPECT_EQ(tone.Contrast(), 127);
    tone.SetBrightness(-1000);
    EXPECT_EQ(tone.Brightness(), -128);
    tone.SetGamma(12);
    EXPECT_EQ(tone.Gamma(), 9);
    tone.SetGamma(-40);
    EXPECT_EQ(tone.Gamma(), -9);
}

TEST(ToneTables, BrightnessIsAGain) {
    ZoqToneTables tone;
    tone.SetBrightness(127);
    const unsigned char* t = tone.BrightnessTable();
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[1], 1);  // 255 / 128
    EXPECT_EQ(t[2], 3);  // 510 / 128
    EXPECT_EQ(t[128], 255);
    EXPECT_EQ(t[255], 255);
    tone.SetBrightness(-64);  // half
    EXPECT_EQ(t[255], 127);
    EXPECT_EQ(t[3], 1);
}

TEST(ToneTables, GammaFollowsTheExponentTableInSinglePrecision) {
    // Entry = trunc(float(pow(double((i + 0.5f) / 256), exponent)) * 256 - 0.5).
    struct Case {
        int gamma;
        int index[8];
        int entry[8];
    };
    const Case cases[] = {
        {9, {0, 1, 16, 64, 128, 200, 254, 255}, {136, 152, 194, 222, 238, 249, 255, 255}},
        {-9, {0, 1, 16, 64, 128, 200, 254, 255}, {0, 0, 0, 18, 68, 160, 252, 254}},
        {3, {0, 1, 16, 64, 128, 200, 254, 255}, {2, 6, 37, 97, 157, 215, 254, 255}},
        {-4, {0, 1, 16, 64, 128, 200, 254, 255}, {0, 0, 5, 36, 97, 181, 253, 254}},
    };
    ZoqToneTables tone;
    for (const Case& c : cases) {
        tone.SetGamma(c.gamma);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(tone.GammaTable()[c.index[k]], c.entry[k])
                << "gamma " << c.gamma << " entry " << c.index[k];
    }
}

TEST(ToneTables, GammaComparesTheUnclampedValue) {
    ZoqToneTables tone;
    tone.SetGamma(9);
    std::vector<unsigned char> first(tone.GammaTable(), tone.GammaTable() + 256);
    tone.SetGamma(12);  // a new value: rebuilt, for 9 again
    EXPECT_EQ(tone.Gamma(), 9);
    EXPECT_EQ(std::vector<unsigned char>(tone.GammaTable(), tone.GammaTable() + 256), first);
}

TEST(ToneTables, NothingIsAppliedWhileEveryValueIsZero) {
    ZoqToneTables tone;
    std::vector<unsigned char> samples = AllSamples();
    tone.Apply(samples.data(), samples.size());
    EXPECT_EQ(samples, AllSamples());
    tone.SetGamma(4);
    tone.SetGamma(0);  // back to 0: not applied at all
    tone.Apply(samples.data(), samples.size());
    EXPECT_EQ(samples, AllSamples());
}

TEST(ToneTables, BrightnessMinus128TurnsEverySampleBlack) {
    ZoqToneTables tone;
    tone.SetBrightness(-128);
    std::vector<unsigned char> samples = AllSamples();
    tone.Apply(samples.data(), samples.size());
    EXPECT_EQ(samples, std::vector<unsigned char>(256, 0));
}

TEST(ToneTables, GammaThenContrastThenBrightness) {
    ZoqToneTables tone;
    tone.SetGamma(5);
    tone.SetContrast(40);
    tone.SetBrightness(-30);
    std::vector<unsigned char> samples = AllSamples();
    tone.Apply(samples.data(), samples.size());
    for (int s = 0; s < 256; ++s)
        EXPECT_EQ(samples[s], tone.BrightnessTable()[tone.ContrastTable()[tone.GammaTable()[s]]])
            << s;
    // A table set back to 0 drops out of the chain.
    tone.SetContrast(0);
    samples = AllSamples();
    tone.Apply(samples.data(), samples.size());
    for (int s = 0; s < 256; ++s)
        EXPECT_EQ(samples[s], tone.BrightnessTable()[tone.GammaTable()[s]]) << s;
}

// Runs of every length around the 8-sample steps and the 4096-sample lines
// the work is cut into, and a frame large enough for several threads,
// against the three tables looked up one sample at a time.
TEST(ToneTables, EveryRunLengthGetsTheThreeLookUps) {
    ZoqToneTables tone;
    tone.SetGamma(3);
    tone.SetContrast(20);
    tone.SetBrightness(-10);
    std::mt19937 random(3);
    // With and without the 64-sample steps of AVX-512, where the processor
    // has them.
    for (ZoqLaneWidth lanes : {ZoqLaneWidth::kAvx2, ZoqLaneWidth::kWidest})
        for (size_t count :
             {size_t(1), size_t(7), size_t(8), size_t(9), size_t(63), size_t(64), size_t(65),
              size_t(129), size_t(4095), size_t(4096), size_t(4097), size_t(2592) * 1944 + 5}) {
            ZoqSetLaneWidth(lanes);
            std::vector<unsigned char> data(count + 1);
            for (auto& v : data) v = static_cast<unsigned char>(random());
            std::vector<unsigned char> expected = data;
            for (size_t i = 0; i < count; ++i)
                expected[i] =
                    tone.BrightnessTable()[tone.ContrastTable()[tone.GammaTable()[expected[i]]]];
            tone.Apply(data.data(), count);
            ZoqSetLaneWidth(ZoqLaneWidth::kWidest);
            ASSERT_EQ(data, expected) << count;  // the byte after the run stays
        }
}

}  // namespace
