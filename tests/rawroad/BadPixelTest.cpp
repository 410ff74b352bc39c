// Bad pixel correction of raw rows: bright outliers against the same-colour
// neighbours 2 and 4 samples away, corrected in place from left to right.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"

namespace {

std::vector<unsigned char> Row(int width, unsigned char level) {
    return std::vector<unsigned char>(size_t(width), level);
}

TEST(BadPixels, ABrightSampleTakesTheLargerNearNeighbour) {
    ZoqBadPixels bad;
    std::vector<unsigned char> row = Row(16, 100);
    row[6] = 105;
    row[10] = 110;
    row[8] = 150;
    bad.Correct(row.data(), 16, 1);
    EXPECT_EQ(row[8], 110);
    EXPECT_EQ(row[6], 105);
    EXPECT_EQ(row[10], 110);
}

TEST(BadPixels, DarkSamplesAndSamplesAtTheThresholdStay) {
    ZoqBadPixels bad;
    std::vector<unsigned char> row = Row(16, 100);
    row[8] = 50;
    bad.Correct(row.data(), 16, 1);
    EXPECT_EQ(row[8], 50);
    row = Row(16, 100);
    row[8] = 124;  // 24 above the far neighbours: not more than the high threshold
    bad.Correct(row.data(), 16, 1);
    EXPECT_EQ(row[8], 124);
    row[8] = 125;
    bad.Correct(row.data(), 16, 1);
    EXPECT_EQ(row[8], 100);
}

TEST(BadPixels, ACorrectedSampleIsWhatLaterSamplesSee) {
    ZoqBadPixels bad;
    std::vector<unsigned char> row = Row(16, 100);
    row[4] = 200;
    row[8] = 160;  // against the uncorrected 200 it would not count as bright
    bad.Correct(row.data(), 16, 1);
    EXPECT_EQ(row[4], 100);
    EXPECT_EQ(row[8], 100);
}

TEST(BadPixels, TheFirstAndLastFourSamplesAndNarrowRowsAreLeftAlone) {
    ZoqBadPixels bad;
    std::vector<unsigned char> row = Row(16, 100);
    row[3] = 250;
    row[12] = 250;
    bad.Correct(row.data(), 16, 1);
    EXPECT_EQ(row[3], 250);
    EXPECT_EQ(row[12], 250);
    std::vector<unsigned char> narrow = Row(8, 100);
    narrow[4] = 250;
    bad.Correct(narrow.data(), 8, 1);
    EXPECT_EQ(narrow[4], 250);
}

TEST(BadPixels, EveryRowIsCorrectedOnItsOwn) {
    ZoqBadPixels bad;
    std::vector<unsigned char> frame(16 * 3, 100);
    frame[16 + 8] = 200;  // row 1
    frame[2 * 16 + 9] = 200;
    bad.Correct(frame.data(), 16, 3);
    EXPECT_EQ(frame[16 + 8], 100);
    EXPECT_EQ(frame[2 * 16 + 9], 100);
}

TEST(BadPixels, LevelZeroRestoresTheThresholds) {
    ZoqBadPixels bad;
    bad.low = 1;
    bad.high = 2;
    bad.Set(true, ZOQ_THRESHOLD_HIGH);
    EXPECT_EQ(bad.low, 1);
    EXPECT_EQ(bad.high, 2);
    bad.Set(false, ZOQ_THRESHOLD_LOW);
    EXPECT_EQ(bad.low, 12);
    EXPECT_EQ(bad.high, 24);
    EXPECT_FALSE(bad.enable);
}

// The rule one sample at a time, left to right.
void PlainCorrect(std::vector<unsigned char>& frame, int width, int height, int low, int high) {
    for (int y = 0; y < height; ++y) {
        unsigned char* row = frame.data() + size_t(y) * width;
        for (int x = 4; x <= width - 5; ++x) {
            const int p = row[x];
            if (p - row[x - 4] > high && p - row[x + 4] > high && p - row[x - 2] > low &&
                p - row[x + 2] > low)
                row[x] = row[x - 2] > row[x + 2] ? row[x - 2] : row[x + 2];
        }
    }
}

// Frames of every width around the 32-sample stretches the rows are
// screened in, with clusters of hot samples that correct one another,
// and a frame tall enough for several threads.
TEST(BadPixels, EveryFrameShapeIsCorrectedAsSampleBySample) {
    struct Size {
        int w, h;
    };
    std::mt19937 random(11);
    for (const Size& size : {Size{1, 1}, Size{8, 2}, Size{9, 1}, Size{10, 3}, Size{35, 2},
                             Size{36, 1}, Size{37, 4}, Size{41, 1}, Size{70, 5}, Size{641, 400}})
        for (int hotEvery : {3, 40, 1000}) {
            std::vector<unsigned char> frame(size_t(size.w) * size.h);
            for (auto& v : frame)
                v = static_cast<unsigned char>(random() % hotEvery == 0 ? 150 + random() % 106
                                                                        : 60 + random() % 30);
            std::vector<unsigned char> expected = frame;
            ZoqBadPixels bad;
            PlainCorrect(expected, size.w, size.h, bad.low, bad.high);
            bad.Correct(frame.data(), size.w, size.h);
            ASSERT_EQ(frame, expected) << size.w << " x " << size.h << ", one in " << hotEvery;
        }
}

}  // namespace
