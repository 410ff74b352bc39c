/* Plug-in of device type 120: IMX265 monochrome camera. */
#include "ZOQCam_Imp_Sensor_IMX265.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(120, "ZOQ-IMX265-M", CZOQCamIMX265, g_ZOQCapability_120)
