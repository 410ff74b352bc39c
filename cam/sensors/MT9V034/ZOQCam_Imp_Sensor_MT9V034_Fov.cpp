/* CZOQCamMT9V034: the window check. A binned window must hold whole
 * binned pixels, so each size becomes a multiple of the mode's step. */
#include "ZOQCam_Imp_Sensor_MT9V034.h"
#include "ZOQCam_MT9V034_Registers.h"

using namespace mt9v034;

namespace {

// Clamp a size into 1 .. maxSize, reduce it to a multiple of step (at least
// one step), then lower the start so that the window fits.
void FitBinned(unsigned int* start, unsigned int* size, unsigned int maxSize, unsigned int step) {
    zoqplugin::FitWindow(start, size, maxSize);
    *size -= *size % step;
    if (*size == 0) *size = step;
    if (*start > maxSize - *size) *start = maxSize - *size;
}

bool ModeInRange(ZOQ_ADDRESSMODE mode) {
    return mode >= ZOQ_ADDRESSMODE_NORMAL && mode <= ZOQ_ADDRESSMODE_STEP8;
}

}  // namespace

int CZOQCamMT9V034::Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                                    unsigned int* columnSize, unsigned int* rowSize,
                                    ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    if (!columnStart || !rowStart || !columnSize || !rowSize || !columnMode || !rowMode)
        return RC_PARAMETER_ERROR;
    if (!ModeInRange(*columnMode) || !ModeInRange(*rowMode)) return RC_PARAMETER_ERROR;
    // A mode is allowed when the correction leaves it as it is.
    if (CorrectAddressMode(*columnMode) != *columnMode || CorrectAddressMode(*rowMode) != *rowMode)
        return RC_NOT_SUPPORTED;
    // One binning field serves both directions.
    *rowMode = *columnMode;
    unsigned int step = zoqplugin::SkipStep(*columnMode);
    FitBinned(columnStart, columnSize, kMaxColumns, step);
    FitBinned(rowStart, rowSize, kMaxRows, step);
    return RC_SUCCESS;
}
