/* CZOQCamIMX290: what a window change sets. The line length does not
 * depend on the window; the frame length follows the exposure, so the
 * current line count is applied again for the new window height
 * (IMX290_SyncVMAX). */
#include "ZOQCam_Imp_Sensor_IMX290.h"

int CZOQCamIMX290::Sensor_SetAddressMode(ZOQ_ADDRESSMODE /*mode*/, bool* /*written*/) {
    return RC_SUCCESS;
}

int CZOQCamIMX290::SyncHMAX() { return RC_SUCCESS; }

int CZOQCamIMX290::SyncVMAX() {
    unsigned int lines = 0;
    Sensor_GetExposureLines(&lines);
    return Sensor_SetExposureLines(lines);
}
