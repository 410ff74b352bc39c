/* CZOQCamIMX265: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX265.h"

namespace {
const ZOQSonyChip kChip = imx250family::Member({.minColumns = 260, .maxColumns = 2064, .minRows = 4, .maxRows = 1544});
}  // namespace

CZOQCamIMX265::CZOQCamIMX265(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kChip) {
    Sensor_RdRelatedRegValue();
}
