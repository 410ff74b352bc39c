/* CZOQCamMT9M031: the window as first and last column and row. */
#include "ZOQCam_Imp_Sensor_MT9M031.h"
#include "ZOQCam_MT9M031_Registers.h"
#include "util/ZOQCam_Out.h"

using namespace mt9m031;
using zoqplugin::PutIfWanted;

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
    PutIfWanted(columnStart, Reg(REG_X_START) - kColumnOffset);
    PutIfWanted(rowStart, Reg(REG_Y_START) - kRowOffset);
    PutIfWanted(columnSize, Reg(REG_X_END) - Reg(REG_X_START) + 1u);
    PutIfWanted(rowSize, Reg(REG_Y_END) - Reg(REG_Y_START) + 1u);
    ZOQ_ADDRESSMODE mode = Sensor_GetAddressMode();
    PutIfWanted(columnMode, mode);
    PutIfWanted(rowMode, mode);
    return RC_SUCCESS;
}

int CZOQCamMT9M031::SyncFrameLengthLines() {
    return ReadIntoCache(REG_FRAME_LENGTH);
}
