/* CZOQCamIMX178: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX178.h"

#include "ZOQCam_IMX178_Registers.h"

using namespace imx178;

namespace {

// Mode 1 is the 2 x 2 readout; no other mode is offered.
constexpr ZOQAddressModeLayout kAddressModes = {
    .reg = {{.reg = REG_MODE_B, .clear = 0xFFFF, .bits = {0, 1, -1, -1, -1}},
            {.reg = REG_MODE_A, .clear = 0x0003, .bits = {1, 0, -1, -1, -1}},
            {.reg = REG_READOUT, .clear = kReadoutField, .bits = {0, kBinnedReadout, -1, -1, -1}}},
    .regCount = 3,
    .probe = {{.reg = REG_READOUT, .mask = kReadoutField, .value = kBinnedReadout,
               .mode = ZOQ_ADDRESSMODE_STEP2}},
    .probeCount = 1,
};

const ZOQSonyChip kChip = {
    .sensor = ZOQSonySensorLayout(
        ZOQCachedRegisters(kCachedRegisters), REG_ORIENTATION, kMaxGainIndex,
        {.minColumns = 640, .maxColumns = 3096, .minRows = 480, .maxRows = 2080},
        // Column start and size lose bit 1, row start and size bit 0.
        ZOQFovAlign{.column = 2, .row = 1}, ZOQStrobe::NoEffect, &g_AWBMatrixB, kAddressModes),
    .sony = {
        .vmax = {.first = REG_VMAX, .bytes = 3, .topMask = 0x01},
        .hmax = {.first = REG_HMAX, .bytes = 2},
        .shs = {.first = REG_SHS, .bytes = 3},
        .svs = {.first = REG_SVS, .bytes = 2, .topMask = 0x03},
        .svsLimit = 1023,
        .linesPerVmax = 1024,
        .offsetLines = 0.15f,
        .offsetMs = 0.0f,
        .vmaxMargin = kVmaxMargin,
        .gain = {.first = REG_GAIN, .bytes = 2},
        // The column start goes whole to 924 and its high byte to 925.
        .window = ZOQSonyWindow16(REG_COLUMN_START, REG_ROW_START, REG_COLUMN_SIZE, REG_ROW_SIZE, true),
        .pulse = {},
        .strobe = {},
    },
};

}  // namespace

CZOQCamIMX178::CZOQCamIMX178(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kChip) {
    Sensor_RdRelatedRegValue();
}
