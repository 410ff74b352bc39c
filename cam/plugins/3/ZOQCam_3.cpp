/* Plug-in of device type 3: MT9T001 colour camera. */
#include "ZOQCam_Imp_Sensor_MT9T001.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(3, "ZOQ-MT9T001-C", CZOQCamMT9T001, g_ZOQCapability_3)
