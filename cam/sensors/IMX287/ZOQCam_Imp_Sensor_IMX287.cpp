/* CZOQCamIMX287: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX287.h"

namespace {

const ZOQSensorLayout kLayout =
    imx250family::SensorLayout({.minColumns = 260, .maxColumns = 728, .minRows = 4, .maxRows = 544},
                               ZOQStrobe::Chip);
const ZOQSonyLayout kSony = imx250family::SonyLayout(42, 0.0f, imx250family::kPulseStrobe);

}  // namespace

CZOQCamIMX287::CZOQCamIMX287(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kLayout, kSony) {
    Sensor_RdRelatedRegValue();
}
