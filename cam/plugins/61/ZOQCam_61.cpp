/* Plug-in of device type 61: MT9V034 monochrome camera. */
#include "ZOQCam_Imp_Sensor_MT9V034.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(61, "ZOQ-MT9V034-M", CZOQCamMT9V034, g_ZOQCapability_61)
