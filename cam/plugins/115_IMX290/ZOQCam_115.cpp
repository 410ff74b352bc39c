/* Plug-in of device type 115: IMX290 colour camera. */
#include "ZOQCam_Imp_Sensor_IMX290.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(115, "ZOQ-IMX290-C", CZOQCamIMX290, g_ZOQCapability_115_IMX290)
