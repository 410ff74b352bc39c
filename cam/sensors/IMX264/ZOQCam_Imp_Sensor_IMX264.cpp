/* CZOQCamIMX264: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX264.h"

namespace {
const ZOQSonyChip kChip = imx250family::Member({.minColumns = 4, .maxColumns = 2464, .minRows = 4, .maxRows = 2056});
}  // namespace

CZOQCamIMX264::CZOQCamIMX264(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kChip) {
    Sensor_RdRelatedRegValue();
}
