/* Plug-in of device type 36: MT9V034 colour camera. */
#include "ZOQCam_Imp_Sensor_MT9V034.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(36, "ZOQ-MT9V034-C", CZOQCamMT9V034, g_ZOQCapability_36)
