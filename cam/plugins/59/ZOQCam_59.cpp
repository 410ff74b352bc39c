/* Plug-in of device type 59: EV76C560 monochrome camera. */
#include "ZOQCam_Imp_Sensor_EV76C560.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(59, "ZOQ-EV76C560-M", CZOQCamEV76C560, g_ZOQCapability_59)
