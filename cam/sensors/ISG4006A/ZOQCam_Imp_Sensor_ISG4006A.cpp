/* CZOQCamISG4006A: its layout and construction. */
#include "ZOQCam_Imp_Sensor_ISG4006A.h"

#include "ZOQCam_ISG4006A_Registers.h"

using namespace isg4006a;

namespace {

constexpr unsigned short kCachedRegisters[] = {
    REG_ROW_START_LOW, REG_ROW_START_HIGH,  REG_ROW_SIZE_LOW,  REG_ROW_SIZE_HIGH, REG_GAIN,
    REG_EXPOSURE_LOW,  REG_EXPOSURE_MIDDLE, REG_EXPOSURE_HIGH, REG_ORIENTATION};

// Bits 24-25 of the line count are not written.
constexpr ZOQSensorLayout kLayout = ZOQIsgLayout(
    ZOQCachedRegisters(kCachedRegisters), REG_GAIN, 15, REG_EXPOSURE_LOW, REG_EXPOSURE_MIDDLE,
    REG_EXPOSURE_HIGH, kMaxExposureLines,
    {.minColumns = kColumns, .maxColumns = kColumns, .minRows = 1, .maxRows = kMaxRows}, &g_AWBMatrixB,
    {REG_ORIENTATION, ORIENTATION_NOT_FLIPPED, true});

constexpr ZOQIsgRowWindow kRows = {REG_ROW_START_LOW, REG_ROW_START_HIGH, REG_ROW_SIZE_LOW,
                                   REG_ROW_SIZE_HIGH};

}  // namespace

CZOQCamISG4006A::CZOQCamISG4006A(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamIsg(device, capability, kLayout, kRows) {
    Sensor_RdRelatedRegValue();
}
