/* Plug-in of device type 58: EV76C560 colour camera. */
#include "ZOQCam_Imp_Sensor_EV76C560.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(58, "ZOQ-EV76C560-C", CZOQCamEV76C560, g_ZOQCapability_58)
