/* Plug-in of device type 92: IMX249 colour camera. */
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(92, "ZOQ-IMX249-C", CZOQCamIMX249, g_ZOQCapability_92)
