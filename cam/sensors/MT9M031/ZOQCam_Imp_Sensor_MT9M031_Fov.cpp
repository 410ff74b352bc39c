/* CZOQCamMT9M031: the window as first and last column and row. */
#include "ZOQCam_Imp_Sensor_MT9M031.h"
#include "ZOQCam_MT9M031_Registers.h"
#include "ZoqOut.h"

using namespace mt9m031;

int CZOQCamMT9M031::Sensor_SetFov(unsigned int columnStart, unsigned int rowStart,
                                  unsigned int columnSize, unsigned int rowSize,
                                  ZOQ_ADDRESSMODE /*columnMode*/, ZOQ_ADDRESSMODE rowMode) {
    const struct {
        unsigned short reg;
        unsigned int value;
    } writes[] = {
        {REG_X_START, columnStart + kColumnOffset},
        {REG_X_END, columnStart + columnSize + kColumnOffset - 1},
        {REG_Y_START, rowStart + kRowOffset},
        {REG_Y_END, rowStart + rowSize + kRowOffset - 1},
    };
    for (const auto& write : writes) {
        int rc = WriteReg(write.reg, static_cast<unsigned short>(write.value));
        if (rc != RC_SUCCESS) return rc;
    }
    int rc = Sensor_SetAddressMode(rowMode, nullptr);
    if (rc != RC_SUCCESS) return rc;
    return SyncFrameLengthLines();
}

int CZOQCamMT9M031::Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                                  unsigned int* columnSize, unsigned int* rowSize,
                                  ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    zoq::Put(columnStart, Reg(REG_X_START) - kColumnOffset);
    zoq::Put(rowStart, Reg(REG_Y_START) - kRowOffset);
    zoq::Put(columnSize, Reg(REG_X_END) - Reg(REG_X_START) + 1u);
    zoq::Put(rowSize, Reg(REG_Y_END) - Reg(REG_Y_START) + 1u);
    ZOQ_ADDRESSMODE mode = Sensor_GetAddressMode();
    zoq::Put(columnMode, mode);
    zoq::Put(rowMode, mode);
    return RC_SUCCESS;
}

int CZOQCamMT9M031::SyncFrameLengthLines() {
    return ReadIntoCache(REG_FRAME_LENGTH);
}
