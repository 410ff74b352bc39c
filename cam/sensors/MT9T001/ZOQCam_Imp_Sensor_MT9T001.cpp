/* CZOQCamMT9T001: its layout and construction. */
#include "ZOQCam_Imp_Sensor_MT9T001.h"

#include "ZOQCam_MT9T001_Registers.h"

using namespace mt9t001;

namespace {

// Modes 1-4 skip by 2, 3, 4 and 8 with the MT9T001's own codes.
constexpr short kSkipCodes[5] = {0x00, 0x11, 0x12, 0x13, 0x17};

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kMirroredRegisters),
    .retime = ZOQRegisters(kRowTimeRegisters),
    .awb = &g_AWBMatrixA,
    .gain = TableGains(g_MT9T001_GainTable, kGainEntries),
    .lines = ShutterWidthLines(0xFFFF),
    .window = OffsetWindow({.minColumns = 1, .maxColumns = 2048, .minRows = 1, .maxRows = 1536},
                           kColumnOffset, kRowOffset, kColumnStartMask, kWindowMask),
    .addressMode = SkipBinModes(kSkipCodes),
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
