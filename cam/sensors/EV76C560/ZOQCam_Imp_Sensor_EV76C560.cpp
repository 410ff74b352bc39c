/* CZOQCamEV76C560: its layout and construction. */
#include "ZOQCam_Imp_Sensor_EV76C560.h"

#include "ZOQCam_EV76C560_Registers.h"

using namespace ev76c560;

namespace {

// Beyond the named registers: chip-specific controls (6, 10, 17, 73).
constexpr unsigned short kCachedRegisters[] = {
    REG_LINE_LENGTH, 6,                REG_ORIENTATION, REG_EXPOSURE_LINES, 17,
    REG_ROW_START,   REG_ROW_SIZE,     REG_COLUMN_START, REG_COLUMN_SIZE,   REG_SUBSAMPLING,
    10,              REG_GAIN_GREEN,   REG_GAIN_RED_BLUE, 73,               REG_STROBE,
    REG_CLOCK_SELECT, REG_PLL,         REG_EXPOSURE_MODE, REG_OSCILLATOR};

constexpr ZOQGainRegisters kRedBlue = {.reg = {REG_GAIN_RED_BLUE}, .count = 1, .read = REG_GAIN_RED_BLUE};

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kCachedRegisters),
    .retime = {},
    .awb = &g_AWBMatrixA,
    // Red and blue share a gain; the global gain sets both gains.
    .gain = {.channel = {kRedBlue,
                         {.reg = {REG_GAIN_GREEN}, .count = 1, .read = REG_GAIN_GREEN},
                         kRedBlue,
                         {.reg = {REG_GAIN_RED_BLUE, REG_GAIN_GREEN}, .count = 2, .read = REG_GAIN_RED_BLUE}},
             .code = ZOQOffsetGain(0, 255, 0, 0xFFFF, 0x00FF),
             .mirror = {}},
    .lines = {.part = {{REG_EXPOSURE_LINES, 0, 0xFFFF}},
              .count = 1,
              .minLines = 0,
              .maxLines = kMaxExposureLines},
    .window = {.limits = {.minColumns = 16, .maxColumns = 1280, .minRows = 1, .maxRows = 1024},
               .align = {0, 0},
               .field = {{REG_COLUMN_START, 0, 0xFFFF},
                         {REG_ROW_START, 0, 0xFFFF},
                         {REG_COLUMN_SIZE, 0, 0xFFFF},
                         {REG_ROW_SIZE, 0, 0xFFFF}}},
    // The subsampling field holds the address mode itself.
    .addressMode = {.reg = {{REG_SUBSAMPLING, SUBSAMPLING_FIELD, {0, 1, 2, 3, 4}}},
                    .regCount = 1,
                    .probe = {{REG_SUBSAMPLING, SUBSAMPLING_FIELD, 1, ZOQ_ADDRESSMODE_STEP2},
                              {REG_SUBSAMPLING, SUBSAMPLING_FIELD, 2, ZOQ_ADDRESSMODE_STEP3},
                              {REG_SUBSAMPLING, SUBSAMPLING_FIELD, 3, ZOQ_ADDRESSMODE_STEP4},
                              {REG_SUBSAMPLING, SUBSAMPLING_FIELD, 4, ZOQ_ADDRESSMODE_STEP8}},
                    .probeCount = 4},
    .flip = {REG_ORIENTATION, ORIENTATION_FLIP, false},
    .mirror = {REG_ORIENTATION, ORIENTATION_MIRROR, false},
    .strobe = ZOQStrobe::Bits,
    .strobeEnable = {REG_STROBE, STROBE_ENABLE, false},
    .strobeInvert = {REG_ORIENTATION, ORIENTATION_STROBE_INVERT, false},
};

}  // namespace

CZOQCamEV76C560::CZOQCamEV76C560(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSensor(device, capability, kLayout), m_fClockPeriod(m_fPixelClockPeriod) {
    Sensor_RdRelatedRegValue();
}
