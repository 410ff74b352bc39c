/* CZOQCamIMX264: its layout and construction. */
#include "ZOQCam_Imp_Sensor_IMX264.h"

namespace {

const ZOQSensorLayout kLayout =
    imx250family::SensorLayout({.minColumns = 4, .maxColumns = 2464, .minRows = 4, .maxRows = 2056},
                               ZOQStrobe::NoEffect);
const ZOQSonyLayout kSony = imx250family::SonyLayout(
    imx250family::kVmaxMargin, imx250family::kOffsetLines, imx250family::kNoPulseStrobe);

}  // namespace

CZOQCamIMX264::CZOQCamIMX264(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamSony(device, capability, kLayout, kSony) {
    Sensor_RdRelatedRegValue();
}
