/* Plug-in of device type 95: IMX264 monochrome camera. */
#include "ZOQCam_Imp_Sensor_IMX264.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(95, "ZOQ-IMX264-M", CZOQCamIMX264, g_ZOQCapability_95)
