/* The EV76C560 (two exposure forms, clock from its clock registers, gains,
 * subsampling window) and the ISG4006A and ISG1307 (24-bit line counts,
 * 5-bit gain, 12-bit row windows, fixed or FPGA-cut columns, flip bits). */
#include <gtest/gtest.h>

#include <algorithm>

#include "ChipTestSupport.h"
#include "ZOQCam_Imp_Sensor_EV76C560.h"
#include "ZOQCam_Imp_Sensor_ISG1307.h"
#include "ZOQCam_Imp_Sensor_ISG4006A.h"

using Op = FakeZOQDevice::Op;

namespace {

constexpr float kT57 = 1.0f / 57000.0f;

void PowerOnEv76c560(FakeZOQDevice& d) {
    d.sensor = {{4, 180},   {8, 0x0310}, {9, 0x1F12}, {14, 396},   {18, 0}, {19, 1024},
                {20, 0},    {21, 1280},  {26, 0},     {58, 0x40}, {118, 0}};
}

void PowerOnIsg4006a(FakeZOQDevice& d) {
    d.sensor = {{270, 0}, {269, 0}, {268, 0x00}, {267, 0x08}, {326, 0x0E}, {325, 0x06}, {324, 0}, {312, 0x40}};
}

void PowerOnIsg1307(FakeZOQDevice& d) {
    d.sensor = {{347, 0}, {346, 0}, {345, 0x00}, {344, 0x04}, {404, 0x4D}, {403, 0x07}, {402, 0}};
    d.fpga[1] = 1280;
    d.fpga[43] = 0;
}

unsigned Lines(IZOQSensor& cam) {
    unsigned lines = 0;
    cam.Sensor_GetExposureLines(&lines);
    return lines;
}

// The clock an oscillator trim gives, in Hz.
double OscillatorHz(unsigned trim) { return 1.0 / (5.3404e-7 / (trim + 36) + 3.4e-9); }

}  // namespace

TEST(EV76C560, LineCountExposure) {
    ChipOnFake<CZOQCamEV76C560> chip;
    PowerOnEv76c560(chip.device);
    CZOQCamEV76C560& cam = chip.Create(g_ZOQCapability_58, 9, 0);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(396), 180 * 8 * 396 * kT57, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10.0f), 396u);
    unsigned low = 9, high = 0;
    cam.Sensor_GetExposureLinesRange(&low, &high);
    EXPECT_EQ(low, 0u);
    EXPECT_EQ(high, 65534u);
    EXPECT_EQ(cam.Sensor_SetExposureLines(70000), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{14, 65534}}));
    EXPECT_EQ(cam.Sensor_SetExposureLines(0), 0);
    EXPECT_EQ(chip.device.sensor[14], 0);
    // A new line length changes the time (register 4 is not re-timed).
    cam.Sensor_SetExposureLines(396);
    cam.Sensor_WrRelatedRegValue(4, 360, nullptr);
    EXPECT_EQ(chip.device.sensor[14], 396);
    float ms = 0;
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, 360 * 8 * 396 * kT57, 1e-4);
}

TEST(EV76C560, LineLengthExposureAndItsClock) {
    ChipOnFake<CZOQCamEV76C560> chip;
    PowerOnEv76c560(chip.device);
    CZOQCamEV76C560& cam = chip.Create(g_ZOQCapability_58, 9, 0);
    cam.Sensor_WrRelatedRegValue(118, 0x0800, nullptr);
    EXPECT_EQ(Lines(cam), 180u);
    // The time is one line, whatever the count.
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(5), 1440 * kT57, 1e-6);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(1440 * kT57), 180u);

    // Up to 111: the oscillator trim takes the inverted count, the line is 0x70.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetExposureLines(50), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{58, 0x4D}, {4, 0x70}}));
    // From 112 on: a fixed trim of 0x40 and the count as line length (at most 2047).
    chip.device.sensor[4] = 0;
    cam.Sensor_WrRelatedRegValue(4, 0xF800 | 0x70, nullptr);
    EXPECT_EQ(cam.Sensor_SetExposureLines(500), 0);
    EXPECT_EQ(chip.device.sensor[58], 0x40);
    EXPECT_EQ(chip.device.sensor[4], 0xF800 | 500);
    EXPECT_EQ(cam.Sensor_SetExposureLines(5000), 0);
    EXPECT_EQ(chip.device.sensor[4], 0xF800 | 2047);
    // A failed trim write leaves the line length alone.
    chip.device.calls.clear();
    chip.device.Fail(Op::WrSensor, RC_TIMEOUT, 58);
    EXPECT_EQ(cam.Sensor_SetExposureLines(20), RC_TIMEOUT);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor), (std::vector<unsigned>{58}));
    chip.device.ClearFailures();

    // The clock follows the clock registers when the trim is written: the
    // oscillator (source 2), divided by 1.
    cam.Sensor_WrRelatedRegValue(118, 0, nullptr);
    cam.Sensor_WrRelatedRegValue(8, 0x0210, nullptr);
    cam.Sensor_WrRelatedRegValue(58, 0x41, nullptr);
    const float period = static_cast<float>(1000.0 / static_cast<float>(OscillatorHz(0x41)));
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), 2047 * 8 * 100 * period, 1e-4);
    // 96 MHz divided by 3.
    cam.Sensor_WrRelatedRegValue(8, 0x0130, nullptr);
    cam.Sensor_WrRelatedRegValue(58, 0x42, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), 2047 * 8 * 100 * (3000.0 / 96e6), 1e-4);
    // Bit 12 takes the source of bits 10-11: the PLL, 96 MHz x 38 / 64 = 57 MHz.
    cam.Sensor_WrRelatedRegValue(8, 0x1C10, nullptr);
    cam.Sensor_WrRelatedRegValue(58, 0x43, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), 2047 * 8 * 100 * kT57, 1e-4);
    // No source: the last period stays.
    cam.Sensor_WrRelatedRegValue(8, 0x0010, nullptr);
    cam.Sensor_WrRelatedRegValue(58, 0x44, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), 2047 * 8 * 100 * kT57, 1e-4);
}

TEST(EV76C560, GainsWindowAndBits) {
    ChipOnFake<CZOQCamEV76C560> chip;
    PowerOnEv76c560(chip.device);
    CZOQCamEV76C560& cam = chip.Create(g_ZOQCapability_58, 9, 0);
    EXPECT_EQ(cam.Sensor_SetGainGlobal(40), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{55, 40}, {54, 40}}));
    EXPECT_EQ(cam.Sensor_SetGainR(10), 0);
    EXPECT_EQ(cam.Sensor_SetGainG(300), 0);
    EXPECT_EQ(chip.device.sensor[55], 10);
    EXPECT_EQ(chip.device.sensor[54], 255);
    unsigned index = 0;
    cam.Sensor_GetGainB(&index);
    EXPECT_EQ(index, 10u);
    cam.Sensor_GetGainG(&index);
    EXPECT_EQ(index, 255u);

    // The window registers hold the values themselves; the subsampling
    // field is the address mode.
    Window w{0, 0, 10, 2000, ZOQ_ADDRESSMODE_STEP3, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{0, 0, 16, 1024, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    chip.device.calls.clear();
    EXPECT_EQ(SetFov(cam, {16, 8, 640, 512, ZOQ_ADDRESSMODE_STEP4, ZOQ_ADDRESSMODE_STEP4}), 0);
    EXPECT_EQ(SensorWrites(chip.device),
              (std::vector<RegValue>{{20, 16}, {18, 8}, {21, 640}, {19, 512}, {26, 3}}));
    EXPECT_EQ(GetFov(cam), (Window{16, 8, 640, 512, ZOQ_ADDRESSMODE_STEP4, ZOQ_ADDRESSMODE_STEP4}));
    EXPECT_EQ(CaptureSize(cam), std::make_pair(160, 128));
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP8, nullptr), 0);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_STEP8);

    // Register 7: mirror bit 0, flip bit 1, strobe polarity bit 2; the
    // strobe itself is bit 0 of register 11.
    EXPECT_EQ(cam.Sensor_SetMirror(true), 0);
    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_EQ(chip.device.sensor[7], 0x07);
    EXPECT_EQ(chip.device.sensor[11], 0x01);

    // Monochrome type 59: a colour gain is the global gain.
    ChipOnFake<CZOQCamEV76C560> mono;
    PowerOnEv76c560(mono.device);
    CZOQCamEV76C560& cam59 = mono.Create(g_ZOQCapability_59, 6, 3);
    EXPECT_EQ(cam59.Sensor_SetGainB(7), 0);
    EXPECT_EQ(SensorWrites(mono.device), (std::vector<RegValue>{{55, 7}, {54, 7}}));
}

TEST(ISG4006A, ExposureGainAndInvertedFlip) {
    ChipOnFake<CZOQCamISG4006A> chip;
    PowerOnIsg4006a(chip.device);
    chip.device.sensor[23] = 0xE0;
    CZOQCamISG4006A& cam = chip.Create(g_ZOQCapability_111, 9, 0);
    const float line = 2580 / 400000.0f;
    EXPECT_EQ(Lines(cam), 0x060Eu);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(1550), 1550 * line, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10.0f), 1550u);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0x123456), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{326, 0x56}, {325, 0x34}, {324, 0x12}}));
    // Up to 0x3FFFFFF lines, of which 24 bits are written.
    EXPECT_EQ(cam.Sensor_SetExposureLines(0xFFFFFFF), 0);
    EXPECT_EQ(Lines(cam), 0xFFFFFFu);
    unsigned low = 0, high = 0;
    cam.Sensor_GetExposureLinesRange(&low, &high);
    EXPECT_EQ(high, 0x3FFFFFFu);

    EXPECT_EQ(cam.Sensor_SetGainGlobal(20), 0);
    EXPECT_EQ(chip.device.sensor[23], 0xEF);  // 15, the upper 3 bits kept
    EXPECT_EQ(cam.Sensor_SetGainR(3), 0);
    unsigned index = 0;
    cam.Sensor_GetGainB(&index);
    EXPECT_EQ(index, 3u);

    bool on = false;
    EXPECT_EQ(cam.Sensor_GetFlip(&on), 0);
    EXPECT_FALSE(on);  // the bit is set while not flipped
    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(chip.device.sensor[312], 0x00);
    EXPECT_EQ(cam.Sensor_GetFlip(&on), 0);
    EXPECT_TRUE(on);
    EXPECT_EQ(cam.Sensor_SetMirror(true), RC_NOT_SUPPORTED);
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_TRUE(chip.device.calls.empty());
}

TEST(ISG4006A, FullWidthWindowInStepsOfFour) {
    ChipOnFake<CZOQCamISG4006A> chip;
    PowerOnIsg4006a(chip.device);
    chip.device.sensor[269] = 0xA0;  // other settings in the top bits
    CZOQCamISG4006A& cam = chip.Create(g_ZOQCapability_111, 9, 0);
    EXPECT_EQ(CaptureSize(cam), std::make_pair(2048, 2048));

    Window w{5, 6, 100, 0, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_STEP3};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{0, 8, 2048, 4, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_STEP3}));
    w = {0, 2045, 2048, 3000, static_cast<ZOQ_ADDRESSMODE>(-1), ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{0, 0, 2048, 2048, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    w = {0, 2045, 2048, 1001, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), RC_NOT_SUPPORTED);
    EXPECT_EQ(w.rowSize, 1004u);
    EXPECT_EQ(w.rowStart, 1044u);
    w = {0, 0, 2048, 4, static_cast<ZOQ_ADDRESSMODE>(7), ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), RC_NOT_SUPPORTED);
    EXPECT_EQ(w.columnMode, ZOQ_ADDRESSMODE_STEP8);

    // Only the rows are written, keeping the top bits of each high register.
    chip.device.calls.clear();
    EXPECT_EQ(SetFov(cam, {0, 0x123, 2048, 1000, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{270, 0x23}, {269, 0xA1}, {268, 0xE8}, {267, 0x03}}));
    EXPECT_EQ(GetFov(cam), (Window{0, 0x123, 2048, 1000, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    EXPECT_EQ(CaptureSize(cam), std::make_pair(2048, 1000));
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_NORMAL, nullptr), RC_NOT_SUPPORTED);
    // A failed write stops the sequence.
    chip.device.calls.clear();
    chip.device.Fail(Op::WrSensor, RC_TIMEOUT, 268);
    EXPECT_EQ(SetFov(cam, {0, 4, 2048, 8, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), RC_TIMEOUT);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor), (std::vector<unsigned>{270, 269, 268}));
}

TEST(ISG1307, LineTimeGainAndFlip) {
    ChipOnFake<CZOQCamISG1307> chip;
    PowerOnIsg1307(chip.device);
    chip.device.sensor[30] = 0xA0;
    CZOQCamISG1307& cam = chip.Create(g_ZOQCapability_115_ISG1307);
    // A line lasts 321 / 60 = 5.35 us.
    EXPECT_EQ(Lines(cam), 1869u);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(1869), 5.35f * 1869 / 1000, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10.0f), 1869u);
    EXPECT_EQ(cam.Sensor_SetExposureLines(5000), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{404, 0xFF}, {403, 0x0F}}));
    EXPECT_EQ(cam.Sensor_SetExposureLines(0), 0);
    EXPECT_EQ(Lines(cam), 1u);

    EXPECT_EQ(cam.Sensor_SetGainG(40), 0);
    EXPECT_EQ(chip.device.sensor[30], 0xBF);
    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(chip.device.sensor[389], 0x40);
    EXPECT_EQ(cam.Sensor_SetMirror(true), RC_NOT_SUPPORTED);
}

TEST(ISG1307, RowsInTheSensorColumnsInTheFpga) {
    ChipOnFake<CZOQCamISG1307> chip;
    PowerOnIsg1307(chip.device);
    chip.device.sensor[346] = 0x50;
    CZOQCamISG1307& cam = chip.Create(g_ZOQCapability_115_ISG1307);
    EXPECT_EQ(CaptureSize(cam), std::make_pair(1280, 1024));

    Window w{1200, 0, 100, 2000, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{1120, 0, 160, 1024, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));

    EXPECT_EQ(SetFov(cam, {160, 0x164, 640, 512, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{347, 0x64}, {346, 0x51}, {344, 0x02}}));
    std::vector<FakeZOQDevice::Call> fpga = chip.device.CallsOf(Op::WrFpga);
    EXPECT_EQ(fpga, (std::vector<FakeZOQDevice::Call>{{Op::WrFpga, 43, 160}, {Op::WrFpga, 1, 640}}));
    EXPECT_EQ(GetFov(cam), (Window{160, 0x164, 640, 512, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    EXPECT_EQ(CaptureSize(cam), std::make_pair(640, 512));

    // A failed row write leaves the columns alone.
    chip.device.calls.clear();
    chip.device.Fail(Op::WrSensor, RC_TIMEOUT, 345);
    EXPECT_EQ(SetFov(cam, {0, 0, 320, 100, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), RC_TIMEOUT);
    EXPECT_TRUE(chip.device.CallsOf(Op::WrFpga).empty());
    // The columns come back with the FPGA's recovery, the rows with the sensor's.
    chip.device.ClearFailures();
    chip.device.calls.clear();
    EXPECT_EQ(cam.Cam_RecoverRelatedRegValue(), 0);
    std::vector<unsigned> fpgaWrites = chip.device.Addresses(Op::WrFpga);
    EXPECT_NE(std::find(fpgaWrites.begin(), fpgaWrites.end(), 1u), fpgaWrites.end());
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor),
              (std::vector<unsigned>{347, 346, 345, 344, 30, 404, 403, 402, 389, 406}));
}
