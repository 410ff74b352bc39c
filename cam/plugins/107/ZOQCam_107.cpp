/* Plug-in of device type 107: IMX174 monochrome camera, second series. */
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(107, "ZOQ-IMX174-M2", CZOQCamIMX174, g_ZOQCapability_107)
