/* Plug-in of device type 115: ISG1307 monochrome camera. It shares device
 * type 115 with the IMX290 camera and is built as libzoqcam_115_isg1307.so;
 * install it as libzoqcam_115.so in place of the IMX290 plug-in. */
#include "ZOQCam_Imp_Sensor_ISG1307.h"
#include "plugin/ZOQCam_Plugin.h"

ZOQCAM_DEFINE_PLUGIN(115, "ZOQ-ISG1307-M", CZOQCamISG1307, g_ZOQCapability_115_ISG1307)
