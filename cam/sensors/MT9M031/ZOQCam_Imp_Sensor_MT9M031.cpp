/* CZOQCamMT9M031: its layout and construction. */
#include "ZOQCam_Imp_Sensor_MT9M031.h"

#include "ZOQCam_MT9M031_Registers.h"

using namespace mt9m031;

namespace {

constexpr unsigned short kCachedRegisters[] = {
    REG_X_START,     REG_Y_START,         REG_X_END,      REG_Y_END,       REG_FRAME_LENGTH,
    REG_LINE_LENGTH, REG_COARSE_INTEGRATION, REG_FINE_INTEGRATION, REG_Y_ODD_INC,
    REG_DIGITAL_BINNING, REG_GAIN_GREEN1, REG_GAIN_BLUE,  REG_GAIN_RED,    REG_GAIN_GREEN2,
    REG_GAIN_GLOBAL, REG_READ_MODE,       REG_FLASH,      REG_DIGITAL_TEST};

// The line time depends on these.
constexpr unsigned short kRetime[] = {REG_LINE_LENGTH, REG_FINE_INTEGRATION};

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kCachedRegisters),
    .retime = ZOQRegisters(kRetime),
    .awb = &g_AWBMatrixA,
    // The gain index (1-255) is the register value; the getters read its
    // low byte.
    .gain = ZOQColourGains(REG_GAIN_RED, REG_GAIN_GREEN1, REG_GAIN_GREEN2, REG_GAIN_BLUE,
                           REG_GAIN_GLOBAL, ZOQOffsetGain(1, 255, 0, 0xFFFF, 0x00FF),
                           {REG_GAIN_GLOBAL,
                            {REG_GAIN_GREEN1, REG_GAIN_BLUE, REG_GAIN_RED, REG_GAIN_GREEN2}}),
    .lines = {.part = {{REG_COARSE_INTEGRATION, 0, 0xFFFF}},
              .count = 1,
              .minLines = 1,
              .maxLines = 0xFFFF},
    .window = {.limits = {.minColumns = 1, .maxColumns = 1280, .minRows = 1, .maxRows = 960},
               .align = {0, 0},
               .field = {}},
    // Mode 1 is the 2 x 2 binning; every other mode reads every pixel.
    .addressMode = {.reg = {{REG_DIGITAL_BINNING, BINNING_FIELD, {0, BINNING_2X2, 0, 0, 0}}},
                    .regCount = 1,
                    .probe = {{REG_DIGITAL_BINNING, BINNING_FIELD, BINNING_2X2, ZOQ_ADDRESSMODE_STEP2}},
                    .probeCount = 1},
    .flip = {REG_READ_MODE, READ_MODE_FLIP, false},
    .mirror = {REG_READ_MODE, READ_MODE_MIRROR, false},
    .strobe = ZOQStrobe::Bits,
    .strobeEnable = {REG_FLASH, FLASH_ENABLE, false},
    .strobeInvert = {REG_FLASH, FLASH_INVERT, false},
};

}  // namespace

CZOQCamMT9M031::CZOQCamMT9M031(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSensor(device, capability, kLayout) {
    Sensor_RdRelatedRegValue();
}
