// Flat-field correction data: averaging captures into frames, the gain
// table, the correction itself and loading correction files.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "TempFile.h"
#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"
#include "zoq_errors.h"

namespace {

using rawroadtest::Le32;
using rawroadtest::LeFloat;
using rawroadtest::TempFile;

ZOQ_FOV_INFO Fov(int width, int height) {
    ZOQ_FOV_INFO fov{};
    fov.columnStart = 16;
    fov.rowStart = 8;
    fov.columnSize = width;
    fov.rowSize = height;
    fov.multiFrameNum = 1;
    ZoqFovGeometry(&fov, false);
    return fov;
}

// Frames of four bytes: dark 10 everywhere, flat as given.
void MakeFrames(ZoqFlatField* ff, std::vector<uint32_t> flatSums, int count) {
    ff->fov = Fov(2, 2);
    std::vector<uint32_t> darkSums(4, 10u * static_cast<uint32_t>(count));
    ASSERT_TRUE(ff->NewFrame(ZoqFlatField::kDark));
    ff->SetFrameFromSums(ZoqFlatField::kDark, darkSums.data(), count);
    ASSERT_TRUE(ff->NewFrame(ZoqFlatField::kFlat));
    ff->SetFrameFromSums(ZoqFlatField::kFlat, flatSums.data(), count);
}

// A flat-field file: the record, the dark bytes and the gains as given.
std::vector<unsigned char> FlatFieldFile(const ZOQ_FOV_INFO& fov,
                                         const std::vector<unsigned char>& dark,
                                         const std::vector<float>& gains) {
    std::vector<unsigned char> file;
    const int fields[11] = {
        fov.columnStart,    fov.columnSize,    fov.rowStart, fov.rowSize, fov.columnAddressMode,
        fov.rowAddressMode, fov.multiFrameNum, fov.width,    fov.height,  fov.pixelCount,
        fov.byteCount};
    for (int v : fields) Le32(file, static_cast<uint32_t>(v));
    file.insert(file.end(), dark.begin(), dark.end());
    for (float g : gains) LeFloat(file, g);
    return file;
}

std::vector<unsigned char> FlatFieldFile(const ZOQ_FOV_INFO& fov, unsigned char dark, float gain,
                                         size_t darkBytes, size_t gains) {
    return FlatFieldFile(fov, std::vector<unsigned char>(darkBytes, dark),
                         std::vector<float>(gains, gain));
}

TEST(FlatField, GeometryFollowsTheAddressModesAndFrameCount) {
    ZOQ_FOV_INFO fov{};
    fov.columnSize = 640;
    fov.rowSize = 480;
    fov.columnAddressMode = ZOQ_ADDRESSMODE_STEP8;
    fov.rowAddressMode = ZOQ_ADDRESSMODE_STEP3;
    fov.multiFrameNum = 2;
    ZoqFovGeometry(&fov, true);
    EXPECT_EQ(fov.width, 80);
    EXPECT_EQ(fov.height, 320);
    EXPECT_EQ(fov.pixelCount, 80 * 320);
    EXPECT_EQ(fov.byteCount, 2 * 80 * 320);
}

TEST(FlatField, FramesAreRoundedAveragesOfTheCaptures) {
    ZoqFlatField ff;
    ff.fov = Fov(2, 2);
    ASSERT_TRUE(ff.NewFrame(ZoqFlatField::kDark));
    const uint32_t sums[4] = {0, 5, 6, 255 * 3};  // three captures
    ff.SetFrameFromSums(ZoqFlatField::kDark, sums, 3);
    const unsigned char* dark = ff.Frame(ZoqFlatField::kDark);
    EXPECT_EQ(dark[0], 0);
    EXPECT_EQ(dark[1], 2);  // 1.67 + 0.5
    EXPECT_EQ(dark[2], 2);  // 2.0 + 0.5
    EXPECT_EQ(dark[3], 255);
}

TEST(FlatField, TheGainBringsEveryPixelToTheMeanDifference) {
    ZoqFlatField ff;
    MakeFrames(&ff, {110, 60, 10, 210}, 1);  // differences 100, 50, 0, 200
    EXPECT_EQ(ff.MakeGain(), RC_SUCCESS);
    const float* gain = ff.Gain();
    EXPECT_FLOAT_EQ(gain[0], 0.875f);  // mean 87.5 over 100
    EXPECT_FLOAT_EQ(gain[1], 1.75f);
    EXPECT_FLOAT_EQ(gain[2], 1.0f);  // flat not brighter than dark
    EXPECT_FLOAT_EQ(gain[3], 0.4375f);
}

// A 5-megapixel frame: the mean difference over millions of bytes is
// exact, so even frames give gains of exactly 1 and two levels meet in the
// middle.
TEST(FlatField, TheMeanOfALargeFrameIsExact) {
    const int width = 2592, height = 1944;
    const size_t n = size_t(width) * height;
    struct Case {
        uint32_t dark, flatEven, flatOdd;
        float gainEven, gainOdd;
    };
    for (const Case c : {Case{10, 160, 160, 1.0f, 1.0f}, Case{0, 60, 60, 1.0f, 1.0f},
                         Case{20, 120, 220, 1.5f, 0.75f}}) {
        ZoqFlatField ff;
        ff.fov = Fov(width, height);
        std::vector<uint32_t> dark(n, c.dark), flat(n);
        for (size_t i = 0; i < n; ++i) flat[i] = i % 2 == 0 ? c.flatEven : c.flatOdd;
        ASSERT_TRUE(ff.NewFrame(ZoqFlatField::kDark));
        ff.SetFrameFromSums(ZoqFlatField::kDark, dark.data(), 1);
        ASSERT_TRUE(ff.NewFrame(ZoqFlatField::kFlat));
        ff.SetFrameFromSums(ZoqFlatField::kFlat, flat.data(), 1);
        ASSERT_EQ(ff.MakeGain(), RC_SUCCESS);
        const float* gain = ff.Gain();
        EXPECT_EQ(gain[0], c.gainEven) << c.flatEven - c.dark;
        EXPECT_EQ(gain[1], c.gainOdd) << c.flatOdd - c.dark;
        EXPECT_EQ(gain[n - 2], c.gainEven);
        EXPECT_EQ(gain[n - 1], c.gainOdd);
    }
}

TEST(FlatField, CorrectionSubtractsTheDarkFrameAndClamps) {
    ZoqFlatField ff;
    MakeFrames(&ff, {110, 60, 10, 210}, 1);
    ASSERT_EQ(ff.MakeGain(), RC_SUCCESS);
    unsigned char samples[4] = {60, 5, 255, 210};
    ASSERT_TRUE(ff.Apply(samples, 4));
    EXPECT_EQ(samples[0], 44);   // 50 x 0.875 + 0.5 = 44.25
    EXPECT_EQ(samples[1], 0);    // darker than the dark frame
    EXPECT_EQ(samples[2], 245);  // 245 x 1.0 + 0.5
    EXPECT_EQ(samples[3], 88);   // 200 x 0.4375 + 0.5 = 88
    unsigned char bright[4] = {255, 255, 255, 255};
    ASSERT_TRUE(ff.Apply(bright, 4));
    EXPECT_EQ(bright[1], 255);  // 245 x 1.75
}

TEST(FlatField, EverySampleFollowsTheFormulaWhateverItsGain) {
    // 16-sample blocks and a tail, with gains a file could hold: huge,
    // negative, not a number.
    constexpr int kCount = 16 * 5 + 7;
    const float gains[] = {0.5f,
                           1.0f,
                           1.37f,
                           3.9f,
                           0.001f,
                           -2.0f,
                           1000.0f,
                           std::numeric_limits<float>::quiet_NaN(),
                           std::numeric_limits<float>::infinity(),
                           0.999999f,
                           255.0f};
    std::vector<unsigned char> dark(kCount);
    std::vector<float> gain(kCount);
    for (int i = 0; i < kCount; ++i) {
        dark[i] = static_cast<unsigned char>((i * 37) % 90);
        gain[i] = gains[i % 11];
    }
    const std::vector<unsigned char> file = FlatFieldFile(Fov(kCount, 1), dark, gain);
    TempFile data(file);
    ZoqFlatField ff;
    ASSERT_EQ(ff.Load(data.path()), RC_SUCCESS);
    for (int round = 0; round < 4; ++round) {
        std::vector<unsigned char> samples(kCount);
        for (int i = 0; i < kCount; ++i)
            samples[i] = static_cast<unsigned char>((i * 53 + round * 71) % 256);
        std::vector<unsigned char> expected(kCount);
        for (int i = 0; i < kCount; ++i) {
            const float v = static_cast<float>(samples[i] - dark[i]) * gain[i] + 0.5f;
            expected[i] = v > 255.0f ? 255 : (v >= 0.0f ? static_cast<unsigned char>(v) : 0);
        }
        ASSERT_TRUE(ff.Apply(samples.data(), kCount));
        EXPECT_EQ(samples, expected) << "round " << round;
    }
}

TEST(FlatField, NoGainWithoutBothFramesAndNoCorrectionWithoutTheGain) {
    ZoqFlatField ff;
    ff.fov = Fov(2, 2);
    EXPECT_EQ(ff.MakeGain(), RC_ILLEGAL_OPERATION);
    ASSERT_TRUE(ff.NewFrame(ZoqFlatField::kDark));
    EXPECT_EQ(ff.MakeGain(), RC_ILLEGAL_OPERATION);
    unsigned char samples[4] = {1, 2, 3, 4};
    EXPECT_FALSE(ff.Apply(samples, 4));
    EXPECT_EQ(samples[0], 1);
}

TEST(FlatField, FramesMadeForASmallerWindowAreNotStretched) {
    ZoqFlatField ff;
    MakeFrames(&ff, {110, 60, 10, 210}, 1);
    ASSERT_EQ(ff.MakeGain(), RC_SUCCESS);
    ff.fov = Fov(4, 4);  // the window changed after the frames were made
    std::vector<unsigned char> samples(16, 100);
    EXPECT_FALSE(ff.Apply(samples.data(), samples.size()));
    EXPECT_EQ(samples, std::vector<unsigned char>(16, 100));
}

TEST(FlatField, OnlyTheSameWindowAndImageSizeMatch) {
    ZoqFlatField ff;
    ff.fov = Fov(64, 32);
    ZOQ_FOV_INFO frame = Fov(64, 32);
    frame.columnAddressMode = ZOQ_ADDRESSMODE_STEP2;  // only the sizes it gives count
    EXPECT_TRUE(ff.Matches(frame));
    frame = Fov(64, 32);
    frame.columnStart += 2;
    EXPECT_FALSE(ff.Matches(frame));
    frame = Fov(64, 32);
    frame.height = 16;
    EXPECT_FALSE(ff.Matches(frame));
}

TEST(FlatField, LoadingReplacesGeometryDarkFrameAndGain) {
    const ZOQ_FOV_INFO fov = Fov(4, 2);
    TempFile file(FlatFieldFile(fov, 20, 2.0f, 8, 8));
    ZoqFlatField ff;
    ASSERT_EQ(ff.Load(file.path()), RC_SUCCESS);
    EXPECT_TRUE(ff.Matches(fov));
    EXPECT_EQ(ff.fov.multiFrameNum, 1);
    EXPECT_FALSE(ff.HasFrame(ZoqFlatField::kFlat));
    std::vector<unsigned char> samples(8, 70);
    ASSERT_TRUE(ff.Apply(samples.data(), samples.size()));
    EXPECT_EQ(samples, std::vector<unsigned char>(8, 100));  // (70 - 20) x 2
}

TEST(FlatField, RefusedFilesLeaveTheLoadedDataAlone) {
    const ZOQ_FOV_INFO fov = Fov(4, 2);
    TempFile good(FlatFieldFile(fov, 20, 2.0f, 8, 8));
    ZoqFlatField ff;
    ASSERT_EQ(ff.Load(good.path()), RC_SUCCESS);

    TempFile shortGains(FlatFieldFile(Fov(8, 2), 0, 1.0f, 16, 15));
    EXPECT_EQ(ff.Load(shortGains.path()), RC_FAIL);
    TempFile shortRecord(std::vector<unsigned char>(40, 0));
    EXPECT_EQ(ff.Load(shortRecord.path()), RC_FAIL);
    ZOQ_FOV_INFO lying = Fov(8, 2);
    lying.byteCount = 3 * lying.pixelCount;  // neither 8-bit nor 16-bit
    TempFile inconsistent(FlatFieldFile(lying, 0, 1.0f, 48, 48));
    EXPECT_EQ(ff.Load(inconsistent.path()), RC_FAIL);
    EXPECT_EQ(ff.Load("/nonexistent/zoq_flat_field"), RC_FAIL);
    EXPECT_EQ(ff.Load(nullptr), RC_PARAMETER_ERROR);

    EXPECT_TRUE(ff.Matches(fov));
    std::vector<unsigned char> samples(8, 70);
    ASSERT_TRUE(ff.Apply(samples.data(), samples.size()));
    EXPECT_EQ(samples, std::vector<unsigned char>(8, 100));
}

// Runs of every length around the 16-sample steps and the lines the work
// is cut into, with odd gains among them, against the formula one sample
// at a time; the sample after the run stays.
TEST(FlatField, EveryRunLengthFollowsTheFormula) {
    std::mt19937 random(23);
    const int width = 2592, height = 1945;
    ZoqFlatField ff;
    ff.fov = Fov(width, height);
    const size_t n = size_t(width) * height;
    std::vector<uint32_t> dark(n), flat(n);
    for (size_t i = 0; i < n; ++i) {
        dark[i] = random() % 40;
        flat[i] = random() % 8 == 0 ? dark[i] : 100 + random() % 156;  // some gains of 1
    }
    ASSERT_TRUE(ff.NewFrame(ZoqFlatField::kDark));
    ff.SetFrameFromSums(ZoqFlatField::kDark, dark.data(), 1);
    ASSERT_TRUE(ff.NewFrame(ZoqFlatField::kFlat));
    ff.SetFrameFromSums(ZoqFlatField::kFlat, flat.data(), 1);
    ASSERT_EQ(ff.MakeGain(), RC_SUCCESS);
    for (size_t count : {size_t(1), size_t(15), size_t(16), size_t(17), size_t(4097), n - 1}) {
        std::vector<unsigned char> data(count + 1);
        for (auto& v : data) v = static_cast<unsigned char>(random());
        std::vector<unsigned char> expected = data;
        for (size_t i = 0; i < count; ++i) {
            const float v =
                static_cast<float>(expected[i] - ff.Frame(ZoqFlatField::kDark)[i]) * ff.Gain()[i] +
                0.5f;
            expected[i] = v > 255.0f ? 255 : v < 0.0f ? 0 : static_cast<unsigned char>(v);
        }
        ASSERT_TRUE(ff.Apply(data.data(), count));
        ASSERT_EQ(data, expected) << count;
    }
}

}  // namespace
