/* CZOQCamSensor: black level (no chip offers it) and the colour presets. */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "sensor/ZOQCam_NoBlackLevel.h"

int CZOQCamSensor::Sensor_GetBlackLevelRange(unsigned int* min, unsigned int* max) {
    return ZOQ_NoBlackLevelRange(min, max);
}

int CZOQCamSensor::Sensor_SetBlackLevel(unsigned int /*level*/) { return RC_NOT_SUPPORTED; }

int CZOQCamSensor::Sensor_GetBlackLevel(unsigned int* level) { return ZOQ_NoBlackLevel(level); }

int CZOQCamSensor::Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* gains3) {
    return ZOQ_CopyAwbPreset(*m_Layout.awb, preset, gains3);
}

int CZOQCamSensor::Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* matrix9) {
    return ZOQ_CopyCcmPreset(preset, matrix9);
}
