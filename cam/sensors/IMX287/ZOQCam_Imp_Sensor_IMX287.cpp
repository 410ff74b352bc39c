/* CZOQCamIMX287: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX287.h"

namespace {
// Four more rows of frame, no fixed part in the exposure, a strobe output.
const ZOQSonyChip kChip =
    imx250family::Member({.minColumns = 260, .maxColumns = 728, .minRows = 4, .maxRows = 544}, 42,
                         0.0f, ZOQStrobe::Chip, imx250family::kPulseStrobe);
}  // namespace

CZOQCamIMX287::CZOQCamIMX287(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kChip) {
    Sensor_RdRelatedRegValue();
}
