/* CZOQCamISG4006A: the window: always 2048 columns, rows in steps of 4. */
#include "ZOQCam_ISG4006A_Registers.h"
#include "ZOQCam_Imp_Sensor_ISG4006A.h"
#include "ZoqOut.h"

using namespace isg4006a;

namespace {

unsigned int RoundUpToStep(unsigned int value) {
    // Starts beyond the sensor are lowered afterwards anyway; capping them
    // first keeps the rounding from overflowing.
    if (value > kMaxRows) value = kMaxRows;
    return (value + kWindowStep - 1) / kWindowStep * kWindowStep;
}

void FitStart(unsigned int* start, unsigned int size, unsigned int maxSize) {
    if (*start > maxSize - size) *start = maxSize - size;
}

}  // namespace

int CZOQCamISG4006A::Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                                     unsigned int* columnSize, unsigned int* rowSize,
                                     ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    if (!columnStart || !rowStart || !columnSize || !rowSize || !columnMode || !rowMode)
        return RC_PARAMETER_ERROR;
    *columnSize = kColumns;
    if (*rowSize == 0) *rowSize = 1;
    if (*rowSize > kMaxRows) *rowSize = kMaxRows;
    *columnStart = RoundUpToStep(*columnStart);
    *rowStart = RoundUpToStep(*rowStart);
    *rowSize = RoundUpToStep(*rowSize);
    FitStart(columnStart, *columnSize, kColumns);
    FitStart(rowStart, *rowSize, kMaxRows);
    // The row mode is left as it is; the column mode must be one the model
    // allows.
    if (*columnMode > ZOQ_ADDRESSMODE_STEP8) *columnMode = ZOQ_ADDRESSMODE_STEP8;
    if (*columnMode < ZOQ_ADDRESSMODE_NORMAL) *columnMode = ZOQ_ADDRESSMODE_NORMAL;
    if (CorrectAddressMode(*columnMode) != *columnMode) return RC_NOT_SUPPORTED;
    return RC_SUCCESS;
}

int CZOQCamISG4006A::Sensor_SetFov(unsigned int /*columnStart*/, unsigned int rowStart,
                                   unsigned int /*columnSize*/, unsigned int rowSize,
                                   ZOQ_ADDRESSMODE /*columnMode*/, ZOQ_ADDRESSMODE /*rowMode*/) {
    return WriteRows(rowStart, rowSize);
}

int CZOQCamISG4006A::Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                                   unsigned int* columnSize, unsigned int* rowSize,
                                   ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    zoq::Put(columnStart, 0);
    zoq::Put(rowStart, RowStart());
    zoq::Put(columnSize, kColumns);
    zoq::Put(rowSize, RowSize());
    zoq::Put(columnMode, ZOQ_ADDRESSMODE_NORMAL);
    zoq::Put(rowMode, ZOQ_ADDRESSMODE_NORMAL);
    return RC_SUCCESS;
}
