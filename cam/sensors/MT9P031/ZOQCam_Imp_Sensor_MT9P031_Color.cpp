/* CZOQCamMT9P031: white-balance presets of table A and the shared colour
 * correction presets. */
#include "ZOQCam_ColorPresets.h"
#include "ZOQCam_Imp_Sensor_MT9P031.h"

int CZOQCamMT9P031::Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* gains3) {
    return ZOQ_CopyAwbPreset(g_AWBMatrixA, preset, gains3);
}

int CZOQCamMT9P031::Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* matrix9) {
    return ZOQ_CopyCcmPreset(preset, matrix9);
}
