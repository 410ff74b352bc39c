/* CZOQCamIMX174: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX174.h"

#include "ZOQCam_IMX174_Registers.h"

using namespace imx174;

namespace {

const ZOQSonyChip kChip = {
    .sensor = ZOQSonySensorLayout(
        ZOQCachedRegisters(kCachedRegisters), REG_ORIENTATION, 480,
        {.minColumns = 96, .maxColumns = 1936, .minRows = 2, .maxRows = 1216}, ZOQFovAlign{0, 0},
        ZOQStrobe::Chip, &g_AWBMatrixB),
    .sony = {
        .vmax = {.first = REG_VMAX, .bytes = 2, .topMask = 0x0F},
        .hmax = {.first = REG_HMAX, .bytes = 2},
        .shs = {.first = REG_SHS, .bytes = 2},
        .svs = {.first = REG_SVS, .bytes = 2},
        .svsLimit = 0xFFFF,
        .linesPerVmax = 65536,
        .offsetLines = 0.0f,
        .offsetMs = 0.01373f,
        .vmaxMargin = 38,
        .gain = {.first = REG_GAIN, .bytes = 2},
        .window = ZOQSonyWindow16(REG_COLUMN_START, REG_ROW_START, REG_COLUMN_SIZE, REG_ROW_SIZE),
        .pulse = {.first = REG_PULSE, .bytes = 2},
        .strobe = {.enable = REG_STROBE_ENABLE,
                   .mode = REG_STROBE_MODE,
                   .output = REG_STROBE_OUTPUT,
                   .modeCheck = 0x01},
    },
};

}  // namespace

CZOQCamIMX174::CZOQCamIMX174(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kChip) {
    Sensor_RdRelatedRegValue();
}
