/* Plug-in of device type 111: ISG4006A colour camera. */
#include "ZOQCam_Imp_Sensor_ISG4006A.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(111, "ZOQ-ISG4006A-C", CZOQCamISG4006A, g_ZOQCapability_111)
