/* CZOQCamIMX174: the line length for a window (IMX174_SyncHMAX). */
#include <algorithm>

#include "ZOQCam_IMX174_Registers.h"
#include "ZOQCam_Imp_Sensor_IMX174.h"

int CZOQCamIMX174::SyncHMAX() {
    return WriteHmax(std::max(ColumnSize() + imx174::kHmaxMargin, imx174::kMinHmax));
}
