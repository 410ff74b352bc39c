/* Plug-in of device type 93: IMX249 monochrome camera. */
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(93, "ZOQ-IMX249-M", CZOQCamIMX249, g_ZOQCapability_93)
