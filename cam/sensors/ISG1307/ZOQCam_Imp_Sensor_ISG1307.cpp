/* CZOQCamISG1307: its layout and construction. */
#include "ZOQCam_Imp_Sensor_ISG1307.h"

#include "ZOQCam_ISG1307_Registers.h"

using namespace isg1307;

namespace {

constexpr unsigned short kCachedRegisters[] = {
    REG_ROW_START_LOW, REG_ROW_START_HIGH,  REG_ROW_SIZE_LOW,  REG_ROW_SIZE_HIGH, REG_GAIN,
    REG_EXPOSURE_LOW,  REG_EXPOSURE_MIDDLE, REG_EXPOSURE_HIGH, REG_ORIENTATION,   REG_READOUT};

constexpr ZOQSensorLayout kLayout = ZOQIsgLayout(
    ZOQCachedRegisters(kCachedRegisters), REG_GAIN, 31, REG_EXPOSURE_LOW, REG_EXPOSURE_MIDDLE,
    REG_EXPOSURE_HIGH, kMaxExposureLines,
    {.minColumns = 160, .maxColumns = 1280, .minRows = 1, .maxRows = 1024}, &g_AWBMatrixB,
    {REG_ORIENTATION, ORIENTATION_FLIP, false});

constexpr ZOQIsgRowWindow kRows = {REG_ROW_START_LOW, REG_ROW_START_HIGH, REG_ROW_SIZE_LOW,
                                   REG_ROW_SIZE_HIGH};

}  // namespace

CZOQCamISG1307::CZOQCamISG1307(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamIsg(device, capability, kLayout, kRows) {
    Sensor_RdRelatedRegValue();
}
