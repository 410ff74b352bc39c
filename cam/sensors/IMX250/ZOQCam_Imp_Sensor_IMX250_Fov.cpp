/* CZOQCamIMX250: the line length for a window (IMX250_SyncHMAX). */
#include "ZOQCam_Imp_Sensor_IMX250.h"

int CZOQCamIMX250::SyncHMAX() {
    unsigned int columns = ColumnSize();
    return WriteHmax(columns < 2012 ? 519 : columns / 4 + 16);
}
