/* CZOQCamIMX290: exposure as frame length and shutter start
 * (IMX290_Calculate_VMAX_SHS1): a long exposure lengthens the frame, a short
 * one starts the shutter later in a frame just longer than the window. */
#include <algorithm>

#include "ZOQCam_IMX290_Registers.h"
#include "ZOQCam_Imp_Sensor_IMX290.h"
#include "ZoqOut.h"

using namespace imx290;

int CZOQCamIMX290::Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) {
    zoq::Put(min, 1);
    zoq::Put(max, kMaxLines);
    return RC_SUCCESS;
}

int CZOQCamIMX290::Sensor_SetExposureLines(unsigned int lines) {
    lines = ClampLines(lines);
    unsigned int base = RowSize() + (Reg(REG_WINDOW_MODE) & kExtraRowsMask);
    unsigned int vmax = 0, shs1 = 0;
    if (base + 11 < lines) {
        vmax = lines + 2;
        shs1 = 1;
    } else {
        vmax = base + 13;
        shs1 = base - lines + 12;
    }
    int rc = WriteField(Sony().vmax, vmax);
    if (rc != RC_SUCCESS) return rc;
    return WriteField(Sony().shs, shs1);
}

int CZOQCamIMX290::Sensor_GetExposureLines(unsigned int* lines) {
    if (!lines) return RC_SUCCESS;
    long long count = static_cast<long long>(Vmax()) - ReadField(Sony().shs) - 1;
    *lines = static_cast<unsigned int>(std::max(0ll, count));
    return RC_SUCCESS;
}
