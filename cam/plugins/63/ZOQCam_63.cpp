/* Plug-in of device type 63: MT9M031 monochrome camera. */
#include "ZOQCam_Imp_Sensor_MT9M031.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(63, "ZOQ-MT9M031-M", CZOQCamMT9M031, g_ZOQCapability_63)
