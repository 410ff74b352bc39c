/* The common layer's FPGA features: capability gating, trigger, fixed frame
 * rate, frames per capture and 16-bit transfer, colour registers, the field
 * of view with its frame limit and the capability query. */
#include <gtest/gtest.h>

#include <functional>

#include "CamTestSupport.h"

using Op = FakeZOQDevice::Op;
using Call = FakeZOQDevice::Call;

namespace {

float kGains[3] = {1.5f, 1.0f, 2.25f};
float kMatrix[3][3] = {{1.5f, -0.5f, 0.0f}, {0.0f, 1.0f, 0.0f}, {-0.25f, 0.0f, 1.25f}};

}  // namespace

// Each feature, on a model that has everything but the one bit it needs,
// answers -3 and talks to nothing; with the bit it reaches the camera.
TEST(CamFpgaFeatures, EachFeatureNeedsItsCapability) {
    struct Feature {
        const char* name;
        ZOQ_CAPBIT bit;
        std::function<int(CZOQCam&)> call;
        std::function<void(CZOQCam&)> prepare = [](CZOQCam&) {};
    };
    auto fixedRate = [](CZOQCam& c) { c.Fpga_WrRelatedRegValue(0, 0x1001, nullptr); };
    const Feature features[] = {
        {"trigger mode 1", CAP_TRIGGER_MODE_1, [](CZOQCam& c) { return c.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_1); }},
        {"trigger mode 2", CAP_TRIGGER_MODE_2, [](CZOQCam& c) { return c.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_2); }},
        {"trigger mode 3", CAP_TRIGGER_MODE_3, [](CZOQCam& c) { return c.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_FIXED_FRAMERATE); }},
        {"trigger method 0", CAP_TRIGGER_METHOD_0, [](CZOQCam& c) { return c.Fpga_SetTriggerMethod(ZOQ_TRIGGERMETHOD_0); },
         [](CZOQCam& c) { c.Fpga_WrRelatedRegValue(0, 1u << 9, nullptr); }},
        {"trigger method 3", CAP_TRIGGER_METHOD_3, [](CZOQCam& c) { return c.Fpga_SetTriggerMethod(ZOQ_TRIGGERMETHOD_3); }},
        {"lut", CAP_LUT_SWITCH, [](CZOQCam& c) { return c.Fpga_SetLutEnable(true); }},
        {"gamma lut", CAP_GAMMA_LUT_SWITCH, [](CZOQCam& c) { return c.Fpga_SetGammaLutEnable(true); }},
        {"bad pixel", CAP_BAD_PIXEL_CORRECTION, [](CZOQCam& c) { return c.Fpga_SetBadPixelCorrection(true, ZOQ_THRESHOLD_HIGH); }},
        {"sensitivity", CAP_SENSITIVITY_MODE, [](CZOQCam& c) { return c.Fpga_SetSensitivityMode(ZOQ_SENSITIVITYMODE_5); }},
        {"empty buffer", CAP_EMPTY_FRAME_BUFFER, [](CZOQCam& c) { return c.Fpga_EmptyFrameBuffer(); }},
        {"16 bits", CAP_16BITS_TRANSFER, [](CZOQCam& c) { return c.Fpga_Set16BitsTransfer(true); }},
        {"multi-frame", CAP_REG8_WRITE, [](CZOQCam& c) { return c.Fpga_SetMultiFrameNum(2); }},
        {"frame rate (mode 3)", CAP_TRIGGER_MODE_3, [](CZOQCam& c) { return c.Fpga_SetFixedFrameRateEx(20.0f); }, fixedRate},
        {"frame rate (reg 28)", CAP_REG28_WRITE, [](CZOQCam& c) { return c.Fpga_SetFixedFrameRateEx(25.0f); }, fixedRate},
        {"awb enable", CAP_REG9_WRITE, [](CZOQCam& c) { return c.Fpga_SetAwbEnable(true); }},
        {"awb preset", CAP_AWB_PRESETS, [](CZOQCam& c) { return c.Fpga_SetAwbPresetting(ZOQ_COLOR_TEMPRATURE_2); }},
        {"awb once", CAP_AWB_ONCE, [](CZOQCam& c) { return c.Fpga_SetAwbModeAutoOnce(); }},
        {"awb continuous", CAP_AWB_CONTINUOUS, [](CZOQCam& c) { return c.Fpga_SetAwbModeContinue(); }},
        {"awb matrix", CAP_REG16_18_WRITE, [](CZOQCam& c) { return c.Fpga_SetAwbMatrix(kGains); }},
        {"ccm enable", CAP_REG9_WRITE, [](CZOQCam& c) { return c.Fpga_SetCcmEnable(true); }},
        {"ccm preset", CAP_CCM_PRESETS, [](CZOQCam& c) { return c.Fpga_SetCcmPresetting(ZOQ_COLOR_TEMPRATURE_3); }},
        {"ccm matrix", CAP_REG19_27_WRITE, [](CZOQCam& c) { return c.Fpga_SetCcmMatrix(kMatrix); }},
        {"read awb matrix", CAP_REG16_18_WRITE, [](CZOQCam& c) { float g[3]; return c.Fpga_GetAwbMatrix(g); }},
        {"read ccm matrix", CAP_REG16_18_WRITE, [](CZOQCam& c) { float m[3][3]; return c.Fpga_GetCcmMatrix(m); }},
    };
    CamOnFake fake;
    for (const Feature& feature : features) {
        Record without;
        without.Set(feature.bit, false);
        CZOQCam& lacking = fake.Create(without.low, without.high);
        feature.prepare(lacking);
        fake.device.calls.clear();
        EXPECT_EQ(feature.call(lacking), RC_NOT_SUPPORTED) << feature.name;
        EXPECT_TRUE(fake.device.calls.empty()) << feature.name;

        CZOQCam& having = fake.Create(kAllFpga, kAllBase);
        feature.prepare(having);
        fake.device.calls.clear();
        EXPECT_EQ(feature.call(having), 0) << feature.name;
        EXPECT_FALSE(fake.device.calls.empty()) << feature.name;
    }
}

TEST(CamFpgaTrigger, ModesSetTheirBitsThroughTheCache) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    ZOQ_TRIGGERMODE mode;
    const struct {
        int mode;
        unsigned short control;
        ZOQ_TRIGGERMODE reported;
    } cases[] = {{1, 0x0001, ZOQ_TRIGGERMODE_1},
                 {2, 0x1000, ZOQ_TRIGGERMODE_2},
                 {3, 0x1001, ZOQ_TRIGGERMODE_FIXED_FRAMERATE},
                 {0, 0x0000, ZOQ_TRIGGERMODE_FREERUN},
                 {7, 0x1001, ZOQ_TRIGGERMODE_FIXED_FRAMERATE},
                 {-1, 0x1001, ZOQ_TRIGGERMODE_FIXED_FRAMERATE}};
    for (const auto& c : cases) {
        EXPECT_EQ(cam.Fpga_SetTriggerMode(static_cast<ZOQ_TRIGGERMODE>(c.mode)), 0) << c.mode;
        EXPECT_EQ(fake.device.workingMode, c.control) << c.mode;
        EXPECT_EQ(cam.Fpga_GetTriggerMode(&mode), 0);
        EXPECT_EQ(mode, c.reported);
    }
    // The mode already set writes nothing.
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_FIXED_FRAMERATE), 0);
    EXPECT_TRUE(fake.device.calls.empty());
    EXPECT_EQ(cam.Fpga_GetTriggerMode(nullptr), RC_PARAMETER_ERROR);

    // Out-of-range modes need no capability.
    CZOQCam& bare = fake.Create("00 00 00 00 00 00 00", kAllBase);
    EXPECT_EQ(bare.Fpga_SetTriggerMode(static_cast<ZOQ_TRIGGERMODE>(4)), 0);
    EXPECT_EQ(fake.device.workingMode, 0x1001);
}

TEST(CamFpgaTrigger, AModeTheCameraRefusesIsReported) {
    // Register 0 reachable neither way (as on types 52, 58, 104, 111): the
    // failed write is the setter's result and the cache keeps the old mode.
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, Record().Set(CAP_REG0_WORKING_MODE, false).high);
    EXPECT_EQ(cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_1), RC_NOT_SUPPORTED);
    ZOQ_TRIGGERMODE mode = ZOQ_TRIGGERMODE_2;
    cam.Fpga_GetTriggerMode(&mode);
    EXPECT_EQ(mode, ZOQ_TRIGGERMODE_FREERUN);
    EXPECT_TRUE(fake.device.calls.empty());

    CZOQCam& failing = fake.Create(kAllFpga, kAllBase);
    fake.device.Fail(Op::SetWorkingMode, RC_TIMEOUT);
    EXPECT_EQ(failing.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_2), RC_TIMEOUT);
}

TEST(CamFpgaTrigger, MethodDelayAndStatus) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    ZOQ_TRIGGERMETHOD method = ZOQ_TRIGGERMETHOD_0;
    EXPECT_EQ(cam.Fpga_SetTriggerMethod(ZOQ_TRIGGERMETHOD_2), 0);
    EXPECT_EQ(fake.device.workingMode, 2u << 9);
    EXPECT_EQ(cam.Fpga_GetTriggerMethod(&method), 0);
    EXPECT_EQ(method, ZOQ_TRIGGERMETHOD_2);
    EXPECT_EQ(cam.Fpga_GetTriggerMethod(nullptr), 0);
    // Values above 3 are not checked, only masked.
    CZOQCam& bare = fake.Create("00 00 00 00 00 00 00", kAllBase);
    EXPECT_EQ(bare.Fpga_SetTriggerMethod(static_cast<ZOQ_TRIGGERMETHOD>(5)), 0);
    EXPECT_EQ(fake.device.workingMode, 1u << 9);

    // Trigger delay with and without the FPGA register.
    CZOQCam& delayed = fake.Create(kAllFpga, kAllBase);
    unsigned short low = 9, high = 9, delay = 9;
    EXPECT_EQ(delayed.Fpga_GetTriggerDelayRange(&low, &high), 0);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 65535);
    EXPECT_EQ(delayed.Fpga_SetTriggerDelay(1234), 0);
    EXPECT_EQ(fake.device.fpga[3], 1234);
    EXPECT_EQ(delayed.Fpga_GetTriggerDelay(&delay), 0);
    EXPECT_EQ(delay, 1234);

    CZOQCam& plain = fake.Create(Record().Set(CAP_TRIGGER_DELAY, false).low, kAllBase);
    delay = 9;
    EXPECT_EQ(plain.Fpga_SetTriggerDelay(1234), 0);
    EXPECT_TRUE(fake.device.calls.empty());
    EXPECT_EQ(plain.Fpga_GetTriggerDelay(&delay), 0);
    EXPECT_EQ(delay, 9);
    EXPECT_EQ(plain.Fpga_GetTriggerDelayRange(&low, &high), RC_NOT_SUPPORTED);
    EXPECT_EQ(high, 0);

    // Status: bits 2 or 3 of register 128, only with an FPGA version.
    ZOQ_TRIGGERSTATUS status = ZOQ_TRIGGERSTATUS_IDLE;
    fake.device.fpga[128] |= 0x0008;
    EXPECT_EQ(delayed.Fpga_GetTriggerStatus(&status), 0);
    EXPECT_EQ(status, ZOQ_TRIGGERSTATUS_ACTIVE);
    fake.device.fpga[128] &= 0xFFF3;
    EXPECT_EQ(delayed.Fpga_GetTriggerStatus(&status), 0);
    EXPECT_EQ(status, ZOQ_TRIGGERSTATUS_IDLE);
    fake.device.Fail(Op::RdFpga, RC_TIMEOUT);
    EXPECT_EQ(delayed.Fpga_GetTriggerStatus(&status), RC_TIMEOUT);
    fake.device.ClearFailures();

    fake.device.fpga[128] = 0;  // version 0.0
    CZOQCam& noVersion = fake.Create(kAllFpga, kAllBase);
    EXPECT_EQ(noVersion.Fpga_GetTriggerStatus(&status), RC_NOT_SUPPORTED);
}

TEST(CamFpgaFrameRate, PeriodArithmeticAndLimits) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(Record().Set(CAP_REG28_1US, false).low, kAllBase);
    float fps = 0.0f;
    EXPECT_EQ(cam.Fpga_SetFixedFrameRateEx(30.0f), RC_ILLEGAL_OPERATION);
    EXPECT_EQ(cam.Fpga_GetFixedFrameRateEx(&fps), RC_ILLEGAL_OPERATION);
    EXPECT_EQ(fps, 0.0f);
    ASSERT_EQ(cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_FIXED_FRAMERATE), 0);

    // 50 us units: 33333.33 us / 50 = 666, read back as 30.03 fps.
    EXPECT_EQ(cam.Fpga_SetFixedFrameRateEx(30.0f), 0);
    EXPECT_EQ(fake.device.fpga[28], 666);
    EXPECT_EQ(cam.Fpga_GetFixedFrameRateEx(&fps), 0);
    EXPECT_NEAR(fps, 30.03f, 0.005f);
    EXPECT_EQ(cam.Fpga_SetFixedFrameRateEx(0.0f), RC_PARAMETER_ERROR);
    EXPECT_EQ(cam.Fpga_SetFixedFrameRateEx(0.3f), RC_PARAMETER_ERROR);  // 3333333 us
    EXPECT_EQ(cam.Fpga_SetFixedFrameRateEx(0.31f), 0);
    EXPECT_EQ(fake.device.fpga[28], 64516);
    // Faster than one unit: stored as 0, which cannot be read back.
    EXPECT_EQ(cam.Fpga_SetFixedFrameRateEx(1000000.0f), 0);
    EXPECT_EQ(fake.device.fpga[28], 0);
    fps = 1.0f;
    EXPECT_EQ(cam.Fpga_GetFixedFrameRateEx(&fps), RC_FAIL);
    EXPECT_EQ(fps, 1.0f);

    // 1 us units: at most 65535 us.
    CZOQCam& fine = fake.Create(kAllFpga, kAllBase);
    fine.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_FIXED_FRAMERATE);
    EXPECT_EQ(fine.Fpga_SetFixedFrameRateEx(20.0f), 0);
    EXPECT_EQ(fake.device.fpga[28], 50000);
    EXPECT_EQ(fine.Fpga_GetFixedFrameRateEx(&fps), 0);
    EXPECT_FLOAT_EQ(fps, 20.0f);
    EXPECT_EQ(fine.Fpga_SetFixedFrameRateEx(15.0f), RC_PARAMETER_ERROR);
    EXPECT_EQ(fine.Fpga_SetFixedFrameRateEx(15.3f), 0);

    // Reading needs register 28 readable.
    CZOQCam& blind = fake.Create(Record().Set(CAP_REG28_READ, false).low, kAllBase);
    blind.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_FIXED_FRAMERATE);
    EXPECT_EQ(blind.Fpga_GetFixedFrameRateEx(&fps), RC_NOT_SUPPORTED);
}

TEST(CamFpgaFrameBuffer, EmptyingWritesBit8EveryTimeExceptInMode2) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_1);
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_EmptyFrameBuffer(), 0);
    EXPECT_EQ(cam.Fpga_EmptyFrameBuffer(), 0);
    EXPECT_EQ(fake.device.calls, (std::vector<Call>{{Op::SetWorkingMode, 0, 0x0101},
                                                    {Op::SetWorkingMode, 0, 0x0101}}));
    // The next change of register 0 does not carry bit 8.
    cam.Fpga_SetLutEnable(true);
    EXPECT_EQ(fake.device.workingMode, 0x0801);

    cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_2);
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_EmptyFrameBuffer(), RC_NOT_SUPPORTED);
    EXPECT_TRUE(fake.device.calls.empty());
}

TEST(CamFpgaTransfer, FramesPerCaptureAnd16BitsKeepCapturesUnder16MiB) {
    CamOnFake fake;  // 2592 x 1944 window
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    unsigned short frames = 0;
    bool on = true;

    EXPECT_EQ(cam.Fpga_SetMultiFrameNum(5), 0);
    EXPECT_EQ(fake.device.fpga[8], 3);  // 8-bit: 3 frames fit
    EXPECT_EQ(cam.Fpga_GetMultiFrameNum(&frames), 0);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(cam.Fpga_Set16BitsTransfer(true), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Fpga_SetMultiFrameNum(0), 0);  // 0 becomes 1
    EXPECT_EQ(fake.device.fpga[8], 1);
    EXPECT_EQ(cam.Fpga_Set16BitsTransfer(true), 0);
    EXPECT_EQ(cam.Fpga_Get16BitsTransfer(&on), 0);
    EXPECT_TRUE(on);
    EXPECT_EQ(cam.Cam_GetCaptureBytes(), 2592 * 1944 * 2);
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_SetMultiFrameNum(2), 0);  // 16-bit: only 1 fits
    EXPECT_TRUE(fake.device.calls.empty());
    EXPECT_EQ(cam.Fpga_Set16BitsTransfer(false), 0);
    EXPECT_EQ(cam.Fpga_SetMultiFrameNum(3), 0);
    EXPECT_EQ(cam.Fpga_Set16BitsTransfer(false), 0);
    EXPECT_EQ(cam.Fpga_SetMultiFrameNum(3), 0);

    int width = 0, height = 0;
    EXPECT_EQ(cam.Cam_GetCaptureSize(&width, &height), 0);
    EXPECT_EQ(width, 2592);
    EXPECT_EQ(height, 1944 * 3);
    EXPECT_EQ(cam.Cam_GetCaptureBytes(), 2592 * 1944 * 3);

    // A 4th frame would not fit even at 8 bits.
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_SetMultiFrameNum(4), 0);
    EXPECT_TRUE(fake.device.calls.empty());
    EXPECT_EQ(cam.Fpga_Get16BitsTransfer(nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(cam.Fpga_GetMultiFrameNum(nullptr), RC_PARAMETER_ERROR);
}

TEST(CamFpgaSwitches, ControlWordBitsAndGettersWithoutCapability) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    EXPECT_EQ(cam.Fpga_SetBadPixelCorrection(true, ZOQ_THRESHOLD_HIGH), 0);
    EXPECT_EQ(fake.device.workingMode, 0x000C);
    EXPECT_EQ(cam.Fpga_SetSensitivityMode(ZOQ_SENSITIVITYMODE_6), 0);
    EXPECT_EQ(fake.device.workingMode, 0x00CC);
    EXPECT_EQ(cam.Fpga_SetLutEnable(true), 0);
    EXPECT_EQ(fake.device.workingMode, 0x08CC);
    EXPECT_EQ(cam.Fpga_SetGammaLutEnable(true), 0);
    EXPECT_EQ(fake.device.fpga[33], 1);
    bool on = false, lut = false, gamma = false;
    ZOQ_THRESHOLD threshold = ZOQ_THRESHOLD_LOW;
    ZOQ_SENSITIVITYMODE sensitivity = ZOQ_SENSITIVITYMODE_0;
    EXPECT_EQ(cam.Fpga_GetBadPixelCorrection(&on, &threshold), 0);
    EXPECT_TRUE(on);
    EXPECT_EQ(threshold, ZOQ_THRESHOLD_HIGH);
    EXPECT_EQ(cam.Fpga_GetSensitivityMode(&sensitivity), 0);
    EXPECT_EQ(sensitivity, ZOQ_SENSITIVITYMODE_6);
    EXPECT_EQ(cam.Fpga_GetLutEnable(&lut), 0);
    EXPECT_EQ(cam.Fpga_GetGammaLutEnable(&gamma), 0);
    EXPECT_TRUE(lut && gamma);

    // The same cached bits on a model without the switches read as off.
    fake.device.workingMode = 0x08CC;
    fake.device.fpga[33] = 1;
    Record none;
    none.Set(CAP_LUT_SWITCH, false).Set(CAP_GAMMA_LUT_SWITCH, false).Set(CAP_SENSITIVITY_MODE, false);
    none.Set(CAP_REG0_READ, false);
    CZOQCam& lacking = fake.Create(none.low, none.high);
    lut = gamma = true;
    sensitivity = ZOQ_SENSITIVITYMODE_3;
    EXPECT_EQ(lacking.Fpga_GetLutEnable(&lut), RC_NOT_SUPPORTED);
    EXPECT_EQ(lacking.Fpga_GetGammaLutEnable(&gamma), RC_NOT_SUPPORTED);
    EXPECT_EQ(lacking.Fpga_GetSensitivityMode(&sensitivity), RC_NOT_SUPPORTED);
    EXPECT_FALSE(lut || gamma);
    EXPECT_EQ(sensitivity, ZOQ_SENSITIVITYMODE_0);
}

TEST(CamFpgaColor, WhiteBalanceRegister9AndGains) {
    CamOnFake fake;
    fake.device.fpga[9] = 0x2A00;  // a colour-correction setting to keep
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    ZOQ_WB_MODE mode = ZOQ_WB_OFF;
    ZOQ_COLOR_TEMPRATURE preset = ZOQ_COLOR_TEMPRATURE_0;

    EXPECT_EQ(cam.Fpga_GetAwbMode(&mode), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Fpga_SetAwbPresetting(ZOQ_COLOR_TEMPRATURE_5), 0);
    EXPECT_EQ(fake.device.fpga[9], 0x2A29);  // 5 * 8 + 1, high byte kept
    EXPECT_EQ(cam.Fpga_GetAwbPresetting(&preset), 0);
    EXPECT_EQ(preset, ZOQ_COLOR_TEMPRATURE_5);
    EXPECT_EQ(cam.Fpga_GetAwbMode(&mode), RC_NOT_SUPPORTED);  // preset mode is not a hardware mode

    EXPECT_EQ(cam.Fpga_SetAwbModeAutoOnce(), 0);
    EXPECT_EQ(fake.device.fpga[9] & 7, 3);
    EXPECT_EQ(cam.Fpga_GetAwbMode(&mode), 0);
    EXPECT_EQ(mode, ZOQ_WB_HW_AUTO_ONCE);
    EXPECT_EQ(cam.Fpga_SetAwbModeContinue(), 0);
    EXPECT_EQ(fake.device.fpga[9] & 7, 5);
    EXPECT_EQ(cam.Fpga_GetAwbMode(&mode), 0);
    EXPECT_EQ(mode, ZOQ_WB_HW_AUTO_CONTINUOUS);

    float gains[3] = {1.5f, 1.00001f, 17.0f};  // 17.0 does not fit 16 bits
    EXPECT_EQ(cam.Fpga_SetAwbMatrix(gains), 0);
    EXPECT_EQ(fake.device.fpga[9], 0x2A2F);
    EXPECT_EQ(fake.device.fpga[16], 6144);
    EXPECT_EQ(fake.device.fpga[17], 4096);
    EXPECT_EQ(fake.device.fpga[18], (17 * 4096) & 0xFFFF);
    EXPECT_EQ(cam.Fpga_GetAwbMode(&mode), 0);
    EXPECT_EQ(mode, ZOQ_WB_HW_MANUAL);
    EXPECT_EQ(cam.Fpga_SetAwbMatrix(nullptr), RC_PARAMETER_ERROR);

    // Reading takes the camera's current values.
    fake.device.fpga[17] = 2048;
    float read[3] = {};
    EXPECT_EQ(cam.Fpga_GetAwbMatrix(read), 0);
    EXPECT_FLOAT_EQ(read[0], 1.5f);
    EXPECT_FLOAT_EQ(read[1], 0.5f);

    // A failing gain write stops the sequence.
    fake.device.calls.clear();
    fake.device.Fail(Op::WrFpga, RC_TIMEOUT, 17);
    float other[3] = {1.25f, 1.25f, 1.25f};
    EXPECT_EQ(cam.Fpga_SetAwbMatrix(other), RC_TIMEOUT);
    EXPECT_EQ(fake.device.Addresses(Op::WrFpga), (std::vector<unsigned>{16, 17}));
    fake.device.ClearFailures();

    bool on = false;
    EXPECT_EQ(cam.Fpga_SetAwbEnable(false), 0);
    EXPECT_EQ(cam.Fpga_GetAwbEnable(&on), 0);
    EXPECT_FALSE(on);
    EXPECT_EQ(cam.Fpga_GetAwbEnable(nullptr), RC_PARAMETER_ERROR);

    // Without the colour controls the value is still reported, with -3.
    fake.device.fpga[9] = 0x2A29;
    CZOQCam& fixed = fake.Create(Record().Set(CAP_REG9_WRITE, false).Set(CAP_AWB_PRESETS, false).low,
                                 kAllBase);
    EXPECT_EQ(fixed.Fpga_GetAwbEnable(&on), RC_NOT_SUPPORTED);
    EXPECT_TRUE(on);
    EXPECT_EQ(fixed.Fpga_GetAwbPresetting(&preset), RC_NOT_SUPPORTED);
    EXPECT_EQ(preset, ZOQ_COLOR_TEMPRATURE_5);
}

TEST(CamFpgaColor, ColourCorrectionRegister9AndMatrix) {
    CamOnFake fake;
    fake.device.fpga[9] = 0x0029;  // a white-balance setting to keep
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    ZOQ_CCM_MODE mode = ZOQ_CCM_OFF;
    ZOQ_COLOR_TEMPRATURE preset = ZOQ_COLOR_TEMPRATURE_0;

    EXPECT_EQ(cam.Fpga_GetCcmMode(nullptr), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Fpga_GetCcmMode(&mode), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Fpga_SetCcmPresetting(ZOQ_COLOR_TEMPRATURE_7), 0);
    EXPECT_EQ(fake.device.fpga[9], 0x3929);  // (7 << 3 | 1) << 8, low byte kept
    EXPECT_EQ(cam.Fpga_GetCcmPresetting(&preset), 0);
    EXPECT_EQ(preset, ZOQ_COLOR_TEMPRATURE_7);
    EXPECT_EQ(cam.Fpga_GetCcmMode(&mode), 0);
    EXPECT_EQ(mode, ZOQ_CCM_HW_PRESET);

    EXPECT_EQ(cam.Fpga_SetCcmMatrix(kMatrix), 0);
    EXPECT_EQ(fake.device.fpga[9], 0x3F29);
    EXPECT_EQ(fake.device.fpga[19], 6144);
    EXPECT_EQ(fake.device.fpga[20], 0xF800);  // -0.5 as signed 16-bit
    EXPECT_EQ(fake.device.fpga[25], 0xFC00);  // -0.25
    EXPECT_EQ(fake.device.fpga[27], 5120);
    EXPECT_EQ(cam.Fpga_GetCcmMode(&mode), 0);
    EXPECT_EQ(mode, ZOQ_CCM_HW_MANUAL);

    float matrix[3][3] = {};
    EXPECT_EQ(cam.Fpga_GetCcmMatrix(matrix), 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(matrix[r][c], kMatrix[r][c]);

    // Mode 1 and 2 are not hardware colour-correction modes.
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(9, 0x0329, nullptr), 0);
    EXPECT_EQ(cam.Fpga_GetCcmMode(&mode), RC_NOT_SUPPORTED);
    EXPECT_EQ(mode, ZOQ_CCM_OFF);

    bool on = false;
    EXPECT_EQ(cam.Fpga_SetCcmEnable(true), 0);
    EXPECT_EQ(cam.Fpga_GetCcmEnable(&on), 0);
    EXPECT_TRUE(on);

    // A failed matrix read is returned, and the cache keeps its values.
    fake.device.Fail(Op::RdFpga, RC_TIMEOUT, 0x95);
    EXPECT_EQ(cam.Fpga_GetCcmMatrix(matrix), RC_TIMEOUT);
}

TEST(CamFov, FrameCountLimitOfTheWindow) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    unsigned columnStart = 0, rowStart = 0, columns = 2592, rows = 1944;
    ZOQ_ADDRESSMODE columnMode = ZOQ_ADDRESSMODE_NORMAL, rowMode = ZOQ_ADDRESSMODE_NORMAL;
    unsigned short frames = 100;
    auto check = [&](unsigned c, unsigned r, ZOQ_ADDRESSMODE m, unsigned short n) {
        columnStart = rowStart = 0;
        columns = c;
        rows = r;
        columnMode = rowMode = m;
        frames = n;
        return cam.Cam_CheckFov(&columnStart, &rowStart, &columns, &rows, &columnMode, &rowMode,
                                &frames);
    };
    EXPECT_EQ(check(2592, 1944, ZOQ_ADDRESSMODE_NORMAL, 100), 0);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(check(2592, 1944, ZOQ_ADDRESSMODE_STEP2, 100), 0);
    EXPECT_EQ(frames, 13);  // 16777216 / (1296 * 972)
    EXPECT_EQ(check(10, 10, ZOQ_ADDRESSMODE_NORMAL, 40000), 0);
    EXPECT_EQ(frames, 36700);  // 167772 kept to 16 bits
    EXPECT_EQ(check(1, 1, ZOQ_ADDRESSMODE_NORMAL, 5), 0);
    EXPECT_EQ(frames, 1);  // 16777216 kept to 16 bits is 0
    EXPECT_EQ(check(640, 480, ZOQ_ADDRESSMODE_NORMAL, 0), 0);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(check(0, 0, ZOQ_ADDRESSMODE_NORMAL, 1), 0);
    EXPECT_EQ(columns, 1u);
    EXPECT_EQ(rows, 1u);
    EXPECT_EQ(cam.Cam_CheckFov(&columnStart, &rowStart, &columns, &rows, &columnMode, &rowMode,
                               nullptr),
              RC_PARAMETER_ERROR);

    cam.Fpga_SetMultiFrameNum(1);
    cam.Fpga_Set16BitsTransfer(true);
    EXPECT_EQ(check(2592, 1944, ZOQ_ADDRESSMODE_NORMAL, 100), 0);
    EXPECT_EQ(frames, 1);
}

TEST(CamFov, SetFovProgramsWindowAndFramesAndReadsBack) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    EXPECT_EQ(cam.Cam_SetFov(100, 200, 1296, 972, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_NORMAL, 40), 0);
    EXPECT_EQ(fake.device.fpga[8], 40);
    unsigned columnStart, rowStart, columns, rows;
    ZOQ_ADDRESSMODE columnMode, rowMode;
    unsigned short frames;
    EXPECT_EQ(cam.Cam_GetFov(&columnStart, &rowStart, &columns, &rows, &columnMode, &rowMode, &frames), 0);
    EXPECT_EQ(columnStart, 100u);
    EXPECT_EQ(rowStart, 200u);
    EXPECT_EQ(columns, 1296u);
    EXPECT_EQ(rows, 972u);
    EXPECT_EQ(columnMode, ZOQ_ADDRESSMODE_STEP2);
    EXPECT_EQ(rowMode, ZOQ_ADDRESSMODE_STEP2);
    EXPECT_EQ(frames, 40);
    int width = 0, height = 0;
    cam.Cam_GetCaptureSize(&width, &height);
    EXPECT_EQ(width, 648);
    EXPECT_EQ(height, 486 * 40);
    EXPECT_EQ(cam.Cam_GetCaptureBytes(), 648 * 486 * 40);
    EXPECT_EQ(cam.Cam_GetFov(&columnStart, &rowStart, &columns, &rows, &columnMode, &rowMode, nullptr),
              RC_PARAMETER_ERROR);

    // A window the sensor did not take is reported; the frame count is still set.
    fake.device.Fail(Op::WrSensor, RC_TIMEOUT, 0x04);
    EXPECT_EQ(cam.Cam_SetFov(0, 0, 640, 480, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL, 2), RC_TIMEOUT);
    EXPECT_EQ(fake.device.fpga[8], 2);
}

TEST(CamQuery, FunctionsReportTheirCapabilityFields) {
    CamOnFake fake;
    // Type 52 at FPGA 6.5 (byte 16 with the FPGA's Bayer mode).
    CZOQCam& cam = fake.Create("ff ff ff fd bd 4f 06", "f6 cf 00 00 00 90 00 00 fa 0a 01");
    const struct {
        int function;
        int value;
    } expected[] = {
        {0, 0},  {1, 12}, {2, 1},  {3, 1},  {4, 1},  {5, 1},  {6, 1},  {7, 0},  {8, 1},
        {9, 0},  {10, 0}, {11, 1}, {13, 1}, {14, 0}, {15, 1}, {21, 1}, {25, 1}, {27, 3},
        {31, 3}, {33, 1}, {35, 1}, {37, 1}, {38, 1}, {39, 1}, {40, 1}, {41, 1}, {42, 1},
        {45, 1}, {46, 1}, {47, 1}, {48, 1}, {49, 1}, {50, 1}, {51, 1}, {52, 1},
    };
    for (const auto& e : expected) {
        int value = -5;
        EXPECT_EQ(cam.Cam_QueryFunction(static_cast<ZOQ_FUNCTION>(e.function), &value), 0) << e.function;
        EXPECT_EQ(value, e.value) << "query " << e.function;
    }
    int value = 9;
    EXPECT_EQ(cam.Cam_QueryFunction(static_cast<ZOQ_FUNCTION>(55), &value), RC_PARAMETER_ERROR);
    EXPECT_EQ(value, 0);
    value = 9;
    EXPECT_EQ(cam.Cam_QueryFunction(static_cast<ZOQ_FUNCTION>(-1), &value), RC_PARAMETER_ERROR);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(cam.Cam_QueryFunction(ZOQ_FUNC_MONOCHROME, nullptr), RC_PARAMETER_ERROR);

    ZOQ_EEPROM_TYPE eeprom = ZOQ_EEPROM_TYPE_16BIT_8K;
    EXPECT_EQ(cam.Cam_GetEEPROMType(&eeprom), 0);
    EXPECT_EQ(eeprom, ZOQ_EEPROM_TYPE_24BIT_256K);  // byte 13 bit 7
    EXPECT_EQ(cam.Sensor_GetDefaultBayerMode(), ZOQ_BAYER_GRBG_24_BOTTOMUP);

    // 41 follows the FPGA version.
    fake.device.fpga[128] = 0;
    CZOQCam& old = fake.Create("ff ff ff fd bd 4f 06", "f6 cf 00 00 00 90 00 00 fa 0a 01");
    old.Cam_QueryFunction(ZOQ_FUNC_TRIGGER_STATUS, &value);
    EXPECT_EQ(value, 0);
}

TEST(CamQuery, SelectorQueries53And54) {
    CamOnFake fake;
    int value = -1;
    auto query = [&](const std::string& low, const std::string& high, int function) {
        CZOQCam& cam = fake.Create(low, high);
        cam.Cam_QueryFunction(static_cast<ZOQ_FUNCTION>(function), &value);
        return value;
    };
    const std::string none = "00 00 00 00 00 00 00";
    const std::string regs29 = "00 00 00 00 80 00 00";  // byte 4 bit 7
    // 53: byte 13 bits 0-2, or registers 29-30 with register 29 low bits 1.
    EXPECT_EQ(query(none, "00 00 00 00 00 04 00 00 00 00 00", 53), 1);
    EXPECT_EQ(query(none, "00 00 00 00 00 00 00 00 00 00 00", 53), 0);
    fake.device.fpga[29] = 0x0005;
    EXPECT_EQ(query(regs29, "00 00 00 00 00 00 00 00 00 00 00", 53), 1);
    fake.device.fpga[29] = 0x0006;
    EXPECT_EQ(query(regs29, "00 00 00 00 00 00 00 00 00 00 00", 53), 0);

    // 54: 2 with registers 29-30; else from byte 12 in the order 3, 1, 2, 5, 6, 7, 4.
    EXPECT_EQ(query(regs29, "00 00 00 00 ff 01 00 00 00 00 00", 54), 2);
    EXPECT_EQ(query(none, "00 00 00 00 fe 01 00 00 00 00 00", 54), 0);  // bit 0 clear
    EXPECT_EQ(query(none, "00 00 00 00 0f 01 00 00 00 00 00", 54), 3);  // bit 3 first
    EXPECT_EQ(query(none, "00 00 00 00 07 01 00 00 00 00 00", 54), 7);  // then bit 1
    EXPECT_EQ(query(none, "00 00 00 00 07 00 00 00 00 00 00", 54), 8);  // byte 13 bit 0 clear: +1
    EXPECT_EQ(query(none, "00 00 00 00 05 01 00 00 00 00 00", 54), 1);  // bit 2
    EXPECT_EQ(query(none, "00 00 00 00 61 01 00 00 00 00 00", 54), 3);  // bit 5 before 6
    EXPECT_EQ(query(none, "00 00 00 00 41 00 00 00 00 00 00", 54), 6);  // bit 6, +1
    EXPECT_EQ(query(none, "00 00 00 00 91 01 00 00 00 00 00", 54), 0);  // bit 7 before 4
    EXPECT_EQ(query(none, "00 00 00 00 11 00 00 00 00 00 00", 54), 4);  // bit 4, +1
    EXPECT_EQ(query(none, "00 00 00 00 01 01 00 00 00 00 00", 54), 0);  // no bit
}
