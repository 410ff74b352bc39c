/* Plug-in of device type 86: IMX174 colour camera, first series. */
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(86, "ZOQ-IMX174-C1", CZOQCamIMX174, g_ZOQCapability_86)
