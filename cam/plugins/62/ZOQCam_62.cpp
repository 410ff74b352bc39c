/* Plug-in of device type 62: MT9M031 colour camera. */
#include "ZOQCam_Imp_Sensor_MT9M031.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(62, "ZOQ-MT9M031-C", CZOQCamMT9M031, g_ZOQCapability_62)
