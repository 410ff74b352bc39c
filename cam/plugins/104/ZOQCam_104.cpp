/* Plug-in of device type 104: IMX250 colour camera. */
#include "ZOQCam_Imp_Sensor_IMX250.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(104, "ZOQ-IMX250-C", CZOQCamIMX250, g_ZOQCapability_104)
