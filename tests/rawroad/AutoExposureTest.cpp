// The auto-exposure controller on frames of known level, with the sensor's
// exposure lines played by a plain counter.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "rawroad/ZOQDevice_AE_Control.h"
#include "zoq_errors.h"

namespace {

struct FakeLines {
    unsigned int lines = 1000;
    int sets = 0;
    int getResult = 0;
    int Get(unsigned int* out) {
        *out = lines;
        return getResult;
    }
    int Set(unsigned int value) {
        lines = value;
        ++sets;
        return 0;
    }
};

class AutoExposure : public ::testing::Test {
protected:
    static constexpr int kW = 16;
    static constexpr int kH = 16;

    void SetUp() override {
        ae.region = ZoqRegion{0, 0, kW, kH};
        ae.linesMin = 1;
        ae.linesMax = 100000;
        ae.Start(true);
    }

    ZOQ_AE_STATUS Evaluate(int level) {
        std::vector<unsigned char> frame(kW * kH, static_cast<unsigned char>(level));
        return ae.Evaluate(frame.data(), kW, kH, sensor);
    }

    ZoqAutoExposure ae;
    FakeLines sensor;
};

TEST_F(AutoExposure, ALevelWithinTenOfTheTargetStopsAtOnce) {
    EXPECT_EQ(Evaluate(120), ZOQ_AE_CONVERGED);
    EXPECT_FALSE(ae.Running());
    EXPECT_EQ(sensor.sets, 0);
    ae.Start(true);
    EXPECT_EQ(Evaluate(138), ZOQ_AE_CONVERGED);  // -10: still inside
    ae.Start(true);
    EXPECT_EQ(Evaluate(139), ZOQ_AE_CHANGED);  // -11: outside
}

TEST_F(AutoExposure, TheFirstStepIsProportional) {
    EXPECT_EQ(Evaluate(60), ZOQ_AE_CHANGED);
    EXPECT_EQ(sensor.lines, 2133u);  // 128 / 60 x 1000, truncated
    EXPECT_EQ(ae.FrameCounter(), 1);
    EXPECT_TRUE(ae.Running());
}

TEST_F(AutoExposure, AProportionalStepIsClampedToTheLinesRange) {
    ae.linesMax = 1500;
    EXPECT_EQ(Evaluate(60), ZOQ_AE_CHANGED);
    EXPECT_EQ(sensor.lines, 1500u);
    ae.linesMin = 900;
    sensor.lines = 1000;
    ae.Start(true);                            // a fresh run: no crossing remembered
    EXPECT_EQ(Evaluate(255), ZOQ_AE_CHANGED);  // 501 lines wanted
    EXPECT_EQ(sensor.lines, 900u);
}

TEST_F(AutoExposure, AfterTheRatioCrossesOneTheStepsAreSingleLines) {
    ASSERT_EQ(Evaluate(60), ZOQ_AE_CHANGED);  // 2133
    const unsigned int expected[] = {2132, 2131, 2130, 2129, 2128, 2127};
    for (unsigned int lines : expected) {
        ASSERT_EQ(Evaluate(140), ZOQ_AE_CHANGED);
        EXPECT_EQ(sensor.lines, lines);
    }
    // The seventh step in one direction still moves one line and sends the
    // controller back to proportional steps.
    ASSERT_EQ(Evaluate(140), ZOQ_AE_CHANGED);
    EXPECT_EQ(sensor.lines, 2126u);
    ASSERT_EQ(Evaluate(140), ZOQ_AE_CHANGED);
    EXPECT_EQ(sensor.lines, 1943u);  // 128 / 140 x 2126
}

TEST_F(AutoExposure, ASingleRunStopsAfterMoreThanTwoReversals) {
    ASSERT_EQ(Evaluate(60), ZOQ_AE_CHANGED);   // 2133, ratio above 1
    ASSERT_EQ(Evaluate(150), ZOQ_AE_CHANGED);  // crossing: one line down
    EXPECT_EQ(sensor.lines, 2132u);
    ASSERT_EQ(Evaluate(100), ZOQ_AE_CHANGED);  // reversal 1
    ASSERT_EQ(Evaluate(150), ZOQ_AE_CHANGED);  // reversal 2
    EXPECT_EQ(sensor.lines, 2132u);
    EXPECT_EQ(Evaluate(100), ZOQ_AE_OSCILLATION);  // reversal 3
    EXPECT_FALSE(ae.Running());
    EXPECT_EQ(sensor.lines, 2132u);
}

TEST_F(AutoExposure, ContinuousOperationKeepsRunningThroughOscillation) {
    ae.maxCount = -1;
    for (int level : {60, 150, 100, 150}) ASSERT_EQ(Evaluate(level), ZOQ_AE_CHANGED);
    EXPECT_EQ(Evaluate(100), ZOQ_AE_CONTINUOUS_OSCILLATION);
    EXPECT_TRUE(ae.Running());
    // Reversals and direction start again: the next step is a plain one.
    EXPECT_EQ(Evaluate(150), ZOQ_AE_CHANGED);
}

TEST_F(AutoExposure, MaxCountTenStopsAtTheEleventhEvaluation) {
    ae.linesMax = 100000000;
    std::vector<ZOQ_AE_STATUS> statuses;
    std::vector<unsigned char> frame(kW * kH, 60);  // the scene never brightens
    for (int i = 0; i < 100 && ae.Running(); ++i)
        if (ae.TakesFrame()) statuses.push_back(ae.Evaluate(frame.data(), kW, kH, sensor));
    ASSERT_EQ(statuses.size(), 11u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(statuses[i], ZOQ_AE_CHANGED) << i;
    EXPECT_EQ(statuses[10], ZOQ_AE_MAX_COUNT);
    EXPECT_EQ(ae.FrameCounter(), 30);
    EXPECT_EQ(sensor.sets, 10);
}

TEST_F(AutoExposure, TwoFramesPassUnexaminedAfterEveryChange) {
    std::vector<unsigned char> frame(kW * kH, 60);
    std::vector<bool> taken;
    for (int i = 0; i < 7; ++i) {
        bool take = ae.TakesFrame();
        taken.push_back(take);
        if (take) ae.Evaluate(frame.data(), kW, kH, sensor);
    }
    EXPECT_EQ(taken, (std::vector<bool>{true, false, false, true, false, false, true}));
}

TEST_F(AutoExposure, AtTheLimitASingleRunStopsAndAContinuousOneReportsEachTime) {
    sensor.lines = ae.linesMax;
    EXPECT_EQ(Evaluate(60), ZOQ_AE_LIMIT);
    EXPECT_FALSE(ae.Running());
    ae.maxCount = -1;
    ae.Start(true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Evaluate(60), ZOQ_AE_CONTINUOUS_LIMIT);
    EXPECT_TRUE(ae.Running());
    EXPECT_EQ(sensor.sets, 0);
}

TEST_F(AutoExposure, ContinuousConvergenceStartsTheRunAfresh) {
    ae.maxCount = -1;
    ASSERT_EQ(Evaluate(60), ZOQ_AE_CHANGED);
    EXPECT_EQ(ae.FrameCounter(), 1);
    EXPECT_EQ(Evaluate(128), ZOQ_AE_CONTINUOUS_CONVERGED);
    EXPECT_EQ(ae.FrameCounter(), 0);
    EXPECT_TRUE(ae.Running());
    // No crossing remembered: a dark frame gets a proportional step again.
    sensor.lines = 1000;
    ASSERT_EQ(Evaluate(60), ZOQ_AE_CHANGED);
    EXPECT_EQ(sensor.lines, 2133u);
}

TEST_F(AutoExposure, SaturatedSamplesWeighByThePeakAverageRatio) {
    std::vector<unsigned char> frame(kW * kH, 0);
    for (size_t i = 0; i < frame.size(); i += 2) frame[i] = 255;
    EXPECT_FLOAT_EQ(ae.MeasureLevel(frame.data(), kW, kH), 127.5f);  // ratio 0
    ae.SetPeakAveRatio(3.0f);
    EXPECT_EQ(ae.PeakAveRatio(), 1.0f);
    EXPECT_FLOAT_EQ(ae.MeasureLevel(frame.data(), kW, kH), 255.0f);
    ae.SetPeakAveRatio(0.5f);
    EXPECT_FLOAT_EQ(ae.MeasureLevel(frame.data(), kW, kH), 191.25f);
}

TEST_F(AutoExposure, TheRegionIsCountedFromTheLastBufferRow) {
    constexpr int W = 640, H = 480;
    std::vector<unsigned char> frame(W * H, 0);
    for (int row = 430; row < 480; ++row)
        for (int x = 0; x < 100; ++x) frame[row * W + x] = 128;
    ae.region = ZoqRegion{0, 0, 100, 50};
    EXPECT_EQ(ae.Evaluate(frame.data(), W, H, sensor), ZOQ_AE_CONVERGED);
    EXPECT_EQ(ae.FittedRegion().rowOrigin, 430);
    EXPECT_EQ(ae.FittedRegion().height, 50);
    EXPECT_EQ(ae.FittedRegion().width, 100);
}

TEST_F(AutoExposure, AnExposureThatCannotBeReadCannotBeMoved) {
    sensor.getResult = RC_FAIL;
    EXPECT_EQ(Evaluate(60), ZOQ_AE_LIMIT);
    EXPECT_EQ(sensor.sets, 0);
}

TEST_F(AutoExposure, ABlackFrameAsksForTheLongestExposure) {
    EXPECT_EQ(Evaluate(0), ZOQ_AE_CHANGED);  // infinite ratio, saturated to the maximum
    EXPECT_EQ(sensor.lines, ae.linesMax);
}

// The level of regions at the frame's edges, on frames small and large
// enough for several threads, against the two sums worked out sample by
// sample.
TEST(AutoExposureLevel, RegionsOfEveryShapeGiveThePlainSums) {
    struct Case {
        int w, h;
        ZoqRegion region;
    };
    const Case cases[] = {{4, 4, {0, 0, 4, 4}},
                          {9, 7, {5, 2, 100, 100}},
                          {33, 21, {-4, 17, 9, 3}},
                          {640, 480, {0, 0, 640, 480}},
                          {2592, 1944, {0, 0, 2592, 1944}},
                          {2592, 1944, {2591, 1943, 8, 8}},
                          {2592, 1944, {100, 3, 2001, 1800}},
                          {9001, 9, {0, 0, 9001, 9}}};
    std::mt19937 random(8);
    for (const Case& c : cases) {
        std::vector<unsigned char> frame(size_t(c.w) * c.h);
        for (auto& v : frame) v = static_cast<unsigned char>(random() % 4 == 0 ? 255 : random());
        ZoqAutoExposure ae;
        ae.region = c.region;
        ae.SetPeakAveRatio(0.5f);
        const float level = ae.MeasureLevel(frame.data(), c.w, c.h);
        const ZoqFittedRegion f = ae.FittedRegion();
        uint64_t sum = 0, saturated = 0;
        for (int y = f.rowOrigin; y < f.rowOrigin + f.height; ++y)
            for (int x = f.x; x < f.x + f.width; ++x) {
                sum += frame[size_t(y) * c.w + x];
                saturated += frame[size_t(y) * c.w + x] == 255;
            }
        const float expected =
            (static_cast<float>(255 * saturated) * 0.5f + static_cast<float>(sum)) /
            static_cast<float>(uint64_t(f.width) * f.height);
        EXPECT_EQ(level, expected) << c.w << " x " << c.h;
    }
}

}  // namespace
