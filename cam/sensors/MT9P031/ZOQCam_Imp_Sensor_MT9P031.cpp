/* CZOQCamMT9P031: its layout and construction. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"

#include "ZOQCam_MT9P031_Registers.h"

using namespace mt9p031;

namespace {

// What a register write recomputes besides re-timing the exposure: the
// shutter registers give the exposure time, the sizes and address modes the
// image size. Both sizes read their address mode from the column register.
constexpr ZOQDerivedUpdate kDerived[] = {
    {REG_ROW_SIZE, DERIVED_HEIGHT},
    {REG_COLUMN_SIZE, DERIVED_WIDTH},
    {REG_SHUTTER_UPPER, DERIVED_EXPOSURE_TIME},
    {REG_SHUTTER_LOWER, DERIVED_EXPOSURE_TIME},
    {REG_ROW_ADDRESS_MODE, DERIVED_HEIGHT},
    {REG_COLUMN_ADDRESS_MODE, DERIVED_WIDTH | DERIVED_HEIGHT},
};

// Modes 1-3 skip and bin by 2, 3 and 4; mode 4 skips by 8 without binning.
constexpr short kSkipBinCodes[5] = {0x00, 0x11, 0x22, 0x33, 0x07};

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kMirroredRegisters),
    .retime = ZOQRegisters(kRowTimeRegisters),
    .awb = &g_AWBMatrixA,
    .gain = TableGains(g_MT9P031_GainTable, kGainEntries),
    .lines = ShutterWidthLines(kMaxExposureLines),
    .window = OffsetWindow({.minColumns = 1, .maxColumns = kMaxColumns, .minRows = 1, .maxRows = kMaxRows},
                           kColumnOffset, kRowOffset),
    .addressMode = SkipBinModes(kSkipBinCodes),
    .flip = {REG_READ_MODE_2, READ_MODE_2_FLIP, false},
    .mirror = {REG_READ_MODE_2, READ_MODE_2_MIRROR, false},
    .strobe = ZOQStrobe::Bits,
    .strobeEnable = {REG_READ_MODE_1, READ_MODE_1_STROBE_ENABLE, false},
    .strobeInvert = {REG_READ_MODE_1, READ_MODE_1_STROBE_INVERT, false},
    .derived = ZOQDerived(kDerived),
};

}  // namespace

CZOQCamMT9P031::CZOQCamMT9P031(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSensor(device, capability, kLayout) {
    Sensor_RdRelatedRegValue();
}
