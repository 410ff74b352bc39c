// Auto exposure and the focus measure on simulated MT9P031 cameras, whose
// scene brightens with the exposure and softens with the optics' blur.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "SimulatedCameraTest.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
// Reached at about 30 ms in the window the exposure tests use (62 at 40 ms).
constexpr int kTarget = 45;

struct AeLog {
    std::vector<ZOQ_AE_STATUS> statuses;
    std::vector<int> milliseconds;
    int done = 0;
    int notDone = 0;
};

void OnStatus(ZOQ_AE_STATUS status, int ms, void* context) {
    auto* log = static_cast<AeLog*>(context);
    log->statuses.push_back(status);
    log->milliseconds.push_back(ms);
}

void OnDone(bool done, int, void* context) {
    auto* log = static_cast<AeLog*>(context);
    (done ? log->done : log->notDone) += 1;
}

void OnFocus(int value, void* context) { static_cast<std::vector<int>*>(context)->push_back(value); }

double Mean(const std::vector<unsigned char>& frame) {
    return std::accumulate(frame.begin(), frame.end(), 0.0) / static_cast<double>(frame.size());
}

class ExposureFocus : public zoqtest::SimulatedCameraTest {
protected:
    void Open() {
        Attach(52);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
    }

    static void Window(int index, int columnStart, int rowStart) {
        ASSERT_EQ(ZOQ_CaptureSetFieldOfView(index, columnStart, rowStart, kWidth, kHeight,
                                            ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL),
                  RC_SUCCESS);
    }

    // A narrower window has shorter lines: the range is fitted again.
    static void ExposureWindow() {
        Window(0, 64, 32);
        ASSERT_EQ(ZOQ_AESetExposureTimeRange(0, 0.0f, 40.0f), RC_SUCCESS);
    }

    static std::vector<unsigned char> Capture(int index) {
        std::vector<unsigned char> frame(kWidth * kHeight);
        EXPECT_EQ(ZOQ_CaptureRawData(index, frame.data()), RC_SUCCESS);
        return frame;
    }
};

TEST_F(ExposureFocus, OpeningMeasuresTheWholeFrameWithinFortyMilliseconds) {
    Open();
    int x = -1, y = -1, w = 0, h = 0;
    bool show = true;
    ASSERT_EQ(ZOQ_AEGetRegion(0, &x, &y, &w, &h, &show), RC_SUCCESS);
    int fullWidth = 0, fullHeight = 0;
    ASSERT_EQ(ZOQ_CaptureGetSize(0, &fullWidth, &fullHeight), RC_SUCCESS);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(w, fullWidth);
    EXPECT_EQ(h, fullHeight);
    EXPECT_FALSE(show);
    float min = -1.0f, max = -1.0f;
    ASSERT_EQ(ZOQ_AEGetExposureTimeRange(0, &min, &max), RC_SUCCESS);
    EXPECT_GT(min, 0.0f);  // one line at least
    EXPECT_LT(min, 1.0f);
    EXPECT_EQ(max, 40.0f);
    // Wider requests are fitted to what the sensor can do.
    ASSERT_EQ(ZOQ_AESetExposureTimeRange(0, -5.0f, 1.0e9f), RC_SUCCESS);
    float fittedMin = 0.0f, fittedMax = 0.0f;
    ASSERT_EQ(ZOQ_AEGetExposureTimeRange(0, &fittedMin, &fittedMax), RC_SUCCESS);
    EXPECT_EQ(fittedMin, min);
    EXPECT_GT(fittedMax, 40.0f);
    EXPECT_LT(fittedMax, 1.0e9f);
}

TEST_F(ExposureFocus, SettingsAreStoredAsGiven) {
    Open();
    ASSERT_EQ(ZOQ_AESetPeakAveRatio(0, 3.0f), RC_SUCCESS);
    float ratio = 0.0f;
    ASSERT_EQ(ZOQ_AEGetPeakAveRatio(0, &ratio), RC_SUCCESS);
    EXPECT_EQ(ratio, 1.0f);
    ASSERT_EQ(ZOQ_AESetMaxCount(0, -1), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AESetTarget(0, 90), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AEStartEx(0, true), RC_SUCCESS);
    bool running = false;
    int maxCount = 0, target = 0;
    ASSERT_EQ(ZOQ_AEGetStatusEx(0, &running, &maxCount, &target), RC_SUCCESS);
    EXPECT_TRUE(running);
    EXPECT_EQ(maxCount, -1);
    EXPECT_EQ(target, 90);
    ASSERT_EQ(ZOQ_AEStart(0, false, 5, 100), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AEGetStatusEx(0, &running, &maxCount, &target), RC_SUCCESS);
    EXPECT_FALSE(running);
    EXPECT_EQ(maxCount, 5);
    EXPECT_EQ(target, 100);
    ASSERT_EQ(ZOQ_AESetRegion(0, 10, 20, 30, 40), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AEShowRegion(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AFSetRegion(0, 1, 2, 3, 4), RC_SUCCESS);
    int x = 0, y = 0, w = 0, h = 0;
    bool show = false;
    ASSERT_EQ(ZOQ_AEGetRegion(0, &x, &y, &w, &h, &show), RC_SUCCESS);
    EXPECT_EQ(x + y + w + h, 100);
    EXPECT_TRUE(show);
    ASSERT_EQ(ZOQ_AFGetRegion(0, &x, &y, &w, &h, &show), RC_SUCCESS);
    EXPECT_EQ(w, 3);  // as requested, not fitted
    EXPECT_FALSE(show);
}

TEST_F(ExposureFocus, AutoExposureBringsTheSceneToTheTarget) {
    Open();
    ExposureWindow();
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, 3.0f), RC_SUCCESS);
    const double before = Mean(Capture(0));
    AeLog log;
    ASSERT_EQ(ZOQ_AESetCallbackEx(0, OnStatus, &log), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AESetCallback(0, OnDone, &log), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AEStart(0, true, 20, kTarget), RC_SUCCESS);
    std::vector<unsigned char> frame;
    bool running = true;
    for (int i = 0; i < 90 && running; ++i) {
        frame = Capture(0);
        ZOQ_AEGetStatusEx(0, &running, nullptr, nullptr);
    }
    ASSERT_FALSE(running);
    ASSERT_FALSE(log.statuses.empty());
    EXPECT_EQ(log.statuses.back(), ZOQ_AE_CONVERGED);
    EXPECT_EQ(log.statuses.front(), ZOQ_AE_CHANGED);
    EXPECT_EQ(log.done, 1);
    EXPECT_EQ(log.notDone, static_cast<int>(log.statuses.size()) - 1);
    // The measured frame was the last one captured, and it is within ten of
    // the target; before, the scene was far darker.
    EXPECT_LT(before, 10.0);
    EXPECT_NEAR(Mean(frame), kTarget, 10.5);
    float ms = 0.0f;
    ASSERT_EQ(ZOQ_ExposureTimeGet(0, &ms), RC_SUCCESS);
    EXPECT_EQ(log.milliseconds.back(), static_cast<int>(ms));
    // Stopped, it leaves the exposure alone.
    const size_t evaluations = log.statuses.size();
    Capture(0);
    Capture(0);
    Capture(0);
    EXPECT_EQ(log.statuses.size(), evaluations);
}

TEST_F(ExposureFocus, ContinuousExposureFollowsTheScene) {
    Open();
    ExposureWindow();
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, 10.0f), RC_SUCCESS);
    AeLog log;
    ASSERT_EQ(ZOQ_AESetCallbackEx(0, OnStatus, &log), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AEStart(0, true, -1, kTarget), RC_SUCCESS);
    for (int i = 0; i < 60; ++i) Capture(0);
    bool running = false;
    ZOQ_AEGetStatusEx(0, &running, nullptr, nullptr);
    EXPECT_TRUE(running);
    ASSERT_FALSE(log.statuses.empty());
    EXPECT_EQ(log.statuses.back(), ZOQ_AE_CONTINUOUS_CONVERGED);
    EXPECT_NEAR(Mean(Capture(0)), kTarget, 10.5);
}

TEST_F(ExposureFocus, ABlurredSceneMeasuresLessSharpThanASharpOne) {
    zoqsim::CameraConfig sharp;
    sharp.serial = 1;
    zoqsim::CameraConfig blurred;
    blurred.serial = 2;
    blurred.scene.blur = 3.0;
    Attach(sharp);
    Attach(blurred);
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 2);
    int values[2] = {0, 0};
    for (int index = 0; index < 2; ++index) {
        // The band of bars and checkers in the lower part of the scene.
        Window(index, 200, 1550);
        std::vector<int> reported;
        ASSERT_EQ(ZOQ_AFSetRegion(index, 0, 0, kWidth, kHeight), RC_SUCCESS);
        ASSERT_EQ(ZOQ_AFSetCallback(index, OnFocus, &reported), RC_SUCCESS);
        ASSERT_EQ(ZOQ_AFStart(index, true), RC_SUCCESS);
        Capture(index);
        ASSERT_EQ(reported.size(), 1u);
        values[Serial(index) - 1] = reported[0];
        ZOQ_AFSetCallback(index, nullptr, nullptr);
    }
    EXPECT_GT(values[1], 0);
    EXPECT_GT(values[0], values[1]);
}

TEST_F(ExposureFocus, AUniformRegionMeasuresZeroAndAStoppedMeasureReportsNothing) {
    Open();
    // The plain background at the sensor's corner.
    ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 0, 0, 128, 96, ZOQ_ADDRESSMODE_NORMAL,
                                        ZOQ_ADDRESSMODE_NORMAL),
              RC_SUCCESS);
    std::vector<int> reported;
    ASSERT_EQ(ZOQ_AFSetRegion(0, 0, 0, 128, 96), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AFSetCallback(0, OnFocus, &reported), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AFStart(0, true), RC_SUCCESS);
    Capture(0);
    Capture(0);
    ASSERT_EQ(ZOQ_AFStart(0, false), RC_SUCCESS);
    Capture(0);
    EXPECT_EQ(reported, (std::vector<int>{0, 0}));
}

}  // namespace
