/* CZOQCamSensor: black level (no chip offers it) and the colour presets. */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "sensor/ZOQCam_NoBlackLevel.h"

int CZOQCamSensor::Sensor_GetBlackLevelRange(unsigned int* min, unsigned int* max) {
    return zoqplugin::NoBlackLevelRange(min, max);
}

int CZOQCamSensor::Sensor_SetBlackLevel(unsigned int /*level*/) {
    return RC_NOT_SUPPORTED;
}

int CZOQCamSensor::Sensor_GetBlackLevel(unsigned int* level) {
    return zoqplugin::NoBlackLevel(level);
}

int CZOQCamSensor::Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* gains3) {
    return zoqplugin::CopyAwbPreset(*m_Layout.awb, preset, gains3);
}

int CZOQCamSensor::Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* matrix9) {
    return zoqplugin::CopyCcmPreset(preset, matrix9);
}
