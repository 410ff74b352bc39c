/* CZOQCamMT9P031: window, skip/bin address modes and the image size. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"

using namespace mt9p031;

int CZOQCamMT9P031::Sensor_GetFovRange(unsigned int* minColumnSize, unsigned int* maxColumnSize,
                                       unsigned int* minRowSize, unsigned int* maxRowSize) {
    if (minColumnSize) *minColumnSize = 1;
    if (maxColumnSize) *maxColumnSize = kMaxColumns;
    if (minRowSize) *minRowSize = 1;
    if (maxRowSize) *maxRowSize = kMaxRows;
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                                    unsigned int* columnSize, unsigned int* rowSize,
                                    ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    if (!columnStart || !rowStart || !columnSize || !rowSize || !columnMode || !rowMode)
        return RC_PARAMETER_ERROR;
    // Rows and columns are always skipped alike.
    *columnMode = CorrectAddressMode(*columnMode);
    *rowMode = *columnMode;
    ZOQ_FitWindow(columnStart, columnSize, kMaxColumns);
    ZOQ_FitWindow(rowStart, rowSize, kMaxRows);
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_SetFov(unsigned int columnStart, unsigned int rowStart,
                                  unsigned int columnSize, unsigned int rowSize,
                                  ZOQ_ADDRESSMODE /*columnMode*/, ZOQ_ADDRESSMODE rowMode) {
    const struct {
        unsigned short reg;
        unsigned int value;
    } writes[] = {
        {REG_COLUMN_START, columnStart + kColumnOffset},
        {REG_ROW_START, rowStart + kRowOffset},
        {REG_COLUMN_SIZE, columnSize - 1},
        {REG_ROW_SIZE, rowSize - 1},
    };
    for (const auto& write : writes) {
        int rc = Sensor_WrRelatedRegValue(write.reg, static_cast<unsigned short>(write.value),
                                          nullptr);
        if (rc != RC_SUCCESS) return rc;
    }
    // One mode serves both directions (the check made them equal).
    return Sensor_SetAddressMode(rowMode, nullptr);
}

int CZOQCamMT9P031::Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                                  unsigned int* columnSize, unsigned int* rowSize,
                                  ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    if (columnStart) *columnStart = Reg(REG_COLUMN_START) - kColumnOffset;
    if (rowStart) *rowStart = Reg(REG_ROW_START) - kRowOffset;
    if (columnSize) *columnSize = Reg(REG_COLUMN_SIZE) + 1u;
    if (rowSize) *rowSize = Reg(REG_ROW_SIZE) + 1u;
    ZOQ_ADDRESSMODE mode = Sensor_GetAddressMode();
    if (columnMode) *columnMode = mode;
    if (rowMode) *rowMode = mode;
    return RC_SUCCESS;
}

ZOQ_ADDRESSMODE CZOQCamMT9P031::Sensor_GetAddressMode() {
    return static_cast<ZOQ_ADDRESSMODE>(
        kAddressModeOfSkip[Reg(REG_COLUMN_ADDRESS_MODE) & ADDRESS_SKIP_MASK]);
}

int CZOQCamMT9P031::Sensor_SetAddressMode(ZOQ_ADDRESSMODE mode, bool* written) {
    if (mode < ZOQ_ADDRESSMODE_NORMAL || mode > ZOQ_ADDRESSMODE_STEP8) return RC_NOT_SUPPORTED;
    unsigned short bits = kAddressModeBits[mode];
    auto withMode = [bits](unsigned short value) {
        return static_cast<unsigned short>((value & ~ADDRESS_MODE_MASK) | bits);
    };
    // Both registers are written; a failure of either is reported.
    int row = Sensor_WrRelatedRegValue(REG_ROW_ADDRESS_MODE, withMode(Reg(REG_ROW_ADDRESS_MODE)),
                                       written);
    int column = Sensor_WrRelatedRegValue(REG_COLUMN_ADDRESS_MODE,
                                          withMode(Reg(REG_COLUMN_ADDRESS_MODE)), written);
    return row != RC_SUCCESS ? row : column;
}

int CZOQCamMT9P031::Sensor_UpdateSensorWidth() {
    m_uImageWidth = (Reg(REG_COLUMN_SIZE) + 1u) / ZOQ_SkipStep(Sensor_GetAddressMode());
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_UpdateSensorHeight() {
    m_uImageHeight = (Reg(REG_ROW_SIZE) + 1u) / ZOQ_SkipStep(Sensor_GetAddressMode());
    return RC_SUCCESS;
}
