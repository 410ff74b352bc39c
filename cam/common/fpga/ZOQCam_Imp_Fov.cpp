/* CZOQCam: the field of view of the whole camera: the sensor window and
 * address modes (sensor class) with the frames per capture (FPGA). */
#include "fpga/ZOQCam_Imp.h"

using namespace zoqfpga;

unsigned int zoqplugin::SkipStep(ZOQ_ADDRESSMODE mode) {
    return (mode >= ZOQ_ADDRESSMODE_NORMAL && mode <= ZOQ_ADDRESSMODE_STEP8)
               ? static_cast<unsigned int>(g_SkipTable[mode])
               : 1u;
}

namespace {

// Capability of address modes 1..4.
constexpr ZOQ_CAPBIT kAddressModeCaps[] = {CAP_ADDRESSMODE_1, CAP_ADDRESSMODE_2, CAP_ADDRESSMODE_3,
                                           CAP_ADDRESSMODE_4};

}  // namespace

ZOQ_ADDRESSMODE CZOQCam::CorrectAddressMode(ZOQ_ADDRESSMODE requested) const {
    if (requested > ZOQ_ADDRESSMODE_STEP8)
        return Cap(CAP_ADDRESSMODE_4) ? ZOQ_ADDRESSMODE_STEP8 : ZOQ_ADDRESSMODE_NORMAL;
    if (requested <= ZOQ_ADDRESSMODE_NORMAL || !Cap(kAddressModeCaps[requested - 1]))
        return ZOQ_ADDRESSMODE_NORMAL;
    return requested;
}

void zoqplugin::FitWindow(unsigned int* start, unsigned int* size, unsigned int maxSize) {
    if (*size == 0) *size = 1;
    if (*size > maxSize) *size = maxSize;
    if (*start > maxSize - *size) *start = maxSize - *size;
}

int CZOQCam::Cam_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                          unsigned int* columnSize, unsigned int* rowSize,
                          ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode,
                          unsigned short* multiFrameNum) {
    if (!multiFrameNum) return RC_PARAMETER_ERROR;
    int rc = Sensor_CheckFov(columnStart, rowStart, columnSize, rowSize, columnMode, rowMode);
    if (rc != RC_SUCCESS) return rc;
    unsigned short limit =
        zoqplugin::MultiFrameLimit(*columnSize / zoqplugin::SkipStep(*columnMode),
                                   *rowSize / zoqplugin::SkipStep(*rowMode), Is16BitsTransfer());
    if (*multiFrameNum > limit) *multiFrameNum = limit;
    if (*multiFrameNum == 0) *multiFrameNum = 1;
    return RC_SUCCESS;
}

int CZOQCam::Cam_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                        unsigned int rowSize, ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                        unsigned short multiFrameNum) {
    int rc = Cam_CheckFov(&columnStart, &rowStart, &columnSize, &rowSize, &columnMode, &rowMode,
                          &multiFrameNum);
    if (rc != RC_SUCCESS) return rc;
    int window = Sensor_SetFov(columnStart, rowStart, columnSize, rowSize, columnMode, rowMode);
    int frames = Fpga_WrRelatedRegValue(REG_FRAMES, multiFrameNum, nullptr);
    // The frame count is set either way, but a window the sensor did not
    // take is reported.
    return window != RC_SUCCESS ? window : frames;
}

int CZOQCam::Cam_GetFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                        unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                        ZOQ_ADDRESSMODE* rowMode, unsigned short* multiFrameNum) {
    int window = Sensor_GetFov(columnStart, rowStart, columnSize, rowSize, columnMode, rowMode);
    int frames = Fpga_GetMultiFrameNum(multiFrameNum);
    return window != RC_SUCCESS ? window : frames;
}
