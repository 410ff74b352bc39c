/* CZOQCamIMX265: the line length for a window (IMX265_SyncHMAX). */
#include "ZOQCam_Imp_Sensor_IMX265.h"

int CZOQCamIMX265::SyncHMAX() {
    unsigned int columns = ColumnSize();
    return WriteHmax(columns < 976 ? 519 : (columns / 4) * 2 + 32);
}
