/* Plug-in of device type 87: IMX174 monochrome camera, first series. */
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(87, "ZOQ-IMX174-M1", CZOQCamIMX174, g_ZOQCapability_87)
