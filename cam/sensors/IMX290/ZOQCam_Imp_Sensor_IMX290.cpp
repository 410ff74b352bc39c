/* CZOQCamIMX290: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX290.h"

#include "ZOQCam_IMX290_Registers.h"

using namespace imx290;

namespace {

const ZOQSonyChip kChip = {
    .sensor = ZOQSonySensorLayout(
        ZOQCachedRegisters(kCachedRegisters), REG_ORIENTATION, kMaxGainIndex,
        {.minColumns = 368, .maxColumns = 1944, .minRows = 304, .maxRows = 1096},
        // Column start and size lose bit 1, row start and size bit 0.
        ZOQFovAlign{.column = 2, .row = 1}, ZOQStrobe::NotSupported, &g_AWBMatrixA),
    // No frame count and no fixed part in the exposure time.
    .sony = {
        .vmax = {.first = REG_VMAX, .bytes = 3, .topMask = 0x03},
        .hmax = {.first = REG_HMAX, .bytes = 2},
        .shs = {.first = REG_SHS1, .bytes = 3, .topMask = 0x03},
        .svs = {},
        .svsLimit = 0,
        .linesPerVmax = 1,
        .offsetLines = 0.0f,
        .offsetMs = 0.0f,
        .vmaxMargin = 0,
        .gain = {.first = REG_GAIN, .bytes = 1},
        .window = ZOQSonyWindow16(REG_COLUMN_START, REG_ROW_START, REG_COLUMN_SIZE, REG_ROW_SIZE),
        .pulse = {},
        .strobe = {},
    },
};

}  // namespace

CZOQCamIMX290::CZOQCamIMX290(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kChip) {
    Sensor_RdRelatedRegValue();
}
