/* CZOQCamMT9P031: flip (bit 15) and mirror (bit 14) of read mode 2, where
 * the model offers them. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"

using namespace mt9p031;

int CZOQCamMT9P031::Sensor_SetFlip(bool on) {
    if (!Cap(CAP_FLIP)) return RC_NOT_SUPPORTED;
    return WriteBits(REG_READ_MODE_2, READ_MODE_2_FLIP, on);
}

int CZOQCamMT9P031::Sensor_GetFlip(bool* on) {
    bool supported = Cap(CAP_FLIP);
    if (on) *on = supported && (Reg(REG_READ_MODE_2) & READ_MODE_2_FLIP);
    return supported ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCamMT9P031::Sensor_SetMirror(bool on) {
    if (!Cap(CAP_MIRROR)) return RC_NOT_SUPPORTED;
    return WriteBits(REG_READ_MODE_2, READ_MODE_2_MIRROR, on);
}

int CZOQCamMT9P031::Sensor_GetMirror(bool* on) {
    bool supported = Cap(CAP_MIRROR);
    if (on) *on = supported && (Reg(REG_READ_MODE_2) & READ_MODE_2_MIRROR);
    return supported ? RC_SUCCESS : RC_NOT_SUPPORTED;
}
