/* CZOQCamMT9T001: its layout and construction. */
#include "ZOQCam_Imp_Sensor_MT9T001.h"

#include "ZOQCam_MT9T001_Registers.h"

using namespace mt9t001;

namespace {

constexpr unsigned short kCachedRegisters[] = {
    REG_COLUMN_START,  REG_ROW_START,        REG_COLUMN_SIZE,         REG_ROW_SIZE,
    REG_ROW_ADDRESS_MODE, REG_COLUMN_ADDRESS_MODE, REG_HORIZONTAL_BLANK, REG_VERTICAL_BLANK,
    REG_SHUTTER_DELAY, REG_SHUTTER_LOWER,    REG_SHUTTER_UPPER,       REG_GAIN_RED,
    REG_GAIN_BLUE,     REG_GAIN_GREEN1,      REG_GAIN_GREEN2,         REG_READ_MODE_1,
    REG_READ_MODE_2,   REG_GAIN_GLOBAL};

// The row time depends on these.
constexpr unsigned short kRetime[] = {REG_COLUMN_SIZE, REG_HORIZONTAL_BLANK, REG_SHUTTER_DELAY,
                                      REG_ROW_ADDRESS_MODE, REG_COLUMN_ADDRESS_MODE};

// Skip (and bin) codes of modes 0-4, the same in both address-mode
// registers.
constexpr ZOQModeRegister SkipCodes(unsigned short reg) {
    return ZOQModeRegister{reg, 0x37, {0x00, 0x11, 0x12, 0x13, 0x17}};
}

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kCachedRegisters),
    .retime = ZOQRegisters(kRetime),
    .awb = &g_AWBMatrixA,
    .gain = ZOQColourGains(REG_GAIN_RED, REG_GAIN_GREEN1, REG_GAIN_GREEN2, REG_GAIN_BLUE,
                           REG_GAIN_GLOBAL, ZOQTableGain(g_MT9T001_GainTable, kGainEntries),
                           kGainMirror),
    .lines = {.part = {{REG_SHUTTER_UPPER, 16, 0xFFFF}, {REG_SHUTTER_LOWER, 0, 0xFFFF}},
              .count = 2,
              .minLines = 1,
              .maxLines = 0xFFFF},
    .window = {.limits = {.minColumns = 1, .maxColumns = 2048, .minRows = 1, .maxRows = 1536},
               .align = {0, 0},
               .field = {{REG_COLUMN_START, kColumnOffset, kColumnStartMask},
                         {REG_ROW_START, kRowOffset, kWindowMask},
                         {REG_COLUMN_SIZE, -1, kWindowMask},
                         {REG_ROW_SIZE, -1, kWindowMask}}},
    .addressMode = {.reg = {SkipCodes(REG_ROW_ADDRESS_MODE), SkipCodes(REG_COLUMN_ADDRESS_MODE)},
                    .regCount = 2,
                    .probe = {{REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 1, ZOQ_ADDRESSMODE_STEP2},
                              {REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 2, ZOQ_ADDRESSMODE_STEP3},
                              {REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 3, ZOQ_ADDRESSMODE_STEP4},
                              {REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 7, ZOQ_ADDRESSMODE_STEP8}},
                    .probeCount = 4},
    .flip = {REG_READ_MODE_2, READ_MODE_2_FLIP, false},
    .mirror = {REG_READ_MODE_2, READ_MODE_2_MIRROR, false},
    .strobe = ZOQStrobe::NoEffect,
    .strobeEnable = {},
    .strobeInvert = {},
};

}  // namespace

CZOQCamMT9T001::CZOQCamMT9T001(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSensor(device, capability, kLayout) {
    Sensor_RdRelatedRegValue();
}
