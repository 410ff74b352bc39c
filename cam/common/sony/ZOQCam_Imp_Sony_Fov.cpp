/* CZOQCamSony: the window as four 16-bit values, and the frame and line
 * length that follow it. */
#include "sony/ZOQCam_Imp_Sony.h"
#include "ZoqOut.h"


int CZOQCamSony::Sensor_SetFov(unsigned int columnStart, unsigned int rowStart,
                               unsigned int columnSize, unsigned int rowSize,
                               ZOQ_ADDRESSMODE /*columnMode*/, ZOQ_ADDRESSMODE rowMode) {
    const unsigned int values[4] = {columnStart, rowStart, columnSize, rowSize};
    for (unsigned i = 0; i < 4; ++i) {
        int rc = WriteField(m_Sony.window.field[i], values[i]);
        if (rc != RC_SUCCESS) return rc;
    }
    int rc = SetWindowMode(rowMode);
    if (rc != RC_SUCCESS) return rc;
    return SyncTiming();
}

int CZOQCamSony::Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                               unsigned int* columnSize, unsigned int* rowSize,
                               ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    unsigned int* outputs[4] = {columnStart, rowStart, columnSize, rowSize};
    for (unsigned i = 0; i < 4; ++i)
        if (outputs[i]) *outputs[i] = ReadField(m_Sony.window.field[i]);
    ZOQ_ADDRESSMODE mode = Sensor_GetAddressMode();
    zoq::Put(columnMode, mode);
    zoq::Put(rowMode, mode);
    return RC_SUCCESS;
}

int CZOQCamSony::SetWindowMode(ZOQ_ADDRESSMODE /*mode*/) {
    return RC_SUCCESS;
}

int CZOQCamSony::SyncTiming() {
    int rc = SyncHMAX();
    if (rc != RC_SUCCESS) return rc;
    return SyncVMAX();
}

int CZOQCamSony::SyncVMAX() {
    return WriteVmax(RowSize() + m_Sony.vmaxMargin);
}

int CZOQCamSony::WriteVmax(unsigned int vmax) {
    int rc = WriteField(m_Sony.vmax, vmax);
    if (rc != RC_SUCCESS) return rc;
    // The line count depends on VMAX: keep the exposure time asked for.
    return Sensor_SyncExposureLines();
}
