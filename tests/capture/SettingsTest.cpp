// Settings that live in the camera: trigger mode, fixed frame rate, trigger
// delay, exposure, the numbered parameters and the capability query.
#include <gtest/gtest.h>

#include "SimulatedCameraTest.h"

namespace {

constexpr uint8_t kSetWorkingMode = 0xCE;
constexpr uint8_t kWrFpga = 0x2B;

class Settings : public zoqtest::SimulatedCameraTest {
protected:
    // Type 52 cannot write its control word (register 0); type 53 writes it
    // through the working-mode request.
    void Start(int deviceType) {
        m_camera = &Attach(deviceType, 1);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        m_camera->clearRecords();
    }
    zoqsim::CameraModel& Camera() { return Model(*m_camera); }

    zoqsim::SimDevice* m_camera = nullptr;
};

TEST_F(Settings, ATriggerModeTheCameraCannotTakeIsReportedAsUnsupported) {
    Start(52);
    EXPECT_EQ(ZOQ_TriggerModeSet(0, ZOQ_TRIGGERMODE_1), RC_NOT_SUPPORTED);
    EXPECT_TRUE(m_camera->controlRecords().empty());
    ZOQ_TRIGGERMODE mode = ZOQ_TRIGGERMODE_2;
    EXPECT_EQ(ZOQ_TriggerModeGet(0, &mode), RC_SUCCESS);
    EXPECT_EQ(mode, ZOQ_TRIGGERMODE_FREERUN);
    EXPECT_EQ(ZOQ_TriggerModeSet(0, ZOQ_TRIGGERMODE_FREERUN), RC_SUCCESS);  // already so
    EXPECT_EQ(ZOQ_SetFixedFrameRateEx(0, 30.0f), RC_ILLEGAL_OPERATION);
}

TEST_F(Settings, TheFixedFrameRateIsAPeriodInFiftyMicrosecondUnits) {
    Start(53);
    EXPECT_EQ(ZOQ_SetFixedFrameRateEx(0, 30.0f), RC_ILLEGAL_OPERATION);  // trigger mode 0
    ASSERT_EQ(ZOQ_TriggerModeSet(0, ZOQ_TRIGGERMODE_FIXED_FRAMERATE), RC_SUCCESS);
    auto writes = Requests(*m_camera, kSetWorkingMode);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].setup.wValue & 0x1001, 0x1001);  // both trigger bits
    EXPECT_EQ(Camera().fpgaRegister(0) & 0x1001, 0x1001);
    m_camera->clearRecords();
    ASSERT_EQ(ZOQ_TriggerModeSet(0, ZOQ_TRIGGERMODE_FIXED_FRAMERATE), RC_SUCCESS);
    EXPECT_TRUE(m_camera->controlRecords().empty());  // unchanged: nothing written

    ASSERT_EQ(ZOQ_SetFixedFrameRateEx(0, 30.0f), RC_SUCCESS);
    EXPECT_EQ(Camera().fpgaRegister(28), 666);
    float fps = 0;
    ASSERT_EQ(ZOQ_GetFixedFrameRateEx(0, &fps), RC_SUCCESS);
    EXPECT_NEAR(fps, 30.03f, 0.005f);
    EXPECT_EQ(ZOQ_SetFixedFrameRateEx(0, 0.0f), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_SetFixedFrameRateEx(0, 0.3f), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_SetFixedFrameRateEx(0, 0.31f), RC_SUCCESS);
    EXPECT_EQ(Camera().fpgaRegister(28), 64516);  // 3225806 us / 50
}

TEST_F(Settings, TheTriggerDelayIsAnFpgaRegister) {
    Start(52);
    unsigned short min = 1, max = 0;
    ASSERT_EQ(ZOQ_TriggerDelayGetRange(0, &min, &max), RC_SUCCESS);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 65535);
    ASSERT_EQ(ZOQ_TriggerDelaySet(0, 1234), RC_SUCCESS);
    auto writes = Requests(*m_camera, kWrFpga);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].setup.wValue, 3);
    EXPECT_EQ(writes[0].setup.wIndex, 1234);
    unsigned short delay = 0;
    EXPECT_EQ(ZOQ_TriggerDelayGet(0, &delay), RC_SUCCESS);
    EXPECT_EQ(delay, 1234);
}

TEST_F(Settings, ExposureTimeReachesTheSensor) {
    Start(52);
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, 12.0f), RC_SUCCESS);
    EXPECT_NEAR(Camera().exposureMs(), 12.0, 0.05);
    float ms = 0;
    ASSERT_EQ(ZOQ_ExposureTimeGet(0, &ms), RC_SUCCESS);
    EXPECT_NEAR(ms, 12.0f, 0.05f);
    // The same through the numbered parameters, in whole milliseconds.
    ASSERT_EQ(ZOQ_SetParam(0, ZOQ_PARAM_EXPOSURE_TIME, 25), RC_SUCCESS);
    EXPECT_NEAR(Camera().exposureMs(), 25.0, 0.05);
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, 12.7f), RC_SUCCESS);
    int value = 0;
    ASSERT_EQ(ZOQ_GetParam(0, ZOQ_PARAM_EXPOSURE_TIME, &value), RC_SUCCESS);
    EXPECT_EQ(value, 12);
    int lines = 0;
    ASSERT_EQ(ZOQ_GetParam(0, ZOQ_PARAM_EXPOSURE_LINES, &lines), RC_SUCCESS);
    EXPECT_EQ(static_cast<unsigned>(lines),
              (unsigned{Camera().sensorRegister(0x08)} << 16) | Camera().sensorRegister(0x09));
}

TEST_F(Settings, NumberedParameters) {
    Start(52);
    int min = -1, max = -1;
    m_camera->clearRecords();
    EXPECT_EQ(ZOQ_GetParamRange(0, ZOQ_PARAM_FLIP, &min, &max), RC_SUCCESS);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 1);
    EXPECT_TRUE(m_camera->controlRecords().empty());
    EXPECT_EQ(ZOQ_GetParamRange(0, ZOQ_PARAM_GAIN_G, &min, &max), RC_SUCCESS);
    EXPECT_EQ(max, 153);
    EXPECT_EQ(ZOQ_SetParam(0, static_cast<ZOQ_PARAM>(4), 1), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_GetParam(0, static_cast<ZOQ_PARAM>(4), &min), RC_NOT_SUPPORTED);

    EXPECT_EQ(ZOQ_SetParam(0, ZOQ_PARAM_FLIP, 5), RC_SUCCESS);
    EXPECT_NE(Camera().sensorRegister(0x20) & 0x8000, 0);
    int flip = -1;  // every byte is written, not just the first
    EXPECT_EQ(ZOQ_GetParam(0, ZOQ_PARAM_FLIP, &flip), RC_SUCCESS);
    EXPECT_EQ(flip, 1);
    EXPECT_EQ(ZOQ_SetParam(0, ZOQ_PARAM_GAIN_R, 200), RC_SUCCESS);  // clamped
    int gain = 0;
    EXPECT_EQ(ZOQ_GetParam(0, ZOQ_PARAM_GAIN_R, &gain), RC_SUCCESS);
    EXPECT_EQ(gain, 153);
    EXPECT_EQ(Camera().sensorRegister(0x2D), 0x7860);
}

TEST_F(Settings, TheCapabilityQuery) {
    Start(53);
    int value = -1;
    EXPECT_EQ(ZOQ_QueryFunction(0, ZOQ_FUNC_MONOCHROME, &value), RC_SUCCESS);
    EXPECT_EQ(value, 1);
    value = -1;
    EXPECT_EQ(ZOQ_QueryFunction(0, ZOQ_FUNC_RESERVED_14, &value), RC_SUCCESS);
    EXPECT_EQ(value, 0);
    value = -1;
    EXPECT_EQ(ZOQ_QueryFunction(0, static_cast<ZOQ_FUNCTION>(55), &value), RC_PARAMETER_ERROR);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ZOQ_QueryFunction(0, ZOQ_FUNC_MONOCHROME, nullptr), RC_PARAMETER_ERROR);
}

}  // namespace
