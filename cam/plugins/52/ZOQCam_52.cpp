/* Plug-in of device type 52: MT9P031 colour camera. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(52, "ZOQ-MT9P031-C", CZOQCamMT9P031, g_ZOQCapability_52)
