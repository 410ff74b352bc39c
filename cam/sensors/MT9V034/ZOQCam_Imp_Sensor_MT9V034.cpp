/* CZOQCamMT9V034: its layout and construction. */
#include "ZOQCam_Imp_Sensor_MT9V034.h"

#include "ZOQCam_MT9V034_Registers.h"

using namespace mt9v034;

namespace {

// Beyond the named registers: the automatic exposure and gain limits (173,
// 171), the ADC mode (28) and two chip-specific controls (213, 194).
constexpr unsigned short kCachedRegisters[] = {
    REG_COLUMN_START, REG_ROW_START,        REG_WINDOW_WIDTH,   REG_WINDOW_HEIGHT,
    REG_SHUTTER_WIDTH, REG_ANALOG_GAIN,     REG_HORIZONTAL_BLANK, REG_VERTICAL_BLANK,
    REG_AEC_AGC_ENABLE, 173,                171,                REG_LED_OUT,
    REG_READ_MODE,    28,                   213,                194};

// The row time depends on these.
constexpr unsigned short kRetime[] = {REG_WINDOW_WIDTH, REG_HORIZONTAL_BLANK};

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kCachedRegisters),
    .retime = ZOQRegisters(kRetime),
    .awb = &g_AWBMatrixA,
    // Register value = index + 16; read back from its low 7 bits.
    .gain = ZOQSingleGain(REG_ANALOG_GAIN, ZOQOffsetGain(0, kMaxGainIndex, kGainOffset, 0xFFFF, 0x7F)),
    .lines = {.part = {{REG_SHUTTER_WIDTH, 0, 0x7FFF}},
              .count = 1,
              .minLines = 1,
              .maxLines = kMaxExposureLines},
    .window = {.limits = {.minColumns = 1, .maxColumns = kMaxColumns, .minRows = 1, .maxRows = kMaxRows},
               .align = {0, 0},
               .field = {{REG_COLUMN_START, kColumnOffset, 0xFFFF},
                         {REG_ROW_START, kRowOffset, 0xFFFF},
                         {REG_WINDOW_WIDTH, 0, 0xFFFF},
                         {REG_WINDOW_HEIGHT, 0, 0xFFFF}}},
    // Binning field 1 is mode 1 (by 2), field 2 mode 3 (by 4).
    .addressMode = {.reg = {{REG_READ_MODE, READ_MODE_BIN_FIELD, {0, READ_MODE_BIN_2, -1, READ_MODE_BIN_4, -1}}},
                    .regCount = 1,
                    .probe = {{REG_READ_MODE, READ_MODE_BIN_FIELD, READ_MODE_BIN_2, ZOQ_ADDRESSMODE_STEP2},
                              {REG_READ_MODE, READ_MODE_BIN_FIELD, READ_MODE_BIN_4, ZOQ_ADDRESSMODE_STEP4}},
                    .probeCount = 2},
    .flip = {REG_READ_MODE, READ_MODE_FLIP, false},
    .mirror = {REG_READ_MODE, READ_MODE_MIRROR, false},
    // The LED_OUT pin: its bit disables it.
    .strobe = ZOQStrobe::Bits,
    .strobeEnable = {REG_LED_OUT, LED_OUT_DISABLE, true},
    .strobeInvert = {REG_LED_OUT, LED_OUT_INVERT, false},
};

}  // namespace

CZOQCamMT9V034::CZOQCamMT9V034(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSensor(device, capability, kLayout) {
    Sensor_RdRelatedRegValue();
}

int CZOQCamMT9V034::SetGain(ZOQ_GAINCHANNEL channel, unsigned int index) {
    if (Reg(REG_AEC_AGC_ENABLE) & AGC_ENABLE) return RC_ILLEGAL_OPERATION;
    return CZOQCamSensor::SetGain(channel, index);
}
