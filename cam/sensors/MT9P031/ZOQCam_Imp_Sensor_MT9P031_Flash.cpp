/* CZOQCamMT9P031: the strobe output, bits 4 (enable) and 5 (invert) of read
 * mode 1; every model has it. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"

using namespace mt9p031;

int CZOQCamMT9P031::Sensor_EnableFlash(bool on) {
    return WriteBits(REG_READ_MODE_1, READ_MODE_1_STROBE_ENABLE, on);
}

int CZOQCamMT9P031::Sensor_IsFlashEnable(bool* on) {
    if (on) *on = Reg(REG_READ_MODE_1) & READ_MODE_1_STROBE_ENABLE;
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_InvertFlash(bool invert) {
    return WriteBits(REG_READ_MODE_1, READ_MODE_1_STROBE_INVERT, invert);
}

int CZOQCamMT9P031::Sensor_IsFlashInvert(bool* invert) {
    if (invert) *invert = Reg(REG_READ_MODE_1) & READ_MODE_1_STROBE_INVERT;
    return RC_SUCCESS;
}
