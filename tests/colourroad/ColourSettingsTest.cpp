// White balance, colour correction, saturation and hue/saturation/lightness
// settings through the public API: what each mode does to the camera and
// which setters it accepts.
#include <gtest/gtest.h>

#include "ColourRoadFixture.h"

namespace {

using colourroad::ColourRoad;

void ExpectGains(const float want[3]) {
    float gains[3] = {0, 0, 0};
    ASSERT_EQ(ZOQ_WhiteBalanceMatrixGet(0, gains), RC_SUCCESS);
    for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(gains[c], want[c]) << "channel " << c;
}

void ExpectMatrix(const float want[3][3]) {
    float m[3][3] = {};
    ASSERT_EQ(ZOQ_ColorCorrectionMatrixGet(0, m), RC_SUCCESS);
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(m[i / 3][i % 3], want[i / 3][i % 3]) << i;
}

ZOQ_WB_MODE WbMode() {
    ZOQ_WB_MODE mode = ZOQ_WB_MODE_INT_MAX;
    ZOQ_WhiteBalanceGet(0, &mode);
    return mode;
}

ZOQ_CCM_MODE CcmMode() {
    ZOQ_CCM_MODE mode = ZOQ_CCM_MODE_INT_MAX;
    ZOQ_ColorCorrectionGet(0, &mode);
    return mode;
}

// The MT9P031's first white-balance presets and colour-correction matrices.
const float kAwbPreset[3][3] = {
    {1.1640625f, 1.0f, 1.46875f}, {1.31958f, 1.0f, 1.24854f}, {1.0f, 1.25024f, 2.18701f}};
const float kCcmPreset0[3][3] = {
    {1.9375f, -0.9375f, 0.0f}, {-0.34375f, 1.90625f, -0.5625f}, {-0.21875f, -1.21875f, 2.4375f}};
const float kCcmPreset3[3][3] = {
    {1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}};

TEST_F(ColourRoad, AMonochromeCameraRefusesWhiteBalanceAndHasNoSaturationRange) {
    Attach(53);
    Init();
    for (int mode = 0; mode <= 9; ++mode)
        EXPECT_EQ(ZOQ_WhiteBalanceSet(0, static_cast<ZOQ_WB_MODE>(mode)), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_AWBSetRegion(0, 0, 0, 8, 8), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_AWBShowRegion(0, true), RC_NOT_SUPPORTED);
    int x = -1;
    EXPECT_EQ(ZOQ_AWBGetRegion(0, &x, nullptr, nullptr, nullptr, nullptr), RC_NOT_SUPPORTED);
    EXPECT_EQ(x, -1);
    int min = 5, max = 5;
    EXPECT_EQ(ZOQ_ProcessSaturationGetRange(0, &min, &max), RC_NOT_SUPPORTED);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 0);
}

TEST_F(ColourRoad, OpeningTakesPresetsWhenTheCameraBalancesNothing) {
    Open();
    EXPECT_EQ(WbMode(), ZOQ_WB_OFF);
    EXPECT_EQ(CcmMode(), ZOQ_CCM_OFF);
    ExpectGains(kAwbPreset[0]);
    ExpectMatrix(kCcmPreset0);
    int x = -1, y = -1, w = 0, h = 0;
    bool show = true;
    ASSERT_EQ(ZOQ_AWBGetRegion(0, &x, &y, &w, &h, &show), RC_SUCCESS);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(w, 2592);  // the capture frame at opening
    EXPECT_EQ(h, 1944);
    EXPECT_FALSE(show);
    int min = 0, max = 0;
    EXPECT_EQ(ZOQ_ProcessSaturationGetRange(0, &min, &max), RC_SUCCESS);
    EXPECT_EQ(min, -128);
    EXPECT_EQ(max, 127);
}

TEST_F(ColourRoad, OpeningReadsTheModesGainsAndMatrixTheCameraHolds) {
    zoqsim::CameraConfig config;
    zoqsim::CameraModel& camera = Model(Attach(config));
    camera.setFpgaRegister(9, 0x0705);  // continuous white balance, matrix colour correction
    const uint16_t gains[3] = {0x1800, 0x1000, 0x0800};
    for (int i = 0; i < 3; ++i) camera.setFpgaRegister(16 + i, gains[i]);
    const uint16_t matrix[9] = {0x1000, 0xF800, 0, 0, 0x2000, 0, 0, 0, 0x0400};
    for (int i = 0; i < 9; ++i) camera.setFpgaRegister(19 + i, matrix[i]);
    Init();
    EXPECT_EQ(WbMode(), ZOQ_WB_HW_AUTO_CONTINUOUS);
    EXPECT_EQ(CcmMode(), ZOQ_CCM_HW_MANUAL);
    const float wantGains[3] = {1.5f, 1.0f, 0.5f};
    ExpectGains(wantGains);
    const float wantMatrix[3][3] = {{1.0f, -0.5f, 0.0f}, {0.0f, 2.0f, 0.0f}, {0.0f, 0.0f, 0.25f}};
    ExpectMatrix(wantMatrix);
}

TEST_F(ColourRoad, WithoutCameraWhiteBalanceSoftwareModesGoOnAndCameraModesFail) {
    Open(0);  // FPGA 0.x: no colour controls
    EXPECT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL), RC_NOT_SUPPORTED);
    EXPECT_EQ(WbMode(), ZOQ_WB_SOFT_MANUAL);
    EXPECT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_OFF), RC_NOT_SUPPORTED);
    EXPECT_EQ(WbMode(), ZOQ_WB_OFF);
    EXPECT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_PRESET), RC_SUCCESS);  // the preset's result
    EXPECT_EQ(WbMode(), ZOQ_WB_SOFT_PRESET);
    for (ZOQ_WB_MODE camera : {ZOQ_WB_HW_PRESET, ZOQ_WB_HW_AUTO_ONCE, ZOQ_WB_HW_AUTO_CONTINUOUS,
                               ZOQ_WB_HW_MANUAL}) {
        EXPECT_EQ(ZOQ_WhiteBalanceSet(0, camera), RC_NOT_SUPPORTED);
        EXPECT_EQ(WbMode(), ZOQ_WB_SOFT_PRESET);
    }
    EXPECT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_MANUAL), RC_NOT_SUPPORTED);
    EXPECT_EQ(CcmMode(), ZOQ_CCM_SOFT_MANUAL);
    EXPECT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_HW_PRESET), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_HW_MANUAL), RC_NOT_SUPPORTED);
    EXPECT_EQ(CcmMode(), ZOQ_CCM_SOFT_MANUAL);
}

TEST_F(ColourRoad, CameraWhiteBalanceModesProgramTheColourControlWord) {
    Open();
    zoqsim::CameraModel& camera = Camera();
    ASSERT_EQ(ZOQ_WhiteBalancePresettingSet(0, ZOQ_COLOR_TEMPRATURE_2), RC_SUCCESS);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_HW_PRESET), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) & 0xFF, 2 * 8 + 1);
    ASSERT_EQ(ZOQ_WhiteBalancePresettingSet(0, ZOQ_COLOR_TEMPRATURE_1), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) & 0xFF, 1 * 8 + 1);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_HW_AUTO_ONCE), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) & 7, 3);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_HW_AUTO_CONTINUOUS), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) & 7, 5);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_HW_MANUAL), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) & 7, 7);
    float gains[3] = {2.0f, 1.0f, 0.2501f};
    ASSERT_EQ(ZOQ_WhiteBalanceMatrixSet(0, gains), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(16), 8192);
    EXPECT_EQ(camera.fpgaRegister(17), 4096);
    EXPECT_EQ(camera.fpgaRegister(18), 1024);  // truncated
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_OFF), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) & 1, 0);
    EXPECT_EQ(ZOQ_WhiteBalanceSet(0, static_cast<ZOQ_WB_MODE>(9)), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_WhiteBalanceSet(0, static_cast<ZOQ_WB_MODE>(-1)), RC_PARAMETER_ERROR);
    EXPECT_EQ(WbMode(), ZOQ_WB_OFF);
}

TEST_F(ColourRoad, WhiteBalancePresettingAndGainsFollowTheMode) {
    Open();
    float gains[3] = {1.5f, 0.5f, 1.25f};
    // Off: the presetting is kept for later, the gains are refused.
    EXPECT_EQ(ZOQ_WhiteBalancePresettingSet(0, ZOQ_COLOR_TEMPRATURE_2), RC_SUCCESS);
    EXPECT_EQ(ZOQ_WhiteBalanceMatrixSet(0, gains), RC_ILLEGAL_OPERATION);
    ExpectGains(kAwbPreset[0]);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_PRESET), RC_SUCCESS);
    ExpectGains(kAwbPreset[2]);
    EXPECT_EQ(ZOQ_WhiteBalancePresettingSet(0, ZOQ_COLOR_TEMPRATURE_1), RC_SUCCESS);
    ExpectGains(kAwbPreset[1]);
    // A preset the sensor lacks: its error, the presetting stored, the gains kept.
    EXPECT_EQ(ZOQ_WhiteBalancePresettingSet(0, ZOQ_COLOR_TEMPRATURE_5), RC_PARAMETER_ERROR);
    ZOQ_COLOR_TEMPRATURE preset = ZOQ_COLOR_TEMPRATURE_0;
    EXPECT_EQ(ZOQ_WhiteBalancePresettingGet(0, &preset), RC_SUCCESS);
    EXPECT_EQ(preset, ZOQ_COLOR_TEMPRATURE_5);
    ExpectGains(kAwbPreset[1]);

    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_AUTO_ONCE), RC_SUCCESS);
    EXPECT_EQ(ZOQ_WhiteBalanceMatrixSet(0, gains), RC_ILLEGAL_OPERATION);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL), RC_SUCCESS);
    ExpectGains(kAwbPreset[1]);  // the gains carry over
    EXPECT_EQ(ZOQ_WhiteBalanceMatrixSet(0, gains), RC_SUCCESS);
    ExpectGains(gains);
    EXPECT_EQ(ZOQ_WhiteBalanceMatrixSet(0, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_WhiteBalanceMatrixGet(0, nullptr), RC_PARAMETER_ERROR);

    EXPECT_EQ(ZOQ_WhiteBalanceAutoSet(0, 40), RC_SUCCESS);
    int phi = 0;
    EXPECT_EQ(ZOQ_WhiteBalanceAutoGet(0, &phi), RC_SUCCESS);
    EXPECT_EQ(phi, 40);
    EXPECT_EQ(ZOQ_AWBSetRegion(0, -5, 7, 3, 100000), RC_SUCCESS);  // stored as given
    EXPECT_EQ(ZOQ_AWBShowRegion(0, true), RC_SUCCESS);
    int x = 0, y = 0, w = 0, h = 0;
    bool show = false;
    EXPECT_EQ(ZOQ_AWBGetRegion(0, &x, &y, &w, &h, &show), RC_SUCCESS);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 7);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 100000);
    EXPECT_TRUE(show);
}

TEST_F(ColourRoad, ColourCorrectionMatrixAndPresettingFollowTheMode) {
    Open();
    zoqsim::CameraModel& camera = Camera();
    float mine[3][3] = {{0.5f, 0.25f, 0.25f}, {0.0f, 1.0f, -0.5f}, {0.125f, 0.0f, 2.0f}};
    // Off and preset modes keep the matrix and still answer 0.
    EXPECT_EQ(ZOQ_ColorCorrectionMatrixSet(0, mine), RC_SUCCESS);
    ExpectMatrix(kCcmPreset0);
    EXPECT_EQ(ZOQ_ColorCorrectionPresettingSet(0, ZOQ_COLOR_TEMPRATURE_3), RC_ILLEGAL_OPERATION);
    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_PRESET), RC_SUCCESS);
    EXPECT_EQ(ZOQ_ColorCorrectionPresettingSet(0, ZOQ_COLOR_TEMPRATURE_3), RC_SUCCESS);
    ExpectMatrix(kCcmPreset3);
    EXPECT_EQ(ZOQ_ColorCorrectionMatrixSet(0, mine), RC_SUCCESS);
    ExpectMatrix(kCcmPreset3);

    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_MANUAL), RC_SUCCESS);
    EXPECT_EQ(ZOQ_ColorCorrectionMatrixSet(0, mine), RC_SUCCESS);
    ExpectMatrix(mine);
    EXPECT_EQ(ZOQ_ColorCorrectionMatrixSet(0, nullptr), RC_PARAMETER_ERROR);

    // The camera's matrix mode gets the current matrix, in 1/4096.
    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_HW_MANUAL), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) >> 8 & 7, 7);
    EXPECT_EQ(camera.fpgaRegister(19), 2048);
    EXPECT_EQ(camera.fpgaRegister(24), 0xF800);
    EXPECT_EQ(camera.fpgaRegister(27), 8192);

    // The camera's preset mode reads the matrix back.
    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_HW_PRESET), RC_SUCCESS);
    for (int i = 0; i < 9; ++i) camera.setFpgaRegister(19 + i, i == 4 ? 0x3000 : 0);
    EXPECT_EQ(ZOQ_ColorCorrectionPresettingSet(0, ZOQ_COLOR_TEMPRATURE_5), RC_SUCCESS);
    EXPECT_EQ(camera.fpgaRegister(9) >> 8, 5 << 3 | 1);
    const float readBack[3][3] = {{0, 0, 0}, {0, 3.0f, 0}, {0, 0, 0}};
    ExpectMatrix(readBack);
    EXPECT_EQ(ZOQ_ColorCorrectionSet(0, static_cast<ZOQ_CCM_MODE>(5)), RC_SUCCESS);
    EXPECT_EQ(CcmMode(), ZOQ_CCM_HW_PRESET);
    EXPECT_EQ(ZOQ_ColorCorrectionMatrixGet(0, nullptr), RC_PARAMETER_ERROR);
}

TEST_F(ColourRoad, SaturationAndHueSettingsAreClampedAndRangesChecked) {
    Open();
    int value = 0;
    EXPECT_EQ(ZOQ_ProcessSaturationSet(0, 300), RC_SUCCESS);
    EXPECT_EQ(ZOQ_ProcessSaturationGet(0, &value), RC_SUCCESS);
    EXPECT_EQ(value, 127);
    EXPECT_EQ(ZOQ_ProcessSaturationSet(0, -1000), RC_SUCCESS);
    EXPECT_EQ(ZOQ_ProcessSaturationGet(0, &value), RC_SUCCESS);
    EXPECT_EQ(value, -128);
    EXPECT_EQ(ZOQ_HueSaturationSet(0, ZOQ_HUE_CYAN, -200, 150, -20), RC_SUCCESS);
    int h = 0, s = 0, l = 0;
    EXPECT_EQ(ZOQ_HueSaturationGet(0, ZOQ_HUE_CYAN, &h, &s, &l), RC_SUCCESS);
    EXPECT_EQ(h, -180);
    EXPECT_EQ(s, 100);
    EXPECT_EQ(l, -20);
    EXPECT_EQ(ZOQ_HueSaturationSet(0, static_cast<ZOQHueRange>(7), 1, 1, 1), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_HueSaturationGet(0, static_cast<ZOQHueRange>(-1), &h, &s, &l), RC_PARAMETER_ERROR);
    bool on = true;
    EXPECT_EQ(ZOQ_HueSaturationGetEnable(0, &on), RC_SUCCESS);
    EXPECT_FALSE(on);
}

}  // namespace
