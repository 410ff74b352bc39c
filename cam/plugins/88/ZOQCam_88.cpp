/* Plug-in of device type 88: IMX178 colour camera. */
#include "ZOQCam_Imp_Sensor_IMX178.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(88, "ZOQ-IMX178-C", CZOQCamIMX178, g_ZOQCapability_88)
