/* Plug-in of device type 53: MT9P031 monochrome camera. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(53, "ZOQ-MT9P031-M", CZOQCamMT9P031, g_ZOQCapability_53)
