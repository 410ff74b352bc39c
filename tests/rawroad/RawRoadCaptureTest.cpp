// The raw road through raw captures on a simulated MT9P031: untouched frames
// while every stage is off, the tone tables, and bad pixel correction in
// software unless the camera corrects bad pixels itself.
#include <gtest/gtest.h>

#include <vector>

#include "SimulatedCameraTest.h"
#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"
#include "rawroad/ZOQDevice_Image_Tone.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
// An FPGA version the MT9P031 table does not list: no FPGA features at all,
// so bad pixels are left to the software.
constexpr int kFpgaWithoutFeatures = 0x0200;

class RawRoad : public zoqtest::SimulatedCameraTest {
protected:
    void Open(int fpgaVersion = -1) {
        zoqsim::CameraConfig config;
        config.deviceType = 52;
        config.fpgaVersion = fpgaVersion;
        m_camera = &Attach(config);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        // A window with one of the scene's hot pixels in it (sensor 162, 121).
        ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 64, 32, kWidth, kHeight, ZOQ_ADDRESSMODE_NORMAL,
                                            ZOQ_ADDRESSMODE_NORMAL),
                  RC_SUCCESS);
    }

    std::vector<unsigned char> Capture() {
        std::vector<unsigned char> frame(kWidth * kHeight);
        EXPECT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
        return frame;
    }

    std::vector<unsigned char> Sent() { return Model(*m_camera).lastDeliveredFrame(); }

    zoqsim::SimDevice* m_camera = nullptr;
};

TEST_F(RawRoad, WithEveryStageOffAFrameIsReturnedAsSent) {
    Open(kFpgaWithoutFeatures);
    // Switched on and back off again, so that nothing but the values counts.
    ZOQ_ProcessBrightnessSet(0, 40);
    ZOQ_ProcessContrastSet(0, -30);
    ZOQ_GammaSetValue(0, 4);
    ZOQ_ProcessBrightnessSet(0, 0);
    ZOQ_ProcessContrastSet(0, 0);
    ZOQ_GammaSetValue(0, 0);
    ZOQ_BadPixelCorrectionSet(0, false, ZOQ_THRESHOLD_LOW);
    ZOQ_AEStart(0, false, 10, 128);
    ZOQ_AFStart(0, false);
    std::vector<unsigned char> frame = Capture();
    EXPECT_EQ(frame, Sent());
}

TEST_F(RawRoad, BrightnessMinus128TurnsEveryFrameBlack) {
    Open();
    EXPECT_EQ(ZOQ_ProcessBrightnessSet(0, -128), RC_SUCCESS);
    EXPECT_EQ(Capture(), std::vector<unsigned char>(kWidth * kHeight, 0));
}

TEST_F(RawRoad, GammaContrastAndBrightnessMapEverySample) {
    Open();
    ASSERT_EQ(ZOQ_GammaSetValue(0, -3), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessContrastSet(0, 50), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessBrightnessSet(0, 20), RC_SUCCESS);
    std::vector<unsigned char> frame = Capture();
    ZoqToneTables tone;
    tone.SetGamma(-3);
    tone.SetContrast(50);
    tone.SetBrightness(20);
    std::vector<unsigned char> expected = Sent();
    tone.Apply(expected.data(), expected.size());
    EXPECT_EQ(frame, expected);
}

TEST_F(RawRoad, ToneSettingsReportTheirRangesAndClampedValues) {
    Open();
    int min = 0, max = 0, value = 0;
    ASSERT_EQ(ZOQ_ProcessBrightnessGetRange(0, &min, &max), RC_SUCCESS);
    EXPECT_EQ(min, -128);
    EXPECT_EQ(max, 127);
    ASSERT_EQ(ZOQ_ProcessContrastGetRange(0, &min, nullptr), RC_SUCCESS);
    EXPECT_EQ(min, -128);
    ASSERT_EQ(ZOQ_GammaGetRange(0, &min, &max), RC_SUCCESS);
    EXPECT_EQ(min, -9);
    EXPECT_EQ(max, 9);
    ASSERT_EQ(ZOQ_ProcessContrastSet(0, 500), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessContrastGet(0, &value), RC_SUCCESS);
    EXPECT_EQ(value, 127);
    ASSERT_EQ(ZOQ_GammaSetValue(0, -12), RC_SUCCESS);
    ASSERT_EQ(ZOQ_GammaGetValue(0, &value), RC_SUCCESS);
    EXPECT_EQ(value, -9);
    ASSERT_EQ(ZOQ_ProcessBrightnessSet(0, -300), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessBrightnessGet(0, &value), RC_SUCCESS);
    EXPECT_EQ(value, -128);
    EXPECT_EQ(ZOQ_ProcessBrightnessGet(0, nullptr), RC_SUCCESS);
}

TEST_F(RawRoad, BadPixelsAreCorrectedInSoftwareWhenTheCameraCannot) {
    Open(kFpgaWithoutFeatures);
    ASSERT_EQ(ZOQ_BadPixelCorrectionSet(0, true, ZOQ_THRESHOLD_LOW), RC_SUCCESS);
    std::vector<unsigned char> frame = Capture();
    std::vector<unsigned char> expected = Sent();
    ASSERT_NE(frame, expected) << "the window holds a hot pixel";
    ZoqBadPixels{}.Correct(expected.data(), kWidth, kHeight);
    EXPECT_EQ(frame, expected);
    // The thresholds count: set high enough, nothing is bright enough.
    ASSERT_EQ(ZOQ_BadPixelCorrectionSetThreshold(0, 255, 255), RC_SUCCESS);
    frame = Capture();
    EXPECT_EQ(frame, Sent());
}

TEST_F(RawRoad, ACameraThatCorrectsBadPixelsItselfGetsNoSoftwareCorrection) {
    Open();
    int inCamera = 0;
    ASSERT_EQ(ZOQ_QueryFunction(0, ZOQ_FUNC_HW_BAD_PIXEL_CORRECTION, &inCamera), RC_SUCCESS);
    ASSERT_NE(inCamera, 0);
    ASSERT_EQ(ZOQ_BadPixelCorrectionSet(0, true, ZOQ_THRESHOLD_HIGH), RC_SUCCESS);
    std::vector<unsigned char> frame = Capture();
    EXPECT_EQ(frame, Sent());
}

TEST_F(RawRoad, BadPixelSettingsAreKeptWhereTheCameraHasNone) {
    Open(kFpgaWithoutFeatures);
    ASSERT_EQ(ZOQ_BadPixelCorrectionSetThreshold(0, 30, 60), RC_SUCCESS);
    ASSERT_EQ(ZOQ_BadPixelCorrectionSet(0, true, ZOQ_THRESHOLD_HIGH), RC_SUCCESS);
    unsigned char low = 0, high = 0;
    ASSERT_EQ(ZOQ_BadPixelCorrectionGetThreshold(0, &low, &high), RC_SUCCESS);
    EXPECT_EQ(low, 30);
    EXPECT_EQ(high, 60);
    bool on = false;
    ZOQ_THRESHOLD level = ZOQ_THRESHOLD_LOW;
    EXPECT_NE(ZOQ_BadPixelCorrectionGet(0, &on, &level), RC_SUCCESS);  // the camera's answer
    EXPECT_TRUE(on);
    EXPECT_EQ(level, ZOQ_THRESHOLD_HIGH);
    // Level 0 brings the default thresholds back.
    ASSERT_EQ(ZOQ_BadPixelCorrectionSet(0, true, ZOQ_THRESHOLD_LOW), RC_SUCCESS);
    ASSERT_EQ(ZOQ_BadPixelCorrectionGetThreshold(0, &low, &high), RC_SUCCESS);
    EXPECT_EQ(low, 12);
    EXPECT_EQ(high, 24);
}

}  // namespace
