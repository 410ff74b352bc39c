/* Plug-in of device type 106: IMX174 colour camera, second series. */
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(106, "ZOQ-IMX174-C2", CZOQCamIMX174, g_ZOQCapability_106)
