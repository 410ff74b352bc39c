/* CZOQCamIMX264: the line length for a window (IMX264_SyncHMAX): narrow
 * windows need a longer line. */
#include "ZOQCam_Imp_Sensor_IMX264.h"

int CZOQCamIMX264::SyncHMAX() {
    unsigned int columns = ColumnSize();
    return WriteHmax(columns < 1024 ? columns / 2 + 200 : columns / 2 + 16);
}
