/* Plug-in of device type 67: MT9M001 monochrome camera. */
#include "ZOQCam_Imp_Sensor_MT9M001.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(67, "ZOQ-MT9M001-M", CZOQCamMT9M001, g_ZOQCapability_67)
