/* CZOQCamIMX265: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX265.h"

namespace {

const ZOQSensorLayout kLayout =
    imx250family::SensorLayout({.minColumns = 260, .maxColumns = 2064, .minRows = 4, .maxRows = 1544},
                               ZOQStrobe::NoEffect);
const ZOQSonyLayout kSony = imx250family::SonyLayout(
    imx250family::kVmaxMargin, imx250family::kOffsetLines, imx250family::kNoPulseStrobe);

}  // namespace

CZOQCamIMX265::CZOQCamIMX265(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kLayout, kSony) {
    Sensor_RdRelatedRegValue();
}
