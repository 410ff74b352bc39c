/* CZOQCamMT9M001: its layout and construction. */
#include "ZOQCam_Imp_Sensor_MT9M001.h"

#include "ZOQCam_MT9M001_Registers.h"

using namespace mt9m001;

namespace {

constexpr unsigned short kCachedRegisters[] = {
    REG_COLUMN_START,  REG_ROW_START,     REG_COLUMN_SIZE, REG_ROW_SIZE,    REG_HORIZONTAL_BLANK,
    REG_VERTICAL_BLANK, REG_SHUTTER_DELAY, REG_SHUTTER_LOWER, REG_GAIN_RED,  REG_GAIN_BLUE,
    REG_GAIN_GREEN1,   REG_GAIN_GREEN2,   REG_GAIN_GLOBAL, REG_READ_MODE_1, REG_READ_MODE_2,
    REG_CALIBRATION_CONTROL, REG_CALIBRATION_THRESHOLD};

// The row time depends on these.
constexpr unsigned short kRetime[] = {REG_COLUMN_SIZE, REG_HORIZONTAL_BLANK, REG_SHUTTER_DELAY,
                                      REG_READ_MODE_1, REG_READ_MODE_2};

// The global gain sets every colour gain itself, then the global register.
constexpr ZOQGainLayout kGains = [] {
    ZOQGainLayout gains =
        ZOQColourGains(REG_GAIN_RED, REG_GAIN_GREEN1, REG_GAIN_GREEN2, REG_GAIN_BLUE, REG_GAIN_GLOBAL,
                       ZOQTableGain(g_MT9M001_GainTable, kGainEntries), kGainMirror);
    gains.channel[GAIN_GLOBAL] = {
        {REG_GAIN_RED, REG_GAIN_GREEN1, REG_GAIN_GREEN2, REG_GAIN_BLUE, REG_GAIN_GLOBAL}, 5, REG_GAIN_GLOBAL};
    return gains;
}();

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kCachedRegisters),
    .retime = ZOQRegisters(kRetime),
    .awb = &g_AWBMatrixA,
    .gain = kGains,
    .lines = {.part = {{REG_SHUTTER_LOWER, 0, 0xFFFF}},
              .count = 1,
              .minLines = 1,
              .maxLines = kMaxExposureLines},
    // Starts and sizes are rounded down to even values.
    .window = {.limits = {.minColumns = 1, .maxColumns = 1280, .minRows = 1, .maxRows = 1024},
               .align = {1, 1},
               .field = {{REG_COLUMN_START, kColumnOffset, kWindowMask},
                         {REG_ROW_START, kRowOffset, kWindowMask},
                         {REG_COLUMN_SIZE, -1, kWindowMask},
                         {REG_ROW_SIZE, -1, kWindowMask}}},
    // Mode 1 skips by 2 (read mode 2), 3 by 4 and 4 by 8 (read mode 1).
    .addressMode = {.reg = {{REG_READ_MODE_1, READ_MODE_1_SKIP_FIELD, {0, 0, -1, READ_MODE_1_SKIP_4, READ_MODE_1_SKIP_8}},
                            {REG_READ_MODE_2, READ_MODE_2_SKIP_FIELD, {0, READ_MODE_2_SKIP_2, -1, 0, 0}}},
                    .regCount = 2,
                    .probe = {{REG_READ_MODE_2, 0x10, 0x10, ZOQ_ADDRESSMODE_STEP2},
                              {REG_READ_MODE_1, 0x08, 0x08, ZOQ_ADDRESSMODE_STEP4},
                              {REG_READ_MODE_1, 0x20, 0x20, ZOQ_ADDRESSMODE_STEP8}},
                    .probeCount = 3},
    .flip = {REG_READ_MODE_2, READ_MODE_2_FLIP, false},
    .mirror = {},
    .strobe = ZOQStrobe::NoEffect,
    .strobeEnable = {},
    .strobeInvert = {},
};

}  // namespace

CZOQCamMT9M001::CZOQCamMT9M001(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSensor(device, capability, kLayout) {
    Sensor_RdRelatedRegValue();
}
