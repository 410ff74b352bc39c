// Every export that takes a float refuses NaN and infinities before the
// value reaches an integer conversion, and keeps its setting as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "SimulatedCameraTest.h"

namespace {

// One float-taking export: how to put v into it, and what it holds now
// (read back through its getter).
struct FloatSetter {
    const char* name;
    int deviceType;  // a camera on which the setter takes finite values
    std::function<int(int index, float v)> set;
    std::function<std::vector<float>(int index)> state;
};

std::vector<float> Exposure(int index) {
    float ms = -1;
    ZOQ_ExposureTimeGet(index, &ms);
    return {ms};
}

std::vector<float> FrameRate(int index) {
    float fps = -1;
    ZOQ_GetFixedFrameRateEx(index, &fps);
    return {fps};
}

std::vector<float> EepromGains(int index) {
    float gains[3] = {-1, -1, -1};
    ZOQ_HWBMatrixReadout(index, gains);
    return {gains, gains + 3};
}

std::vector<float> EepromMatrix(int index) {
    float m[3][3] = {};
    ZOQ_HCCMMatrixReadout(index, m);
    return {&m[0][0], &m[0][0] + 9};
}

std::vector<float> SoftwareGains(int index) {
    float gains[3] = {-1, -1, -1};
    ZOQ_WhiteBalanceMatrixGet(index, gains);
    return {gains, gains + 3};
}

std::vector<float> SoftwareMatrix(int index) {
    float m[3][3] = {};
    ZOQ_ColorCorrectionMatrixGet(index, m);
    return {&m[0][0], &m[0][0] + 9};
}

std::vector<float> PeakRatio(int index) {
    float ratio = -1;
    ZOQ_AEGetPeakAveRatio(index, &ratio);
    return {ratio};
}

std::vector<float> AeRange(int index) {
    float low = -1, high = -1;
    ZOQ_AEGetExposureTimeRange(index, &low, &high);
    return {low, high};
}

// The value goes last in the arrays, so that a matrix stopped part way
// would show in its state.
const FloatSetter kSetters[] = {
    {"ExposureTimeSet", 52, [](int index, float v) { return ZOQ_ExposureTimeSet(index, v); },
     Exposure},
    {"SetFixedFrameRateEx", 53,
     [](int index, float v) { return ZOQ_SetFixedFrameRateEx(index, v); }, FrameRate},
    {"HWBMatrixProgram", 52,
     [](int index, float v) {
         float gains[3] = {1.0f, 0.5f, v};
         return ZOQ_HWBMatrixProgram(index, gains);
     },
     EepromGains},
    {"HCCMMatrixProgram", 52,
     [](int index, float v) {
         float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, v}};
         return ZOQ_HCCMMatrixProgram(index, m);
     },
     EepromMatrix},
    {"WhiteBalanceMatrixSet", 52,
     [](int index, float v) {
         float gains[3] = {1.25f, 1.0f, v};
         return ZOQ_WhiteBalanceMatrixSet(index, gains);
     },
     SoftwareGains},
    {"ColorCorrectionMatrixSet", 52,
     [](int index, float v) {
         float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, v}};
         return ZOQ_ColorCorrectionMatrixSet(index, m);
     },
     SoftwareMatrix},
    {"AESetPeakAveRatio", 52, [](int index, float v) { return ZOQ_AESetPeakAveRatio(index, v); },
     PeakRatio},
    {"AESetExposureTimeRange (min)", 52,
     [](int index, float v) { return ZOQ_AESetExposureTimeRange(index, v, 10.0f); }, AeRange},
    {"AESetExposureTimeRange (max)", 52,
     [](int index, float v) { return ZOQ_AESetExposureTimeRange(index, 1.0f, v); }, AeRange},
};

class NonFinite : public zoqtest::SimulatedCameraTest {
protected:
    // A colour camera with a type 1 EEPROM (52) and one with a fixed frame
    // rate (53).
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        Attach(52, 1);
        Attach(53, 2);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 2);
        for (int index = 0; index < 2; ++index) {
            unsigned short type = 0;
            ASSERT_EQ(ZOQ_DeviceGetInformation(index, &type, nullptr, nullptr), RC_SUCCESS);
            (type == 52 ? m_colour : m_fixedRate) = index;
        }
        // Modes in which every setter of the table stores its value.
        ASSERT_EQ(ZOQ_TriggerModeSet(m_fixedRate, ZOQ_TRIGGERMODE_FIXED_FRAMERATE), RC_SUCCESS);
        ASSERT_EQ(ZOQ_WhiteBalanceSet(m_colour, ZOQ_WB_SOFT_MANUAL), RC_SUCCESS);
        ASSERT_EQ(ZOQ_ColorCorrectionSet(m_colour, ZOQ_CCM_SOFT_MANUAL), RC_SUCCESS);
    }

    int m_colour = -1;
    int m_fixedRate = -1;
};

TEST_F(NonFinite, EveryFloatSetterRefusesNanAndInfinity) {
    const float values[] = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    for (const FloatSetter& setter : kSetters) {
        const int index = setter.deviceType == 52 ? m_colour : m_fixedRate;
        // A finite value is taken, so the refusal below is about the value.
        ASSERT_EQ(setter.set(index, 2.0f), RC_SUCCESS) << setter.name;
        const std::vector<float> before = setter.state(index);
        for (float v : values) {
            EXPECT_EQ(setter.set(index, v), RC_PARAMETER_ERROR) << setter.name << " " << v;
            EXPECT_EQ(setter.state(index), before) << setter.name << " " << v;
        }
    }
}

}  // namespace
