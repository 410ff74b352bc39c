// The focus measure: ten times the mean of the four same-colour differences
// per inner sample, over the region fitted to the frame.
#include <gtest/gtest.h>

#include <vector>

#include "rawroad/ZOQDevice_AF_Measure.h"

namespace {

// Columns in pairs of 0 and `level`; rows likewise when `checker` is set.
std::vector<unsigned char> Bars(int w, int h, int level, bool checker) {
    std::vector<unsigned char> frame(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int phase = (x / 2) % 2;
            if (checker) phase ^= (y / 2) % 2;
            frame[size_t(y) * w + x] = static_cast<unsigned char>(phase * level);
        }
    return frame;
}

TEST(Focus, AUniformRegionMeasuresZero) {
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, 32, 32};
    std::vector<unsigned char> frame(32 * 32, 177);
    EXPECT_EQ(af.Measure(frame.data(), 32, 32), 0);
}

TEST(Focus, FullScaleEdgesInBothDirectionsReachTheTopOfTheScale) {
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, 32, 32};
    std::vector<unsigned char> checker = Bars(32, 32, 255, true);
    EXPECT_EQ(af.Measure(checker.data(), 32, 32), 10200);
    std::vector<unsigned char> bars = Bars(32, 32, 255, false);
    EXPECT_EQ(af.Measure(bars.data(), 32, 32), 5100);  // only left and right differ
}

TEST(Focus, TheRegionIsFittedWithItsOwnMarginsAndCountedFromTheBottom) {
    constexpr int W = 64, H = 64;
    std::vector<unsigned char> frame(W * H, 10);
    std::vector<unsigned char> checker = Bars(W, 16, 255, true);
    std::copy(checker.begin(), checker.end(), frame.begin() + 48 * W);  // buffer rows 48..63
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, W, 16};
    EXPECT_EQ(af.Measure(frame.data(), W, H), 10200);
    EXPECT_EQ(af.FittedRegion().rowOrigin, 48);
    af.region = ZoqRegion{0, 32, W, 16};
    EXPECT_EQ(af.Measure(frame.data(), W, H), 0);
    // A start past the edge moves back to leave five samples; a size below
    // five grows to five.
    af.region = ZoqRegion{200, -3, 2, 2};
    af.Measure(frame.data(), W, H);
    EXPECT_EQ(af.FittedRegion().x, W - 5);
    EXPECT_EQ(af.FittedRegion().width, 5);
    EXPECT_EQ(af.FittedRegion().height, 5);
    EXPECT_EQ(af.FittedRegion().rowOrigin, H - 5);
}

TEST(Focus, FramesWithoutInnerSamplesMeasureZero) {
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, 8, 8};
    std::vector<unsigned char> checker = Bars(8, 8, 255, true);
    EXPECT_EQ(af.Measure(checker.data(), 4, 4), 0);
    EXPECT_EQ(af.Measure(checker.data(), 8, 4), 0);
    EXPECT_EQ(af.Measure(nullptr, 8, 8), 0);
    // Five by five has exactly one inner sample.
    std::vector<unsigned char> five(25, 0);
    five[12] = 255;  // the centre against four black neighbours
    EXPECT_EQ(af.Measure(five.data(), 5, 5), 10200);
}

}  // namespace
