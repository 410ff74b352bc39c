/* Plug-in of device type 89: IMX178 monochrome camera. */
#include "ZOQCam_Imp_Sensor_IMX178.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(89, "ZOQ-IMX178-M", CZOQCamIMX178, g_ZOQCapability_89)
