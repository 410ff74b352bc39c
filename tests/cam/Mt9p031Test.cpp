/* The MT9P031 sensor class: register cache and write rule, window and
 * address modes, exposure conversions, gain table, flip, mirror, strobe,
 * recovery and construction. */
#include <gtest/gtest.h>

#include <cmath>

#include "CamTestSupport.h"
#include "ZOQCam_MT9P031_Registers.h"

using Op = FakeZOQDevice::Op;
using Call = FakeZOQDevice::Call;

namespace {

// The records of types 52 and 53 at FPGA 6.5 (flip, mirror, modes 1-3).
const char* kLow52 = "ff ff ff fd bd 4f 06";
const char* kHigh52 = "f6 cf 00 00 00 90 00 00 fa 0a 01";
const char* kHigh53 = "f7 c0 00 00 00 90 00 00 fd 0a 01";

const float kT = 1.0f / 96000.0f;  // ms per pixel clock at 96 MHz

struct Window {
    unsigned columnStart, rowStart, columnSize, rowSize;
    ZOQ_ADDRESSMODE columnMode, rowMode;
};

Window Check(CZOQCamMT9P031& cam, Window w) {
    EXPECT_EQ(cam.Sensor_CheckFov(&w.columnStart, &w.rowStart, &w.columnSize, &w.rowSize,
                                  &w.columnMode, &w.rowMode),
              0);
    return w;
}

}  // namespace

TEST(MT9P031Cache, ConstructionReadsEveryRegisterInOrder) {
    CamOnFake fake;
    fake.device.sensor[0x35] = 0x0020;
    ZOQCapabilityTable table = TableWithRecord(kLow52, kHigh52);
    CZOQCamMT9P031 cam(&fake.device, table);
    const unsigned order[] = {0x02, 0x01, 0x04, 0x03, 0x22, 0x23, 0x05, 0x06, 0x0C,
                              0x09, 0x08, 0x2D, 0x2C, 0x2B, 0x2E, 0x1E, 0x20, 0x35};
    EXPECT_EQ(fake.device.Addresses(Op::RdSensor), std::vector<unsigned>(std::begin(order), std::end(order)));
    unsigned gain = 0;
    cam.Sensor_GetGainGlobal(&gain);
    EXPECT_EQ(gain, 24u);  // 0x20 is index 24

    // A failed read stops the fill; later shadows stay 0.
    fake.device.calls.clear();
    fake.device.Fail(Op::RdSensor, RC_TIMEOUT, 0x03);
    EXPECT_EQ(cam.Sensor_RdRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(fake.device.Addresses(Op::RdSensor), (std::vector<unsigned>{0x02, 0x01, 0x04, 0x03}));
    unsigned columns = 0, rows = 9;
    cam.Sensor_GetFov(nullptr, nullptr, &columns, &rows, nullptr, nullptr);
    EXPECT_EQ(columns, 2592u);
    EXPECT_EQ(rows, 1u);
    int width = 0, height = 0;
    cam.Cam_GetCaptureSize(&width, &height);
    EXPECT_EQ(height, 1);  // the image size follows the cache
}

TEST(MT9P031Cache, WriteRuleAndFollowUps) {
    CamOnFake fake;
    fake.device.sensor[0x05] = 100;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    bool written = false;

    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x05, 100, &written), 0);
    EXPECT_FALSE(written);
    EXPECT_TRUE(fake.device.calls.empty());

    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x06, 25, &written), 0);
    EXPECT_TRUE(written);
    EXPECT_EQ(fake.device.calls, (std::vector<Call>{{Op::WrSensor, 0x06, 25}}));

    // A failed write keeps the shadow: writing the same value again tries again.
    fake.device.calls.clear();
    fake.device.Fail(Op::WrSensor, RC_TIMEOUT);
    written = false;
    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x06, 30, &written), RC_TIMEOUT);
    EXPECT_FALSE(written);
    fake.device.ClearFailures();
    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x06, 25, nullptr), 0);
    EXPECT_EQ(fake.device.calls.size(), 1u);  // only the failed attempt

    // A register outside the cache is always written.
    fake.device.calls.clear();
    cam.Sensor_WrRelatedRegValue(0x10, 5, nullptr);
    cam.Sensor_WrRelatedRegValue(0x10, 5, nullptr);
    EXPECT_EQ(fake.device.Addresses(Op::WrSensor), (std::vector<unsigned>{0x10, 0x10}));

    // The global gain sets the shadows of every colour gain.
    EXPECT_EQ(cam.Sensor_SetGainGlobal(200), 0);
    EXPECT_EQ(fake.device.sensor[0x35], 0x7860);
    unsigned red = 0, blue = 0, green = 0;
    cam.Sensor_GetGainR(&red);
    cam.Sensor_GetGainB(&blue);
    cam.Sensor_GetGainG(&green);
    EXPECT_EQ(red, 153u);
    EXPECT_EQ(blue, 153u);
    EXPECT_EQ(green, 153u);
    fake.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetGainR(153), 0);  // the shadow already holds it
    EXPECT_TRUE(fake.device.calls.empty());
}

TEST(MT9P031Window, CheckCorrectsModesSizesAndStarts) {
    CamOnFake fake;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);  // modes 1-3, not 4
    Window w = Check(cam, {2000, 1500, 1000, 600, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_NORMAL});
    EXPECT_EQ(w.columnStart, 1592u);
    EXPECT_EQ(w.rowStart, 1344u);
    EXPECT_EQ(w.rowMode, ZOQ_ADDRESSMODE_STEP2);  // rows follow columns

    w = Check(cam, {5, 6, 0, 0, static_cast<ZOQ_ADDRESSMODE>(5), ZOQ_ADDRESSMODE_STEP3});
    EXPECT_EQ(w.columnSize, 1u);
    EXPECT_EQ(w.rowSize, 1u);
    EXPECT_EQ(w.columnStart, 5u);
    EXPECT_EQ(w.columnMode, ZOQ_ADDRESSMODE_NORMAL);  // no mode 4 on this model
    EXPECT_EQ(w.rowMode, ZOQ_ADDRESSMODE_NORMAL);

    w = Check(cam, {0xFFFFFFF0u, 0, 5000, 5000, static_cast<ZOQ_ADDRESSMODE>(-2), ZOQ_ADDRESSMODE_NORMAL});
    EXPECT_EQ(w.columnSize, 2592u);
    EXPECT_EQ(w.rowSize, 1944u);
    EXPECT_EQ(w.columnStart, 0u);
    EXPECT_EQ(w.columnMode, ZOQ_ADDRESSMODE_NORMAL);

    CZOQCamMT9P031& withMode4 = fake.Create(kLow52, "f6 cf 00 00 00 90 00 00 1a 0b 01");
    w = Check(withMode4, {0, 0, 100, 100, static_cast<ZOQ_ADDRESSMODE>(7), ZOQ_ADDRESSMODE_NORMAL});
    EXPECT_EQ(w.columnMode, ZOQ_ADDRESSMODE_STEP8);
    EXPECT_EQ(w.rowMode, ZOQ_ADDRESSMODE_STEP8);
    w = Check(withMode4, {0, 0, 100, 100, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2});
    EXPECT_EQ(w.columnMode, ZOQ_ADDRESSMODE_NORMAL);  // byte 16 bit 5 is clear here

    unsigned* none = nullptr;
    ZOQ_ADDRESSMODE mode = ZOQ_ADDRESSMODE_NORMAL;
    EXPECT_EQ(cam.Sensor_CheckFov(none, none, none, none, &mode, &mode), RC_PARAMETER_ERROR);
    unsigned minC = 0, maxC = 0, minR = 0, maxR = 0;
    EXPECT_EQ(cam.Sensor_GetFovRange(&minC, &maxC, &minR, &maxR), 0);
    EXPECT_EQ(minC, 1u);
    EXPECT_EQ(maxC, 2592u);
    EXPECT_EQ(minR, 1u);
    EXPECT_EQ(maxR, 1944u);
}

TEST(MT9P031Window, SetFovWritesRegistersAndAddressModes) {
    CamOnFake fake;
    fake.device.sensor[0x22] = 0x0040;  // a bit outside the mode field is kept
    fake.device.sensor[0x23] = 0x0080;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    EXPECT_EQ(cam.Sensor_SetFov(100, 200, 640, 480, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2), 0);
    std::vector<Call> window;
    for (const Call& call : fake.device.CallsOf(Op::WrSensor))
        if (call.address != 0x08 && call.address != 0x09) window.push_back(call);  // exposure re-timing
    EXPECT_EQ(window, (std::vector<Call>{{Op::WrSensor, 0x02, 116},
                                         {Op::WrSensor, 0x01, 254},
                                         {Op::WrSensor, 0x04, 639},
                                         {Op::WrSensor, 0x03, 479},
                                         {Op::WrSensor, 0x22, 0x0051},
                                         {Op::WrSensor, 0x23, 0x0091}}));
    int width = 0, height = 0;
    cam.Cam_GetCaptureSize(&width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);

    Window w{};
    EXPECT_EQ(cam.Sensor_GetFov(&w.columnStart, &w.rowStart, &w.columnSize, &w.rowSize, &w.columnMode,
                                &w.rowMode),
              0);
    EXPECT_EQ(w.columnStart, 100u);
    EXPECT_EQ(w.rowStart, 200u);
    EXPECT_EQ(w.columnSize, 640u);
    EXPECT_EQ(w.rowSize, 480u);
    EXPECT_EQ(w.columnMode, ZOQ_ADDRESSMODE_STEP2);
    EXPECT_EQ(w.rowMode, ZOQ_ADDRESSMODE_STEP2);

    // A failed write stops the sequence.
    fake.device.calls.clear();
    fake.device.Fail(Op::WrSensor, RC_TIMEOUT, 0x01);
    EXPECT_EQ(cam.Sensor_SetFov(0, 0, 640, 480, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL), RC_TIMEOUT);
    EXPECT_EQ(fake.device.Addresses(Op::WrSensor), (std::vector<unsigned>{0x02, 0x01}));
}

TEST(MT9P031Window, AddressModeBits) {
    CamOnFake fake;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    const unsigned short bits[] = {0x00, 0x11, 0x22, 0x33, 0x07};
    for (int mode = 4; mode >= 0; --mode) {
        EXPECT_EQ(cam.Sensor_SetAddressMode(static_cast<ZOQ_ADDRESSMODE>(mode), nullptr), 0);
        EXPECT_EQ(fake.device.sensor[0x22], bits[mode]) << mode;
        EXPECT_EQ(fake.device.sensor[0x23], bits[mode]) << mode;
        EXPECT_EQ(cam.Sensor_GetAddressMode(), mode);
    }
    fake.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetAddressMode(static_cast<ZOQ_ADDRESSMODE>(5), nullptr), RC_NOT_SUPPORTED);
    EXPECT_TRUE(fake.device.calls.empty());

    // Skip fields 4-6 read back as mode 0.
    cam.Sensor_WrRelatedRegValue(0x23, 0x0005, nullptr);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_NORMAL);

    // Both registers are written even when the first fails; the failure is reported.
    bool written = false;
    fake.device.calls.clear();
    fake.device.Fail(Op::WrSensor, RC_TIMEOUT, 0x22);
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP3, &written), RC_TIMEOUT);
    EXPECT_TRUE(written);
    EXPECT_EQ(fake.device.sensor[0x23], 0x0022);  // mode 2 (step 3)
}

TEST(MT9P031Exposure, LinesAndMillisecondsFollowTheRowTiming) {
    CamOnFake fake;  // W = 2591, no blanks, no bin or skip
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    // HBmin = 225 + 346 + 64 = 635; Wh = 2592 / 2 + 1 = 1297; R = 1297 + 635 = 1932;
    // SO = 1 + 208 + 4 = 213.
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(1000), 1000 * 2 * kT * 1932 - 2 * kT * 213, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(40.2456f), 1000u);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(0.0f), 0u);

    // Row bin 1 with column bin and skip 1: k = 388; HBmin = 388 + 692 + 64 = 1144;
    // Wh = 2592 / 4 + 1 = 649; R = max(649 + max(2001, 1144), 832) = 2650;
    // SO = min(3001, 1504) + 416 + 4 = 1924.
    cam.Sensor_WrRelatedRegValue(0x22, 0x0011, nullptr);
    cam.Sensor_WrRelatedRegValue(0x23, 0x0011, nullptr);
    cam.Sensor_WrRelatedRegValue(0x05, 2000, nullptr);
    cam.Sensor_WrRelatedRegValue(0x0C, 3000, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), 100 * 2 * kT * 2650 - 2 * kT * 1924, 1e-4);
    // Row bin 3 without column bin, horizontal blank below the minimum:
    // HBmin = 744 + 1384 + 64 = 2192; Wh = 2592 / 2 + 1 = 1297; R = 3489; SO = 1504 + 832 + 4.
    cam.Sensor_WrRelatedRegValue(0x22, 0x0030, nullptr);
    cam.Sensor_WrRelatedRegValue(0x23, 0x0000, nullptr);
    cam.Sensor_WrRelatedRegValue(0x05, 10, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(10), 10 * 2 * kT * 3489 - 2 * kT * 2340, 1e-4);

    float low = 0, high = 0;
    unsigned minLines = 0, maxLines = 0;
    cam.Sensor_GetExposureLinesRange(&minLines, &maxLines);
    EXPECT_EQ(minLines, 1u);
    EXPECT_EQ(maxLines, 0x7FFFFFFFu);
    cam.Sensor_GetExposureTimeRange(&low, &high);
    EXPECT_FLOAT_EQ(low, cam.Sensor_GetExposureTimeFromExposureLines(1));
    EXPECT_FLOAT_EQ(high, cam.Sensor_GetExposureTimeFromExposureLines(0x7FFFFFFF));
}

TEST(MT9P031Exposure, LinesAreSplitClampedAndKeptAfterTimingChanges) {
    CamOnFake fake;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    unsigned lines = 0;
    EXPECT_EQ(cam.Sensor_SetExposureLines(0x12345), 0);
    EXPECT_EQ(fake.device.sensor[0x08], 0x0001);
    EXPECT_EQ(fake.device.sensor[0x09], 0x2345);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0), 0);
    cam.Sensor_GetExposureLines(&lines);
    EXPECT_EQ(lines, 1u);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0x80000000u), 0);
    EXPECT_EQ(fake.device.sensor[0x08], 0x7FFF);
    EXPECT_EQ(fake.device.sensor[0x09], 0xFFFF);

    // The time in ms is kept when the row time changes.
    EXPECT_EQ(cam.Sensor_SetExposureTime(50.0f), 0);
    unsigned before = 0;
    cam.Sensor_GetExposureLines(&before);
    float ms = 0;
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, 50.0f, 0.05f);
    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x05, 1500, nullptr), 0);
    unsigned after = 0;
    cam.Sensor_GetExposureLines(&after);
    EXPECT_LT(after, before);
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, 50.0f, 0.05f);
    EXPECT_FLOAT_EQ(cam.Sensor_GetExposureTime(), ms);

    // A failed re-timing is reported by the write that caused it.
    fake.device.Fail(Op::WrSensor, RC_TIMEOUT, 0x09);
    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x05, 600, nullptr), RC_TIMEOUT);
    EXPECT_EQ(fake.device.sensor[0x05], 600);
}

// The current exposure time is what the last shutter write produced: a
// row-time register whose re-timing keeps the line count leaves it alone.
TEST(MT9P031Exposure, CurrentTimeFollowsTheShutterWrites) {
    CamOnFake fake;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    ASSERT_EQ(cam.Sensor_SetExposureTime(40.2456f), 0);
    unsigned lines = 0;
    cam.Sensor_GetExposureLines(&lines);
    ASSERT_EQ(lines, 1000u);
    const float before = cam.Sensor_GetExposureTime();

    // Shutter delay 400: SO = 401 + 212 = 613 clocks; still 1000 lines.
    fake.device.calls.clear();
    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x0C, 400, nullptr), 0);
    EXPECT_EQ(fake.device.Addresses(Op::WrSensor), (std::vector<unsigned>{0x0C}));
    EXPECT_FLOAT_EQ(cam.Sensor_GetExposureTime(), before);

    // The next line write computes the time with the new overhead.
    EXPECT_EQ(cam.Sensor_SetExposureLines(999), 0);
    EXPECT_NEAR(cam.Sensor_GetExposureTime(), 999 * 2 * kT * 1932 - 2 * kT * 613, 1e-4);
}

TEST(MT9P031Gain, TableBuiltByTheRule) {
    using mt9p031::g_MT9P031_GainTable;
    std::vector<unsigned short> expected;
    for (unsigned v = 8; v <= 32; ++v) expected.push_back(static_cast<unsigned short>(v));
    for (unsigned v = 17; v <= 32; ++v) expected.push_back(static_cast<unsigned short>(0x40 + v));
    for (unsigned d = 1; d <= 120; ++d)
        if (d % 16) expected.push_back(static_cast<unsigned short>(0x60 + (d << 8)));
    ASSERT_EQ(expected.size(), 154u);
    for (unsigned i = 0; i < 154; ++i) EXPECT_EQ(g_MT9P031_GainTable[i], expected[i]) << i;
    EXPECT_EQ(g_MT9P031_GainTable[41], 0x160);
    EXPECT_EQ(g_MT9P031_GainTable[153], 0x7860);
}

TEST(MT9P031Gain, ColourRegistersAndMonochrome) {
    CamOnFake fake;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    unsigned low = 9, high = 0, index = 0;
    cam.Sensor_GetGainRange(&low, &high);
    EXPECT_EQ(low, 0u);
    EXPECT_EQ(high, 153u);
    EXPECT_EQ(cam.Sensor_SetGainR(30), 0);
    EXPECT_EQ(cam.Sensor_SetGainB(40), 0);
    EXPECT_EQ(cam.Sensor_SetGainG(500), 0);
    EXPECT_EQ(fake.device.Addresses(Op::WrSensor), (std::vector<unsigned>{0x2D, 0x2C, 0x2B, 0x2E}));
    EXPECT_EQ(fake.device.sensor[0x2D], 0x56);
    EXPECT_EQ(fake.device.sensor[0x2C], 0x60);
    EXPECT_EQ(fake.device.sensor[0x2E], 0x7860);
    cam.Sensor_GetGainB(&index);
    EXPECT_EQ(index, 40u);
    cam.Sensor_GetGainG(&index);
    EXPECT_EQ(index, 153u);

    // A value outside the table reads as index 0.
    cam.Sensor_WrRelatedRegValue(0x2D, 0x0061, nullptr);
    index = 9;
    cam.Sensor_GetGainR(&index);
    EXPECT_EQ(index, 0u);

    // Green: both registers are written; a failure of the first is reported.
    fake.device.calls.clear();
    fake.device.Fail(Op::WrSensor, RC_TIMEOUT, 0x2B);
    EXPECT_EQ(cam.Sensor_SetGainG(10), RC_TIMEOUT);
    EXPECT_EQ(fake.device.Addresses(Op::WrSensor), (std::vector<unsigned>{0x2B, 0x2E}));
    fake.device.ClearFailures();

    // Monochrome: the colour operations act on the global gain.
    CZOQCamMT9P031& mono = fake.Create(kLow52, kHigh53);
    EXPECT_EQ(mono.Sensor_SetGainR(12), 0);
    EXPECT_EQ(fake.device.Addresses(Op::WrSensor), (std::vector<unsigned>{0x35}));
    mono.Sensor_GetGainB(&index);
    EXPECT_EQ(index, 12u);
}

TEST(MT9P031ReadMode, FlipMirrorAndStrobeBits) {
    CamOnFake fake;
    fake.device.sensor[0x20] = 0x0040;
    fake.device.sensor[0x1E] = 0x4006;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    bool on = false;
    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(fake.device.sensor[0x20], 0x8040);
    EXPECT_EQ(cam.Sensor_SetMirror(true), 0);
    EXPECT_EQ(fake.device.sensor[0x20], 0xC040);
    EXPECT_EQ(cam.Sensor_SetFlip(false), 0);
    EXPECT_EQ(fake.device.sensor[0x20], 0x4040);
    EXPECT_EQ(cam.Sensor_GetMirror(&on), 0);
    EXPECT_TRUE(on);
    EXPECT_EQ(cam.Sensor_GetFlip(&on), 0);
    EXPECT_FALSE(on);

    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_EQ(fake.device.sensor[0x1E], 0x4016);
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    EXPECT_EQ(fake.device.sensor[0x1E], 0x4036);
    EXPECT_EQ(cam.Sensor_EnableFlash(false), 0);
    EXPECT_EQ(fake.device.sensor[0x1E], 0x4026);
    EXPECT_EQ(cam.Sensor_IsFlashEnable(&on), 0);
    EXPECT_FALSE(on);
    EXPECT_EQ(cam.Sensor_IsFlashInvert(&on), 0);
    EXPECT_TRUE(on);

    // Without the capability bits (byte 16 bits 3 and 4).
    fake.device.sensor[0x20] = 0xC000;
    CZOQCamMT9P031& plain = fake.Create(kLow52, "f6 cf 00 00 00 90 00 00 e4 0a 01");
    on = true;
    EXPECT_EQ(plain.Sensor_SetFlip(true), RC_NOT_SUPPORTED);
    EXPECT_EQ(plain.Sensor_SetMirror(false), RC_NOT_SUPPORTED);
    EXPECT_TRUE(fake.device.calls.empty());
    EXPECT_EQ(plain.Sensor_GetFlip(&on), RC_NOT_SUPPORTED);
    EXPECT_FALSE(on);
    on = true;
    EXPECT_EQ(plain.Sensor_GetMirror(&on), RC_NOT_SUPPORTED);
    EXPECT_FALSE(on);
}

TEST(MT9P031Recovery, WritesShadowsInOrderWithoutTheGlobalGain) {
    CamOnFake fake;
    const unsigned order[] = {0x02, 0x01, 0x04, 0x03, 0x22, 0x23, 0x05, 0x06, 0x0C,
                              0x09, 0x08, 0x2D, 0x2C, 0x2B, 0x2E, 0x1E, 0x20};
    for (unsigned reg : order) fake.device.sensor[reg] = static_cast<unsigned short>(0x100 + reg);
    fake.device.sensor[0x35] = 0x60;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    EXPECT_EQ(cam.Sensor_RecoverRelatedRegValue(), 0);
    std::vector<Call> expected;
    for (unsigned reg : order) expected.push_back({Op::WrSensor, reg, 0x100 + reg});
    EXPECT_EQ(fake.device.calls, expected);

    fake.device.calls.clear();
    fake.device.Fail(Op::WrSensor, RC_TIMEOUT, 0x22);
    EXPECT_EQ(cam.Sensor_RecoverRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(fake.device.calls.size(), 5u);
}

TEST(MT9P031Presets, BlackLevelAndColourPresets) {
    CamOnFake fake;
    CZOQCamMT9P031& cam = fake.Create(kLow52, kHigh52);
    unsigned low = 5, high = 5, level = 5;
    EXPECT_EQ(cam.Sensor_GetBlackLevelRange(&low, &high), RC_NOT_SUPPORTED);
    EXPECT_EQ(low + high, 0u);
    EXPECT_EQ(cam.Sensor_SetBlackLevel(3), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Sensor_GetBlackLevel(&level), RC_NOT_SUPPORTED);
    EXPECT_EQ(level, 0u);

    float gains[3] = {};
    EXPECT_EQ(cam.Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE_1, gains), 0);
    EXPECT_FLOAT_EQ(gains[0], 1.31958f);
    EXPECT_FLOAT_EQ(gains[2], 1.24854f);
    EXPECT_EQ(cam.Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE_3, gains), RC_PARAMETER_ERROR);
    float matrix[9] = {};
    EXPECT_EQ(cam.Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE_2, matrix), 0);
    EXPECT_FLOAT_EQ(matrix[6], -1.03125f);
    EXPECT_FLOAT_EQ(matrix[8], 4.75f);
    EXPECT_EQ(cam.Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE_7, nullptr), RC_PARAMETER_ERROR);
    EXPECT_TRUE(fake.device.calls.empty());
}
