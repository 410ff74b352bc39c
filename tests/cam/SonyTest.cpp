/* The Sony IMX sensor classes: frame count and shutter start, exposure
 * conversions, line and frame length after a window change, window
 * registers and checks, gain, flip, mirror, strobe and address modes of the
 * IMX250 family, IMX174/IMX249, IMX178 and IMX290. */
#include <gtest/gtest.h>

#include <algorithm>

#include "ChipTestSupport.h"
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "ZOQCam_Imp_Sensor_IMX178.h"
#include "ZOQCam_Imp_Sensor_IMX250.h"
#include "ZOQCam_Imp_Sensor_IMX264.h"
#include "ZOQCam_Imp_Sensor_IMX265.h"
#include "ZOQCam_Imp_Sensor_IMX287.h"
#include "ZOQCam_Imp_Sensor_IMX290.h"

using Op = FakeZOQDevice::Op;

namespace {

constexpr float kT99 = 1.0f / 99000.0f;  // ms per clock at 99 MHz

// A full window of 16-bit values at the given addresses.
void SetFullWindow(FakeZOQDevice& d, const unsigned (&addresses)[4], unsigned columns, unsigned rows) {
    const unsigned values[4] = {0, 0, columns, rows};
    for (unsigned i = 0; i < 4; ++i) SetBytes(d, addresses[i], 2, values[i]);
}

// The IMX250 family's window, frame and line length and shutter.
void PowerOnImx250Family(FakeZOQDevice& d, unsigned columns, unsigned rows, unsigned vmax,
                         unsigned hmax, unsigned shs, unsigned svs) {
    SetFullWindow(d, {1296, 1298, 1300, 1302}, columns, rows);
    SetBytes(d, 528, 3, vmax);
    SetBytes(d, 532, 2, hmax);
    SetBytes(d, 653, 3, shs);
    SetBytes(d, 656, 2, svs);
}

void PowerOnImx250(FakeZOQDevice& d) { PowerOnImx250Family(d, 2464, 2056, 2094, 632, 528, 0); }

void PowerOnImx174(FakeZOQDevice& d) {
    SetFullWindow(d, {769, 771, 773, 775}, 1936, 1216);
    SetBytes(d, 535, 2, 1254);
    SetBytes(d, 538, 2, 1952);
    SetBytes(d, 666, 2, 747);
    SetBytes(d, 668, 2, 0);
}

void PowerOnImx178(FakeZOQDevice& d) {
    SetFullWindow(d, {924, 928, 926, 930}, 3096, 2080);
    d.sensor[525] = 1;
    SetBytes(d, 556, 3, 2110);
    SetBytes(d, 559, 2, 1175);
    SetBytes(d, 564, 3, 1478);
}

void PowerOnImx290(FakeZOQDevice& d) {
    SetFullWindow(d, {576, 572, 578, 574}, 1944, 1096);
    SetBytes(d, 536, 3, 1109);
    SetBytes(d, 540, 2, 4400);
    SetBytes(d, 544, 3, 770);
}

unsigned Lines(IZOQSensor& cam) {
    unsigned lines = 0;
    cam.Sensor_GetExposureLines(&lines);
    return lines;
}

}  // namespace

TEST(IMX250Exposure, FrameCountAndShutterStartOfALineCount) {
    ChipOnFake<CZOQCamIMX250> chip;
    PowerOnImx250(chip.device);
    CZOQCamIMX250& cam = chip.Create(g_ZOQCapability_104);
    const unsigned vmax = 2094;
    EXPECT_EQ(Lines(cam), vmax - 528);

    // 2 x VMAX lines: two whole frames.
    EXPECT_EQ(cam.Sensor_SetExposureLines(2 * vmax), 0);
    EXPECT_EQ(GetBytes(chip.device, 653, 3), 0u);
    EXPECT_EQ(GetBytes(chip.device, 656, 2), 1u);
    // VMAX + 1 lines: the shutter opens one line before the first frame ends.
    EXPECT_EQ(cam.Sensor_SetExposureLines(vmax + 1), 0);
    EXPECT_EQ(GetBytes(chip.device, 653, 3), vmax - 1);
    EXPECT_EQ(GetBytes(chip.device, 656, 2), 1u);
    EXPECT_EQ(Lines(cam), vmax + 1);
    EXPECT_EQ(GetBytes(chip.device, 628, 3), vmax + 1);  // the strobe pulse follows

    // SVS before SHS; only changed bytes are written.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetExposureLines(vmax), 0);
    EXPECT_EQ(SensorWrites(chip.device),
              (std::vector<RegValue>{{656, 0}, {653, 0}, {654, 0}, {628, vmax & 0xFF}}));

    // The range is 1 .. VMAX x 65536; the pulse stops at 0xFFFF.
    unsigned low = 0, high = 0;
    cam.Sensor_GetExposureLinesRange(&low, &high);
    EXPECT_EQ(low, 1u);
    EXPECT_EQ(high, vmax * 65536u);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0xFFFFFFFFu), 0);
    EXPECT_EQ(GetBytes(chip.device, 656, 2), 0xFFFFu);
    EXPECT_EQ(GetBytes(chip.device, 653, 3), 0u);
    EXPECT_EQ(GetBytes(chip.device, 628, 3), 0xFFFFu);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0), 0);
    EXPECT_EQ(Lines(cam), 1u);

    // A failed SVS write leaves SHS alone.
    chip.device.calls.clear();
    chip.device.Fail(Op::WrSensor, RC_TIMEOUT, 656);
    EXPECT_EQ(cam.Sensor_SetExposureLines(3 * vmax), RC_TIMEOUT);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor), (std::vector<unsigned>{656}));
}

TEST(IMX250Exposure, MillisecondsWithTheFixedPartOfALine) {
    ChipOnFake<CZOQCamIMX250> chip;
    PowerOnImx250(chip.device);
    CZOQCamIMX250& cam = chip.Create(g_ZOQCapability_104);
    const float line = 632 * kT99;
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(1000), 1000 * line + 0.15f * line, 1e-5);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(1000.15f * line), 1000u);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(0.1f * line), 1u);  // within the fixed part
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(0.6f * line), 1u);
    float ms = 0;
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, 1566.15f * line, 1e-4);  // the power-on lines
    float low = 0, high = 0;
    cam.Sensor_GetExposureTimeRange(&low, &high);
    EXPECT_NEAR(low, 1.15f * line, 1e-6);
    EXPECT_NEAR(high, (2094.0f * 65536 + 0.15f) * line, 1.0f);

    // A narrower window shortens the line; the time asked for is kept.
    EXPECT_EQ(cam.Sensor_SetExposureTime(10.0f), 0);
    EXPECT_EQ(Lines(cam), 1566u);
    EXPECT_EQ(cam.Sensor_SetFov(0, 0, 1000, 2056, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL), 0);
    EXPECT_EQ(GetBytes(chip.device, 532, 2), 519u);
    EXPECT_EQ(Lines(cam), 1907u);
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, 10.0f, 519 * kT99);
}

TEST(IMX250Family, WindowSetsLineAndFrameLength) {
    struct Case {
        unsigned columns, rows, hmax, vmax;
    };
    auto run = [](auto& chip, const ZOQCapabilityTable& table, const Case& c) {
        PowerOnImx250Family(chip.device, 2464, 2056, 2094, 632, 528, 0);
        auto& cam = chip.Create(table);
        EXPECT_EQ(cam.Sensor_SetFov(8, 4, c.columns, c.rows, ZOQ_ADDRESSMODE_NORMAL,
                                    ZOQ_ADDRESSMODE_NORMAL),
                  0);
        EXPECT_EQ(GetBytes(chip.device, 532, 2), c.hmax) << c.columns;
        EXPECT_EQ(GetBytes(chip.device, 528, 3), c.vmax) << c.rows;
    };
    for (const Case& c : {Case{2011, 800, 519, 838}, Case{2012, 2056, 519, 2094}, Case{2464, 4, 632, 42}}) {
        ChipOnFake<CZOQCamIMX250> chip;
        run(chip, g_ZOQCapability_104, c);
    }
    for (const Case& c : {Case{1000, 100, 700, 138}, Case{1024, 100, 528, 138}, Case{2464, 100, 1248, 138}}) {
        ChipOnFake<CZOQCamIMX264> chip;
        run(chip, g_ZOQCapability_95, c);
    }
    for (const Case& c : {Case{975, 100, 519, 138}, Case{976, 100, 520, 138}, Case{2064, 100, 1064, 138}}) {
        ChipOnFake<CZOQCamIMX265> chip;
        run(chip, g_ZOQCapability_120, c);
    }
    // IMX287: a fixed line of 512 clocks and a frame of rows + 42.
    ChipOnFake<CZOQCamIMX287> chip;
    run(chip, g_ZOQCapability_114, Case{400, 300, 512, 342});
}

TEST(IMX250Family, WindowRegistersAndCheck) {
    ChipOnFake<CZOQCamIMX250> chip;
    PowerOnImx250(chip.device);
    CZOQCamIMX250& cam = chip.Create(g_ZOQCapability_104);
    EXPECT_EQ(SetFov(cam, {0x123, 0x45, 1000, 800, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), 0);
    std::vector<RegValue> writes = SensorWrites(chip.device);
    writes.resize(6);
    EXPECT_EQ(writes, (std::vector<RegValue>{{1296, 0x23}, {1297, 0x01}, {1298, 0x45}, {1300, 0xE8},
                                             {1301, 0x03}, {1302, 0x20}}));
    EXPECT_EQ(GetFov(cam), (Window{0x123, 0x45, 1000, 800, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    EXPECT_EQ(CaptureSize(cam), std::make_pair(1000, 800));

    // The check keeps the sizes within 4 .. 2464 and 4 .. 2056; no skip mode.
    Window w{2400, 10, 2, 3000, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{2400, 0, 4, 2056, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP2, nullptr), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_NORMAL);

    // A failed window write stops the sequence.
    chip.device.calls.clear();
    chip.device.Fail(Op::WrSensor, RC_TIMEOUT, 1298);
    EXPECT_EQ(SetFov(cam, {0, 2, 1000, 800, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), RC_TIMEOUT);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor), (std::vector<unsigned>{1296, 1297, 1298}));
}

TEST(IMX250Family, GainFlipMirrorAndStrobe) {
    ChipOnFake<CZOQCamIMX264> chip;
    PowerOnImx250Family(chip.device, 2464, 2056, 2094, 1248, 1301, 0);
    chip.device.sensor[526] = 0x80;
    CZOQCamIMX264& cam = chip.Create(g_ZOQCapability_95);
    unsigned gain = 0, low = 9, high = 0;
    cam.Sensor_GetGainRange(&low, &high);
    EXPECT_EQ(low, 0u);
    EXPECT_EQ(high, 480u);
    EXPECT_EQ(cam.Sensor_SetGainGlobal(500), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{1028, 0xE0}, {1029, 0x01}}));
    EXPECT_EQ(cam.Sensor_SetGainR(100), 0);  // every channel is the one gain
    cam.Sensor_GetGainB(&gain);
    EXPECT_EQ(gain, 100u);

    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(chip.device.sensor[526], 0x81);
    EXPECT_EQ(cam.Sensor_SetMirror(true), 0);
    EXPECT_EQ(chip.device.sensor[526], 0x83);
    EXPECT_EQ(cam.Sensor_SetFlip(false), 0);
    bool on = false;
    EXPECT_EQ(cam.Sensor_GetMirror(&on), 0);
    EXPECT_TRUE(on);

    // The strobe calls are accepted and do nothing.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    on = true;
    EXPECT_EQ(cam.Sensor_IsFlashEnable(&on), 0);
    EXPECT_TRUE(on);  // left as it was
    EXPECT_TRUE(chip.device.calls.empty());

    // Type 104 offers neither flip nor mirror.
    ChipOnFake<CZOQCamIMX250> colour;
    PowerOnImx250(colour.device);
    CZOQCamIMX250& imx250 = colour.Create(g_ZOQCapability_104);
    on = true;
    EXPECT_EQ(imx250.Sensor_SetFlip(true), RC_NOT_SUPPORTED);
    EXPECT_EQ(imx250.Sensor_SetMirror(true), RC_NOT_SUPPORTED);
    EXPECT_EQ(imx250.Sensor_GetFlip(&on), RC_NOT_SUPPORTED);
    EXPECT_FALSE(on);
    EXPECT_TRUE(colour.device.calls.empty());
}

TEST(IMX287, FixedLineLengthAndStrobePulse) {
    ChipOnFake<CZOQCamIMX287> chip;
    PowerOnImx250Family(chip.device, 728, 544, 586, 512, 410, 3);
    chip.device.sensor[550] = 0x10;
    chip.device.sensor[553] = 0xFE;
    CZOQCamIMX287& cam = chip.Create(g_ZOQCapability_114);
    EXPECT_EQ(Lines(cam), 586u * 4 - 410);
    // No fixed part in the exposure time.
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), 100 * 512 * kT99, 1e-6);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(100.4f * 512 * kT99), 100u);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(0.0f), 1u);

    // The line length's high byte goes past the cache: written on every
    // window change, and the cache keeps what it held.
    cam.Sensor_WrRelatedRegValue(533, 5, nullptr);
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetFov(0, 0, 728, 544, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL), 0);
    ASSERT_FALSE(chip.device.Addresses(Op::WrSensor).empty());
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor).front(), 533u);
    EXPECT_EQ(chip.device.sensor[533], 2);
    chip.device.calls.clear();
    cam.Sensor_RecoverRelatedRegValue();
    std::vector<RegValue> recovered = SensorWrites(chip.device);
    EXPECT_NE(std::find(recovered.begin(), recovered.end(), RegValue(533, 5)), recovered.end());

    // Strobe: 550 bits 0-1, 553 low bits 1 (bits 3-7 kept), 621 bit 1; 621
    // bit 2 inverts.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{550, 0x13}, {553, 0xF9}, {621, 0x02}}));
    bool on = false;
    EXPECT_EQ(cam.Sensor_IsFlashEnable(&on), 0);
    EXPECT_TRUE(on);
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    EXPECT_EQ(chip.device.sensor[621], 0x06);
    EXPECT_EQ(cam.Sensor_IsFlashInvert(&on), 0);
    EXPECT_TRUE(on);
    // The low three bits of 553 must read 1.
    cam.Sensor_WrRelatedRegValue(553, 0xFB, nullptr);
    cam.Sensor_IsFlashEnable(&on);
    EXPECT_FALSE(on);
    EXPECT_EQ(cam.Sensor_EnableFlash(false), 0);
    EXPECT_EQ(chip.device.sensor[550], 0x10);
    EXPECT_EQ(chip.device.sensor[553], 0xF8);
    EXPECT_EQ(chip.device.sensor[621], 0x04);

    // A failed step stops the sequence.
    chip.device.calls.clear();
    chip.device.Fail(Op::WrSensor, RC_TIMEOUT, 553);
    EXPECT_EQ(cam.Sensor_EnableFlash(true), RC_TIMEOUT);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor), (std::vector<unsigned>{550, 553}));
    // The pulse registers carry the line count.
    chip.device.ClearFailures();
    EXPECT_EQ(cam.Sensor_SetExposureLines(0x12345), 0);
    EXPECT_EQ(GetBytes(chip.device, 628, 3), 0xFFFFu);
    EXPECT_EQ(cam.Sensor_SetExposureLines(1000), 0);
    EXPECT_EQ(GetBytes(chip.device, 628, 3), 1000u);
}

TEST(IMX174, ExposureWithItsFixedOffset) {
    ChipOnFake<CZOQCamIMX174> chip;
    PowerOnImx174(chip.device);
    CZOQCamIMX174& cam = chip.Create(g_ZOQCapability_106);
    const float line = 1952 * kT99;
    EXPECT_EQ(Lines(cam), 1254u - 747);
    // 0.01 ms is within the fixed 13.73 us: one line.
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(0.01f), 1u);
    EXPECT_EQ(cam.Sensor_SetExposureTime(0.01f), 0);
    EXPECT_EQ(Lines(cam), 1u);
    EXPECT_EQ(GetBytes(chip.device, 666, 2), 1253u);
    EXPECT_EQ(GetBytes(chip.device, 668, 2), 0u);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(500), 500 * line + 0.01373f, 1e-5);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(500.3f * line + 0.01373f), 500u);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(0.6f * line + 0.01373f), 1u);

    // 16-bit SVS and SHS, SVS first; the pulse (634, 635) follows.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetExposureLines(3 * 1254 + 4), 0);
    EXPECT_EQ(GetBytes(chip.device, 668, 2), 3u);
    EXPECT_EQ(GetBytes(chip.device, 666, 2), 1250u);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor).front(), 668u);
    EXPECT_EQ(GetBytes(chip.device, 634, 2), 3u * 1254 + 4);
}

TEST(IMX174, LineAndFrameLengthOfAWindow) {
    ChipOnFake<CZOQCamIMX174> chip;
    PowerOnImx174(chip.device);
    chip.device.sensor[536] = 0xA4;  // VMAX bits 8-11 in the low nibble; the rest kept
    CZOQCamIMX174& cam = chip.Create(g_ZOQCapability_107);
    EXPECT_EQ(Lines(cam), 1254u - 747);  // VMAX read as 12 bits
    EXPECT_EQ(cam.Sensor_SetFov(0, 0, 96, 600, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL), 0);
    EXPECT_EQ(GetBytes(chip.device, 538, 2), 608u);  // at least 608 clocks
    EXPECT_EQ(chip.device.sensor[535], 0x7E);      // VMAX 638 = 0x27E
    EXPECT_EQ(chip.device.sensor[536], 0xA2);
    EXPECT_EQ(cam.Sensor_SetFov(0, 0, 1000, 600, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL), 0);
    EXPECT_EQ(GetBytes(chip.device, 538, 2), 1016u);
    Window w{0, 1300, 50, 0, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{0, 1214, 96, 2, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
}

TEST(IMX174, StrobeAndTheIMX249Body) {
    ChipOnFake<CZOQCamIMX249> chip;
    PowerOnImx174(chip.device);
    chip.device.sensor[562] = 0xFE;
    CZOQCamIMX249& cam = chip.Create(g_ZOQCapability_92);
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{559, 0x03}, {562, 0xF9}, {630, 0x02}}));
    bool on = false;
    cam.Sensor_IsFlashEnable(&on);
    EXPECT_TRUE(on);
    // Only bit 0 of 562 counts here.
    cam.Sensor_WrRelatedRegValue(562, 0xFF, nullptr);
    cam.Sensor_IsFlashEnable(&on);
    EXPECT_TRUE(on);
    cam.Sensor_WrRelatedRegValue(559, 0x01, nullptr);
    cam.Sensor_IsFlashEnable(&on);
    EXPECT_FALSE(on);
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    EXPECT_EQ(chip.device.sensor[630], 0x06);
    // Colour (table B) presets.
    float gains[3] = {};
    EXPECT_EQ(cam.Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE_0, gains), 0);
    EXPECT_FLOAT_EQ(gains[0], 1.813f);
}

TEST(IMX178, FrameCountLimitAndGainRange) {
    ChipOnFake<CZOQCamIMX178> chip;
    PowerOnImx178(chip.device);
    chip.device.sensor[578] = 0xF0;
    CZOQCamIMX178& cam = chip.Create(g_ZOQCapability_88);
    unsigned low = 0, high = 0;
    cam.Sensor_GetExposureLinesRange(&low, &high);
    EXPECT_EQ(high, 2110u * 1024);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0xFFFFFFFFu), 0);
    EXPECT_EQ(chip.device.sensor[577], 0xFF);
    EXPECT_EQ(chip.device.sensor[578], 0xF3);  // SVS 1023; the other bits kept
    EXPECT_EQ(GetBytes(chip.device, 564, 3), 0u);
    EXPECT_EQ(cam.Sensor_SetExposureLines(3 * 2110 + 5), 0);
    EXPECT_EQ(chip.device.sensor[577], 3);
    EXPECT_EQ(GetBytes(chip.device, 564, 3), 2105u);
    EXPECT_EQ(Lines(cam), 3u * 2110 + 5);
    const float line = 1175 / 74250.0f;
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(200), 200.15f * line, 1e-4);

    // Gain up to 480, or 510 when register 539 is set.
    EXPECT_EQ(cam.Sensor_SetGainGlobal(600), 0);
    EXPECT_EQ(GetBytes(chip.device, 543, 2), 480u);
    cam.Sensor_GetGainRange(&low, &high);
    EXPECT_EQ(high, 480u);
    cam.Sensor_WrRelatedRegValue(539, 1, nullptr);
    cam.Sensor_GetGainRange(&low, &high);
    EXPECT_EQ(high, 510u);
    EXPECT_EQ(cam.Sensor_SetGainG(600), 0);
    EXPECT_EQ(GetBytes(chip.device, 543, 2), 510u);
}

TEST(IMX178, WindowRegistersCheckAndReadoutModes) {
    ChipOnFake<CZOQCamIMX178> chip;
    PowerOnImx178(chip.device);
    CZOQCamIMX178& cam = chip.Create(g_ZOQCapability_88);

    // Bit 1 of the column values and bit 0 of the row values are cleared.
    Window w{103, 51, 1002, 801, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{101, 50, 1000, 800, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}));
    w = {3000, 0, 100, 5000, ZOQ_ADDRESSMODE_STEP4, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{2456, 0, 640, 2080, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));

    // The column start goes whole to 924, its high byte to 925.
    EXPECT_EQ(SetFov(cam, {0x123, 0x200, 1000, 1000, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), 0);
    std::vector<RegValue> writes = SensorWrites(chip.device);
    writes.resize(7);
    EXPECT_EQ(writes, (std::vector<RegValue>{{924, 0x123}, {925, 0x01}, {929, 0x02}, {926, 0xE8},
                                             {927, 0x03}, {930, 0xE8}, {931, 0x03}}));
    EXPECT_EQ(GetFov(cam), (Window{0x123, 0x200, 1000, 1000, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    EXPECT_EQ(GetBytes(chip.device, 559, 2), 1000u / 4 + 401);
    EXPECT_EQ(GetBytes(chip.device, 556, 3), 1030u);

    // Mode 1: the 2 x 2 readout with its own line and frame length.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP2, nullptr), 0);
    writes = SensorWrites(chip.device);
    writes.resize(3);
    EXPECT_EQ(writes, (std::vector<RegValue>{{528, 1}, {525, 0}, {526, 0x23}}));
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_STEP2);
    EXPECT_EQ(GetBytes(chip.device, 559, 2), 556u);
    EXPECT_EQ(GetBytes(chip.device, 556, 3), 1500u);
    EXPECT_EQ(CaptureSize(cam), std::make_pair(500, 500));
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_NORMAL, nullptr), 0);
    EXPECT_EQ(chip.device.sensor[528], 0);
    EXPECT_EQ(chip.device.sensor[525], 1);
    EXPECT_EQ(chip.device.sensor[526], 0);
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP3, nullptr), RC_NOT_SUPPORTED);
    EXPECT_TRUE(chip.device.calls.empty());
}

TEST(IMX290, FrameLengthAndShutterOfALineCount) {
    ChipOnFake<CZOQCamIMX290> chip;
    PowerOnImx290(chip.device);
    CZOQCamIMX290& cam = chip.Create(g_ZOQCapability_115_IMX290);
    EXPECT_EQ(Lines(cam), 1109u - 770 - 1);
    // Within the frame: VMAX = window height + 13, SHS1 = height - lines + 12.
    EXPECT_EQ(cam.Sensor_SetExposureLines(100), 0);
    EXPECT_EQ(GetBytes(chip.device, 536, 3), 1109u);
    EXPECT_EQ(GetBytes(chip.device, 544, 3), 1008u);
    // Longer: the frame grows, SHS1 = 1.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetExposureLines(5000), 0);
    EXPECT_EQ(GetBytes(chip.device, 536, 3), 5002u);
    EXPECT_EQ(GetBytes(chip.device, 544, 3), 1u);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor).front(), 536u);  // VMAX first
    EXPECT_EQ(Lines(cam), 5000u);
    // The low 4 bits of 570 add rows; the count is limited to 0x3FFFD.
    cam.Sensor_WrRelatedRegValue(570, 0x15, nullptr);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0), 0);
    EXPECT_EQ(GetBytes(chip.device, 536, 3), 1114u);
    EXPECT_EQ(Lines(cam), 1u);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0x40000), 0);
    EXPECT_EQ(GetBytes(chip.device, 536, 3), 0x3FFFFu);
    EXPECT_EQ(Lines(cam), 0x3FFFDu);

    // No fixed part: time = lines x HMAX x t.
    const float line = 4400 / 148500.0f;
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(300), 300 * line, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(300.4f * line), 300u);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(0.2f * line), 1u);
}

TEST(IMX290, WindowKeepsTheLineCountAndTakesNoMode) {
    ChipOnFake<CZOQCamIMX290> chip;
    PowerOnImx290(chip.device);
    CZOQCamIMX290& cam = chip.Create(g_ZOQCapability_115_IMX290);
    cam.Sensor_SetExposureLines(100);
    chip.device.calls.clear();
    EXPECT_EQ(SetFov(cam, {0x102, 4, 1920, 1080, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), 0);
    std::vector<unsigned> order = chip.device.Addresses(Op::WrSensor);
    order.resize(5);
    EXPECT_EQ(order, (std::vector<unsigned>{576, 577, 572, 578, 574}));  // unchanged bytes skipped
    EXPECT_EQ(GetBytes(chip.device, 536, 3), 1093u);  // 1080 + 13
    EXPECT_EQ(GetBytes(chip.device, 544, 3), 992u);
    EXPECT_EQ(Lines(cam), 100u);
    EXPECT_EQ(GetFov(cam), (Window{0x102, 4, 1920, 1080, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));

    Window w{3, 3, 1922, 1081, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{1, 2, 1920, 1080, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    w = {0, 0, 100, 200, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL};
    CheckFov(cam, &w);
    EXPECT_EQ(w.columnSize, 368u);
    EXPECT_EQ(w.rowSize, 304u);

    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP2, nullptr), 0);
    EXPECT_TRUE(chip.device.calls.empty());
    // Gain 0 .. 210 in one register; no strobe.
    EXPECT_EQ(cam.Sensor_SetGainGlobal(300), 0);
    EXPECT_EQ(chip.device.sensor[532], 210);
    bool on = true;
    EXPECT_EQ(cam.Sensor_EnableFlash(true), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Sensor_IsFlashEnable(&on), RC_NOT_SUPPORTED);
    EXPECT_FALSE(on);
}
