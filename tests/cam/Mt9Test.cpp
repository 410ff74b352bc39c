/* The Aptina sensor classes other than the MT9P031: MT9T001 (timing, skip
 * codes, window offsets, 161-entry gain table), MT9M001 (timing with
 * skipping, even windows, read-mode address modes, 48-entry gain table),
 * MT9M031 (end-register window, gain clamps, strobe) and MT9V034 (row
 * timing, gain offset and automatic gain, binned window check). */
#include <gtest/gtest.h>

#include "ChipTestSupport.h"
#include "ZOQCam_Imp_Sensor_MT9M001.h"
#include "ZOQCam_Imp_Sensor_MT9M031.h"
#include "ZOQCam_Imp_Sensor_MT9T001.h"
#include "ZOQCam_Imp_Sensor_MT9V034.h"
#include "ZOQCam_MT9M001_Registers.h"
#include "ZOQCam_MT9T001_Registers.h"

using Op = FakeZOQDevice::Op;

namespace {

constexpr float kT48 = 1.0f / 48000.0f;
constexpr float kT99 = 1.0f / 99000.0f;
constexpr float kT27 = 1.0f / 27000.0f;

void PowerOnMt9t001(FakeZOQDevice& d) {
    d.sensor = {{0x01, 20},  {0x02, 32},  {0x03, 1535}, {0x04, 2047}, {0x05, 142},
                {0x06, 25},  {0x09, 188}, {0x1E, 0x4006}, {0x20, 0x0040}, {0x2B, 8},
                {0x2C, 8},   {0x2D, 8},   {0x2E, 8},    {0x35, 8}};
}

void PowerOnMt9m001(FakeZOQDevice& d) {
    d.sensor = {{0x01, 12}, {0x02, 20}, {0x03, 1023}, {0x04, 1279}, {0x05, 19}, {0x06, 25},
                {0x09, 315}, {0x20, 0x1104}, {0x2B, 8}, {0x2C, 8}, {0x2D, 8}, {0x2E, 8}, {0x35, 8}};
}

void PowerOnMt9m031(FakeZOQDevice& d) {
    d.sensor = {{0x3002, 4},   {0x3004, 2},    {0x3006, 963}, {0x3008, 1281}, {0x300A, 990},
                {0x300C, 1650}, {0x3012, 600}, {0x30A6, 1},   {0x3056, 32},   {0x3058, 32},
                {0x305A, 32},  {0x305C, 32},   {0x305E, 32}};
}

void PowerOnMt9v034(FakeZOQDevice& d) {
    d.sensor = {{1, 1}, {2, 4}, {3, 480}, {4, 752}, {5, 94}, {6, 45}, {11, 319}, {13, 0x0300}, {53, 16}};
}

unsigned Lines(IZOQSensor& cam) {
    unsigned lines = 0;
    cam.Sensor_GetExposureLines(&lines);
    return lines;
}

}  // namespace

TEST(MT9T001, GainTableBuiltByTheRule) {
    std::vector<unsigned short> expected;
    for (unsigned v = 8; v <= 32; ++v) expected.push_back(static_cast<unsigned short>(v));
    for (unsigned v = 17; v <= 32; ++v) expected.push_back(static_cast<unsigned short>(0x40 + v));
    for (unsigned d = 1; d <= 120; ++d)
        expected.push_back(d % 16 == 4 ? expected.back() : static_cast<unsigned short>(0x60 + (d << 8)));
    ASSERT_EQ(expected.size(), 161u);
    for (unsigned i = 0; i < 161; ++i) EXPECT_EQ(mt9t001::g_MT9T001_GainTable[i], expected[i]) << i;
    EXPECT_EQ(mt9t001::g_MT9T001_GainTable[43], 864);
    EXPECT_EQ(mt9t001::g_MT9T001_GainTable[44], 864);

    std::vector<unsigned short> mt9m001;
    for (unsigned v = 8; v <= 32; ++v) mt9m001.push_back(static_cast<unsigned short>(v));
    for (unsigned v = 81; v <= 103; ++v) mt9m001.push_back(static_cast<unsigned short>(v));
    EXPECT_EQ(std::vector<unsigned short>(mt9m001::g_MT9M001_GainTable, mt9m001::g_MT9M001_GainTable + 48),
              mt9m001);
}

TEST(MT9T001, ExposureFollowsTheRowTiming) {
    ChipOnFake<CZOQCamMT9T001> chip;
    PowerOnMt9t001(chip.device);
    CZOQCamMT9T001& cam = chip.Create(g_ZOQCapability_3, 6, 5);
    // R = max(369 + 142 + 2048, 331 + 316) = 2559; B - 132 = 199.
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(188), (188 * 2559 - 199) * kT48, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10.0f), 188u);
    float ms = 0;
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, (188 * 2559 - 199) * kT48, 1e-4);

    // Row and column bin 1, column skip 1: K = 711 - 16, B = 673,
    // A = 695 + 142 + 1024 = 1861, Bv = 673 + 316 + 316 = 1305.
    cam.Sensor_WrRelatedRegValue(0x22, 0x11, nullptr);
    cam.Sensor_WrRelatedRegValue(0x23, 0x11, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(10), (10 * 1861 - 541) * kT48, 1e-5);
    // A long shutter delay makes the binned row the longer: Bv = 3305.
    cam.Sensor_WrRelatedRegValue(0x0C, 2000, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(10), (33050 - 541 - 2000) * kT48, 1e-5);
    // Row bin 2, column bin 2, horizontal blank below 21.
    cam.Sensor_WrRelatedRegValue(0x0C, 0, nullptr);
    cam.Sensor_WrRelatedRegValue(0x22, 0x20, nullptr);
    cam.Sensor_WrRelatedRegValue(0x23, 0x20, nullptr);
    cam.Sensor_WrRelatedRegValue(0x05, 3, nullptr);
    // K = 1037 - 24 = 1013, A = 1013 + 21 + 2048 = 3082; Bv = 999 + 632 + 316 = 1947.
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(10), (30820 - 867) * kT48, 1e-5);

    // Lines 1 .. 65535 in 0x08 (high) and 0x09 (low).
    EXPECT_EQ(cam.Sensor_SetExposureLines(0x12345), 0);
    EXPECT_EQ(chip.device.sensor[0x08], 0);
    EXPECT_EQ(chip.device.sensor[0x09], 0xFFFF);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0), 0);
    EXPECT_EQ(Lines(cam), 1u);
}

TEST(MT9T001, WindowOffsetsAndSkipCodes) {
    ChipOnFake<CZOQCamMT9T001> chip;
    PowerOnMt9t001(chip.device);
    CZOQCamMT9T001& cam = chip.Create(g_ZOQCapability_3, 6, 5);
    EXPECT_EQ(CaptureSize(cam), std::make_pair(2048, 1536));
    EXPECT_EQ(SetFov(cam, {100, 50, 640, 480, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}), 0);
    EXPECT_EQ(SensorWritesExcept(chip.device, {0x08, 0x09}), (std::vector<RegValue>{{0x02, 132}, {0x01, 70}, {0x04, 639}, {0x03, 479},
                                             {0x22, 0x11}, {0x23, 0x11}}));
    EXPECT_EQ(GetFov(cam), (Window{100, 50, 640, 480, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}));
    EXPECT_EQ(CaptureSize(cam), std::make_pair(320, 240));

    const unsigned short codes[] = {0x00, 0x11, 0x12, 0x13, 0x17};
    for (int mode = 4; mode >= 0; --mode) {
        EXPECT_EQ(cam.Sensor_SetAddressMode(static_cast<ZOQ_ADDRESSMODE>(mode), nullptr), 0);
        EXPECT_EQ(chip.device.sensor[0x22], codes[mode]);
        EXPECT_EQ(chip.device.sensor[0x23], codes[mode]);
        EXPECT_EQ(cam.Sensor_GetAddressMode(), mode);
    }
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetAddressMode(static_cast<ZOQ_ADDRESSMODE>(5), nullptr), RC_NOT_SUPPORTED);
    EXPECT_TRUE(chip.device.calls.empty());

    // Only the low 12 (column start) and 11 bits count when read back.
    cam.Sensor_WrRelatedRegValue(0x02, 0x1000 | 132, nullptr);
    cam.Sensor_WrRelatedRegValue(0x04, 0x8000 | 639, nullptr);
    Window w = GetFov(cam);
    EXPECT_EQ(w.columnStart, 100u);
    EXPECT_EQ(w.columnSize, 640u);

    Window check{2000, 0, 100, 2000, static_cast<ZOQ_ADDRESSMODE>(6), ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &check), 0);
    EXPECT_EQ(check, (Window{1948, 0, 100, 1536, ZOQ_ADDRESSMODE_STEP8, ZOQ_ADDRESSMODE_STEP8}));
}

TEST(MT9T001, GainFlipMirrorStrobeAndRecovery) {
    ChipOnFake<CZOQCamMT9T001> chip;
    PowerOnMt9t001(chip.device);
    CZOQCamMT9T001& cam = chip.Create(g_ZOQCapability_3, 6, 5);
    unsigned index = 0, low = 9, high = 0;
    cam.Sensor_GetGainRange(&low, &high);
    EXPECT_EQ(low, 0u);
    EXPECT_EQ(high, 160u);
    EXPECT_EQ(cam.Sensor_SetGainG(44), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{0x2B, 864}, {0x2E, 864}}));
    cam.Sensor_GetGainG(&index);
    EXPECT_EQ(index, 43u);  // the first index of the repeated value
    // The global gain sets every colour shadow.
    EXPECT_EQ(cam.Sensor_SetGainGlobal(500), 0);
    EXPECT_EQ(chip.device.sensor[0x35], 0x7860);
    cam.Sensor_GetGainR(&index);
    EXPECT_EQ(index, 160u);

    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(cam.Sensor_SetMirror(true), 0);
    EXPECT_EQ(chip.device.sensor[0x20], 0xC040);
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);  // accepted, nothing written
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    EXPECT_TRUE(chip.device.calls.empty());

    // Recovery: the cache in reading order without the global gain.
    EXPECT_EQ(cam.Sensor_RecoverRelatedRegValue(), 0);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor),
              (std::vector<unsigned>{0x02, 0x01, 0x04, 0x03, 0x22, 0x23, 0x05, 0x06, 0x0C, 0x09, 0x08,
                                     0x2D, 0x2C, 0x2B, 0x2E, 0x1E, 0x20}));
}

TEST(MT9M001, ExposureWithSkippingAndShutterDelay) {
    ChipOnFake<CZOQCamMT9M001> chip;
    PowerOnMt9m001(chip.device);
    CZOQCamMT9M001& cam = chip.Create(g_ZOQCapability_67, 1, 1);
    // e = 19 + 1279 + 245 = 1543, f = 976, K = e - 19 = 1524.
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(315), (315 * 1524 - 180) * kT48, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10.0f), 315u);
    // Skip by 2 reads W = (1279 / 4) * 2 + 1 = 639: e = 903, K = 884.
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP2, nullptr), 0);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), (100 * 884 - 180) * kT48, 1e-5);
    // A shutter delay above f / 4 = 84 sets K = 4 x SD - f = 64 (f = 336).
    cam.Sensor_WrRelatedRegValue(0x0C, 100, nullptr);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(100), (100 * 64 - 280) * kT48, 1e-5);
    // The clock count is unsigned: a line shorter than the overhead wraps.
    EXPECT_FLOAT_EQ(cam.Sensor_GetExposureTimeFromExposureLines(1), (4294967296.0f - 216) * kT48);

    // Lines 1 .. 16383 in 0x09 alone.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetExposureLines(20000), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{0x09, 16383}}));
}

TEST(MT9M001, EvenWindowsAndReadModeAddressModes) {
    ChipOnFake<CZOQCamMT9M001> chip;
    PowerOnMt9m001(chip.device);
    CZOQCamMT9M001& cam = chip.Create(g_ZOQCapability_67, 1, 1);
    EXPECT_EQ(CaptureSize(cam), std::make_pair(1280, 1024));
    Window w{3, 5, 101, 99, ZOQ_ADDRESSMODE_STEP3, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{2, 4, 100, 98, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
    w = {1279, 0, 1, 5000, ZOQ_ADDRESSMODE_STEP8, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{1278, 0, 2, 1024, ZOQ_ADDRESSMODE_STEP8, ZOQ_ADDRESSMODE_STEP8}));

    EXPECT_EQ(SetFov(cam, {2, 4, 100, 98, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}), 0);
    EXPECT_EQ(SensorWritesExcept(chip.device, {0x09}), (std::vector<RegValue>{{0x02, 22}, {0x01, 16}, {0x04, 99}, {0x03, 97}}));
    EXPECT_EQ(GetFov(cam), (Window{2, 4, 100, 98, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));

    // Mode 1 in read mode 2, modes 3 and 4 in read mode 1; mode 2 is not offered.
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP2, nullptr), 0);
    EXPECT_EQ(chip.device.sensor[0x20], 0x111C);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_STEP2);
    EXPECT_EQ(CaptureSize(cam), std::make_pair(50, 49));
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP4, nullptr), 0);
    EXPECT_EQ(chip.device.sensor[0x1E], 0x0C);
    EXPECT_EQ(chip.device.sensor[0x20], 0x1104);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_STEP4);
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP8, nullptr), 0);
    EXPECT_EQ(chip.device.sensor[0x1E], 0x30);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_STEP8);
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP3, nullptr), RC_NOT_SUPPORTED);
    EXPECT_TRUE(chip.device.calls.empty());
    // Both read modes are written; the first failure is reported.
    chip.device.Fail(Op::WrSensor, RC_TIMEOUT, 0x1E);
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP2, nullptr), RC_TIMEOUT);
    EXPECT_EQ(chip.device.sensor[0x20], 0x111C);
}

TEST(MT9M001, GlobalGainWritesEveryGainAndFlipOnly) {
    ChipOnFake<CZOQCamMT9M001> chip;
    PowerOnMt9m001(chip.device);
    CZOQCamMT9M001& cam = chip.Create(g_ZOQCapability_67, 1, 1);
    EXPECT_EQ(cam.Sensor_SetGainGlobal(30), 0);
    EXPECT_EQ(SensorWrites(chip.device),
              (std::vector<RegValue>{{0x2D, 86}, {0x2B, 86}, {0x2E, 86}, {0x2C, 86}, {0x35, 86}}));
    unsigned index = 0;
    cam.Sensor_GetGainGlobal(&index);
    EXPECT_EQ(index, 30u);
    // Monochrome: a colour gain is the global gain; 100 is clamped to 47.
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetGainB(100), 0);
    EXPECT_EQ(chip.device.sensor[0x35], 103);
    EXPECT_EQ(chip.device.Addresses(Op::WrSensor).size(), 5u);

    bool on = true;
    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(chip.device.sensor[0x20], 0x9104);
    EXPECT_EQ(cam.Sensor_SetMirror(true), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Sensor_GetMirror(&on), RC_NOT_SUPPORTED);
    EXPECT_FALSE(on);
}

TEST(MT9M031, WorkedExamplesAndExposure) {
    ChipOnFake<CZOQCamMT9M031> chip;
    PowerOnMt9m031(chip.device);
    CZOQCamMT9M031& cam = chip.Create(g_ZOQCapability_62);
    EXPECT_EQ(cam.Sensor_SetGainR(0), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{0x305A, 1}}));
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetExposureLines(70000), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{0x3012, 0xFFFF}}));

    // Whole lines of 1650 clocks plus the fine clocks.
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(600), 600 * 1650 * kT99, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10.0f), 600u);
    EXPECT_EQ(cam.Sensor_SetExposureTime(10.0f), 0);
    cam.Sensor_WrRelatedRegValue(0x3014, 800, nullptr);  // the fine time re-times the lines
    EXPECT_EQ(Lines(cam), 600u);                         // (990000 - 800) / 1650 + 0.5
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(600), (990000 + 800) * kT99, 1e-4);
    cam.Sensor_WrRelatedRegValue(0x300C, 1000, nullptr);
    EXPECT_EQ(Lines(cam), 989u);
    float ms = 0;
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, 10.0f, 1000 * kT99);
}

TEST(MT9M031, EndRegisterWindowBinningAndFrameLength) {
    ChipOnFake<CZOQCamMT9M031> chip;
    PowerOnMt9m031(chip.device);
    CZOQCamMT9M031& cam = chip.Create(g_ZOQCapability_62);
    EXPECT_EQ(CaptureSize(cam), std::make_pair(1280, 960));
    chip.device.sensor[0x300A] = 555;  // the sensor's own frame length after the change
    EXPECT_EQ(SetFov(cam, {10, 20, 640, 480, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{0x3004, 12}, {0x3008, 651}, {0x3002, 24},
                                                                {0x3006, 503}, {0x3032, 2}}));
    EXPECT_EQ(chip.device.calls.back(), (FakeZOQDevice::Call{Op::RdSensor, 0x300A, 0}));
    EXPECT_EQ(GetFov(cam), (Window{10, 20, 640, 480, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}));
    EXPECT_EQ(CaptureSize(cam), std::make_pair(320, 240));
    // Modes other than 1 read every pixel.
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP4, nullptr), 0);
    EXPECT_EQ(chip.device.sensor[0x3032], 0);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_NORMAL);
    // The frame length read back is what the recovery restores.
    chip.device.calls.clear();
    cam.Sensor_RecoverRelatedRegValue();
    std::vector<RegValue> writes = SensorWrites(chip.device);
    ASSERT_GE(writes.size(), 5u);
    EXPECT_EQ(writes[4], RegValue(0x300A, 555));
    EXPECT_EQ(writes.size(), 17u);  // every cached register but the global gain

    Window w{1000, 900, 500, 200, static_cast<ZOQ_ADDRESSMODE>(9), ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{780, 760, 500, 200, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL}));
}

TEST(MT9M031, GainClampsMirrorStrobeAndMonochrome) {
    ChipOnFake<CZOQCamMT9M031> chip;
    PowerOnMt9m031(chip.device);
    CZOQCamMT9M031& cam = chip.Create(g_ZOQCapability_62);
    unsigned index = 0, low = 0, high = 0;
    cam.Sensor_GetGainRange(&low, &high);
    EXPECT_EQ(low, 1u);
    EXPECT_EQ(high, 255u);
    EXPECT_EQ(cam.Sensor_SetGainG(300), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{0x3056, 255}, {0x305C, 255}}));
    cam.Sensor_WrRelatedRegValue(0x3058, 0x1234, nullptr);
    cam.Sensor_GetGainB(&index);
    EXPECT_EQ(index, 0x34u);  // the low byte
    EXPECT_EQ(cam.Sensor_SetGainGlobal(64), 0);
    cam.Sensor_GetGainR(&index);
    EXPECT_EQ(index, 64u);  // the chip copies the global gain into the colour gains

    EXPECT_EQ(cam.Sensor_SetMirror(true), 0);
    EXPECT_EQ(chip.device.sensor[0x3040], 0x4000);
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    EXPECT_EQ(chip.device.sensor[0x3046], 0x0180);
    bool on = false;
    EXPECT_EQ(cam.Sensor_IsFlashEnable(&on), 0);
    EXPECT_TRUE(on);

    ChipOnFake<CZOQCamMT9M031> mono;
    PowerOnMt9m031(mono.device);
    CZOQCamMT9M031& cam63 = mono.Create(g_ZOQCapability_63, 6, 5);
    EXPECT_EQ(cam63.Sensor_SetGainR(40), 0);
    EXPECT_EQ(SensorWrites(mono.device), (std::vector<RegValue>{{0x305E, 40}}));
}

TEST(MT9V034, WorkedExamplesOfTheGain) {
    ChipOnFake<CZOQCamMT9V034> chip;
    PowerOnMt9v034(chip.device);
    CZOQCamMT9V034& cam = chip.Create(g_ZOQCapability_36);
    EXPECT_EQ(cam.Sensor_SetGainGlobal(60), 0);
    EXPECT_EQ(SensorWrites(chip.device), (std::vector<RegValue>{{53, 64}}));
    EXPECT_EQ(cam.Sensor_SetGainR(10), 0);
    EXPECT_EQ(chip.device.sensor[53], 26);
    unsigned index = 0;
    cam.Sensor_GetGainGlobal(&index);
    EXPECT_EQ(index, 10u);
    cam.Sensor_WrRelatedRegValue(53, 0x80 | 40, nullptr);  // bit 7 is not part of the gain
    cam.Sensor_GetGainB(&index);
    EXPECT_EQ(index, 24u);

    // With automatic gain on the chip owns the gain.
    cam.Sensor_WrRelatedRegValue(175, 0x02, nullptr);
    chip.device.calls.clear();
    EXPECT_EQ(cam.Sensor_SetGainGlobal(60), RC_ILLEGAL_OPERATION);
    EXPECT_EQ(cam.Sensor_SetGainG(5), RC_ILLEGAL_OPERATION);
    EXPECT_TRUE(chip.device.calls.empty());
}

TEST(MT9V034, ExposureFollowsWidthAndBlank) {
    ChipOnFake<CZOQCamMT9V034> chip;
    PowerOnMt9v034(chip.device);
    CZOQCamMT9V034& cam = chip.Create(g_ZOQCapability_36);
    EXPECT_NEAR(cam.Sensor_GetExposureTimeFromExposureLines(319), 846 * 319 * kT27, 1e-4);
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10.0f), 319u);
    // Truncated to 16 bits before the clamp.
    EXPECT_EQ(cam.Sensor_GetExposureLinesFromExposureTime(10000.0f), 319149u - 4 * 65536);
    EXPECT_EQ(cam.Sensor_SetExposureLines(40000), 0);
    EXPECT_EQ(chip.device.sensor[11], 32765);
    EXPECT_EQ(cam.Sensor_SetExposureLines(0), 0);
    EXPECT_EQ(chip.device.sensor[11], 1);

    EXPECT_EQ(cam.Sensor_SetExposureTime(10.0f), 0);
    EXPECT_EQ(chip.device.sensor[11], 319);
    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(5, 200, nullptr), 0);
    EXPECT_EQ(chip.device.sensor[11], 284);  // 10 ms / (952 clocks) + 0.5
    float ms = 0;
    cam.Sensor_GetExposureTime(&ms);
    EXPECT_NEAR(ms, 10.0f, 952 * kT27);
}

TEST(MT9V034, BinnedWindowCheckAndModes) {
    ChipOnFake<CZOQCamMT9V034> chip;
    PowerOnMt9v034(chip.device);
    CZOQCamMT9V034& cam = chip.Create(g_ZOQCapability_36);  // modes 1 and 3
    Window w{700, 0, 101, 1, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{651, 0, 100, 2, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}));
    w = {0, 10, 753, 479, ZOQ_ADDRESSMODE_STEP4, ZOQ_ADDRESSMODE_STEP4};
    EXPECT_EQ(CheckFov(cam, &w), 0);
    EXPECT_EQ(w, (Window{0, 1, 752, 476, ZOQ_ADDRESSMODE_STEP4, ZOQ_ADDRESSMODE_STEP4}));
    w = {0, 0, 10, 10, static_cast<ZOQ_ADDRESSMODE>(5), ZOQ_ADDRESSMODE_NORMAL};
    EXPECT_EQ(CheckFov(cam, &w), RC_PARAMETER_ERROR);
    w = {0, 0, 10, 10, ZOQ_ADDRESSMODE_STEP3, ZOQ_ADDRESSMODE_STEP3};
    EXPECT_EQ(CheckFov(cam, &w), RC_NOT_SUPPORTED);

    EXPECT_EQ(SetFov(cam, {0, 0, 640, 480, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}), 0);
    EXPECT_EQ(SensorWritesExcept(chip.device, {11}), (std::vector<RegValue>{{4, 640}, {13, 0x0304}}));
    EXPECT_EQ(GetFov(cam), (Window{0, 0, 640, 480, ZOQ_ADDRESSMODE_STEP2, ZOQ_ADDRESSMODE_STEP2}));
    EXPECT_EQ(CaptureSize(cam), std::make_pair(320, 240));
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP4, nullptr), 0);
    EXPECT_EQ(chip.device.sensor[13], 0x0308);
    EXPECT_EQ(cam.Sensor_GetAddressMode(), ZOQ_ADDRESSMODE_STEP4);
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP3, nullptr), RC_NOT_SUPPORTED);
    EXPECT_EQ(cam.Sensor_SetAddressMode(ZOQ_ADDRESSMODE_STEP8, nullptr), RC_NOT_SUPPORTED);
}

TEST(MT9V034, ReadModeBitsAndTheLedOutput) {
    ChipOnFake<CZOQCamMT9V034> chip;
    PowerOnMt9v034(chip.device);
    chip.device.sensor[27] = 0x01;  // LED_OUT disabled
    CZOQCamMT9V034& cam = chip.Create(g_ZOQCapability_36);
    bool on = true;
    EXPECT_EQ(cam.Sensor_IsFlashEnable(&on), 0);
    EXPECT_FALSE(on);
    EXPECT_EQ(cam.Sensor_EnableFlash(true), 0);
    EXPECT_EQ(chip.device.sensor[27], 0x00);
    EXPECT_EQ(cam.Sensor_InvertFlash(true), 0);
    EXPECT_EQ(chip.device.sensor[27], 0x02);
    EXPECT_EQ(cam.Sensor_SetFlip(true), 0);
    EXPECT_EQ(cam.Sensor_SetMirror(true), 0);
    EXPECT_EQ(chip.device.sensor[13], 0x0330);
}
