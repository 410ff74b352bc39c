/* CZOQCamISG1307: the window: rows in the sensor, columns in the FPGA
 * registers 43 (start) and 1 (size). */
#include "ZOQCam_ISG1307_Registers.h"
#include "ZOQCam_Imp_Sensor_ISG1307.h"
#include "ZoqOut.h"

using namespace isg1307;

int CZOQCamISG1307::Sensor_SetFov(unsigned int columnStart, unsigned int rowStart,
                                  unsigned int columnSize, unsigned int rowSize,
                                  ZOQ_ADDRESSMODE /*columnMode*/, ZOQ_ADDRESSMODE /*rowMode*/) {
    int rc = WriteRows(rowStart, rowSize);
    if (rc != RC_SUCCESS) return rc;
    rc = Fpga_WrRelatedRegValue(FPGA_COLUMN_START, static_cast<unsigned short>(columnStart),
                                nullptr);
    if (rc == RC_SUCCESS)
        rc = Fpga_WrRelatedRegValue(FPGA_COLUMN_SIZE, static_cast<unsigned short>(columnSize),
                                    nullptr);
    // The FPGA registers have no sensor follow-up: the width is taken here.
    Sensor_UpdateSensorWidth();
    return rc;
}

int CZOQCamISG1307::Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                                  unsigned int* columnSize, unsigned int* rowSize,
                                  ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    zoq::Put(columnStart, CachedFpgaReg(FPGA_COLUMN_START));
    zoq::Put(rowStart, RowStart());
    zoq::Put(columnSize, CachedFpgaReg(FPGA_COLUMN_SIZE));
    zoq::Put(rowSize, RowSize());
    zoq::Put(columnMode, ZOQ_ADDRESSMODE_NORMAL);
    zoq::Put(rowMode, ZOQ_ADDRESSMODE_NORMAL);
    return RC_SUCCESS;
}
