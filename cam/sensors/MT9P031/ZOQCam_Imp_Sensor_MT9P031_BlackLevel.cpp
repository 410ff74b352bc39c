/* CZOQCamMT9P031: black level is not offered. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"
#include "ZOQCam_NoBlackLevel.h"

int CZOQCamMT9P031::Sensor_GetBlackLevelRange(unsigned int* min, unsigned int* max) {
    return ZOQ_NoBlackLevelRange(min, max);
}

int CZOQCamMT9P031::Sensor_SetBlackLevel(unsigned int /*level*/) { return RC_NOT_SUPPORTED; }

int CZOQCamMT9P031::Sensor_GetBlackLevel(unsigned int* level) { return ZOQ_NoBlackLevel(level); }
