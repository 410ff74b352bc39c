/* Plug-in of device type 114: IMX287 monochrome camera. */
#include "ZOQCam_Imp_Sensor_IMX287.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(114, "ZOQ-IMX287-M", CZOQCamIMX287, g_ZOQCapability_114)
