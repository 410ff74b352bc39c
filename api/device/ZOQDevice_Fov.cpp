// Field of view: the capture and preview windows, their correction by the
// camera and the image geometry derived from them.
#include <initializer_list>

#include "ZoqOut.h"
#include "device/ZOQDevice.h"
#include "geometry/ZOQDevice_FovRecord.h"

// The library's own copy of the address-mode steps (each plug-in has one too).
extern "C" ZOQ_EXPORT const int g_SkipTable[5] = {1, 2, 3, 4, 8};

void CZOQDevice::UpdateFovInfo(ZOQ_FOV_MODE mode, int columnStart, int rowStart, int columnSize,
                               int rowSize, ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                               unsigned short multiFrameNum) {
    ZOQ_FOV_INFO& fov = m_FovInfo[mode == ZOQ_FOV_MODE_PREVIEW ? 1 : 0];
    ZoqSetFovWindow(&fov, columnStart, rowStart, columnSize, rowSize, columnMode, rowMode,
                    multiFrameNum);
    bool is16Bits = false;
    if (m_pCam != nullptr) m_pCam->Fpga_Get16BitsTransfer(&is16Bits);
    ZoqFovGeometry(&fov, is16Bits);
    if (mode == ZOQ_FOV_MODE_PREVIEW) UpdatePreviewBmpInfo_WhenPreviewFovChanged();
}

void CZOQDevice::LoadFovInfoFromCamera() {
    for (ZOQ_FOV_MODE mode : {ZOQ_FOV_MODE_CAPTURE, ZOQ_FOV_MODE_PREVIEW}) {
        unsigned int columnStart = 0, rowStart = 0, columnSize = 0, rowSize = 0;
        ZOQ_ADDRESSMODE columnMode = ZOQ_ADDRESSMODE_NORMAL, rowMode = ZOQ_ADDRESSMODE_NORMAL;
        unsigned short frames = 1;
        m_pCam->Sensor_GetFov(&columnStart, &rowStart, &columnSize, &rowSize, &columnMode,
                              &rowMode);
        m_pCam->Fpga_GetMultiFrameNum(&frames);
        UpdateFovInfo(mode, static_cast<int>(columnStart), static_cast<int>(rowStart),
                      static_cast<int>(columnSize), static_cast<int>(rowSize), columnMode, rowMode,
                      frames);
    }
}

int CZOQDevice::GetDefaultFieldOfView(int* columnStart, int* rowStart, int* columnSize,
                                      int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                      ZOQ_ADDRESSMODE* rowMode) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    unsigned int minColumns = 0, maxColumns = 0, minRows = 0, maxRows = 0;
    int rc = m_pCam->Sensor_GetFovRange(&minColumns, &maxColumns, &minRows, &maxRows);
    zoq::Put(columnStart, 0);
    zoq::Put(rowStart, 0);
    zoq::Put(columnSize, maxColumns);
    zoq::Put(rowSize, maxRows);
    zoq::Put(columnMode, ZOQ_ADDRESSMODE_NORMAL);
    zoq::Put(rowMode, ZOQ_ADDRESSMODE_NORMAL);
    return rc;
}

int CZOQDevice::SetCaptureFieldOfView(int columnStart, int rowStart, int columnSize, int rowSize,
                                      ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    unsigned short frames = 1;
    m_pCam->Fpga_GetMultiFrameNum(&frames);
    return SetFieldOfView(ZOQ_FOV_MODE_CAPTURE, columnStart, rowStart, columnSize, rowSize,
                          columnMode, rowMode, frames);
}

int CZOQDevice::SetPreviewFieldOfView(int columnStart, int rowStart, int columnSize, int rowSize,
                                      ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    unsigned short frames = 1;
    m_pCam->Fpga_GetMultiFrameNum(&frames);
    return SetFieldOfView(ZOQ_FOV_MODE_PREVIEW, columnStart, rowStart, columnSize, rowSize,
                          columnMode, rowMode, frames);
}

int CZOQDevice::GetCaptureFieldOfView(int* columnStart, int* rowStart, int* columnSize,
                                      int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                      ZOQ_ADDRESSMODE* rowMode) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    return GetFieldOfView(ZOQ_FOV_MODE_CAPTURE, columnStart, rowStart, columnSize, rowSize,
                          columnMode, rowMode, nullptr);
}

int CZOQDevice::GetPreviewFieldOfView(int* columnStart, int* rowStart, int* columnSize,
                                      int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                      ZOQ_ADDRESSMODE* rowMode) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    return GetFieldOfView(ZOQ_FOV_MODE_PREVIEW, columnStart, rowStart, columnSize, rowSize,
                          columnMode, rowMode, nullptr);
}

int CZOQDevice::SetFieldOfView(ZOQ_FOV_MODE mode, int columnStart, int rowStart, int columnSize,
                               int rowSize, ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                               unsigned short multiFrameNum) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    // The camera corrects the request; a window is never refused for being
    // out of range.
    ZOQ_FOV_INFO w{};
    ZoqSetFovWindow(&w, columnStart, rowStart, columnSize, rowSize, columnMode, rowMode,
                    multiFrameNum);
    int rc = ZoqCheckFov(m_pCam, &w);
    if (rc != RC_SUCCESS) return rc;
    auto store = [&] {
        UpdateFovInfo(mode, w.columnStart, w.rowStart, w.columnSize, w.rowSize, w.columnAddressMode,
                      w.rowAddressMode, w.multiFrameNum);
    };
    if (mode != m_CurrentFovMode) {
        store();
        return RC_SUCCESS;
    }
    bool restartPreview =
        m_CurrentFovMode == ZOQ_FOV_MODE_PREVIEW &&
        IfNeedStopPreviewBeforeRealizeFieldOfView(w.columnSize, w.rowSize, w.columnAddressMode,
                                                  w.rowAddressMode, w.multiFrameNum);
    if (restartPreview) StopPreviewEx();
    rc = m_pCam->Cam_SetFov(
        static_cast<unsigned int>(w.columnStart), static_cast<unsigned int>(w.rowStart),
        static_cast<unsigned int>(w.columnSize), static_cast<unsigned int>(w.rowSize),
        w.columnAddressMode, w.rowAddressMode, w.multiFrameNum);
    if (rc != RC_SUCCESS) return rc;
    store();
    if (restartPreview) StartPreviewEx();
    return RC_SUCCESS;
}

int CZOQDevice::GetFieldOfView(ZOQ_FOV_MODE mode, int* columnStart, int* rowStart, int* columnSize,
                               int* rowSize, ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode,
                               unsigned short* multiFrameNum) {
    const ZOQ_FOV_INFO& fov = m_FovInfo[mode == ZOQ_FOV_MODE_PREVIEW ? 1 : 0];
    zoq::Put(columnStart, fov.columnStart);
    zoq::Put(rowStart, fov.rowStart);
    zoq::Put(columnSize, fov.columnSize);
    zoq::Put(rowSize, fov.rowSize);
    zoq::Put(columnMode, fov.columnAddressMode);
    zoq::Put(rowMode, fov.rowAddressMode);
    zoq::Put(multiFrameNum, fov.multiFrameNum);
    return RC_SUCCESS;
}

int CZOQDevice::SwitchFieldOfViewMode(ZOQ_FOV_MODE mode) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    if (mode == m_CurrentFovMode) return RC_SUCCESS;
    const ZOQ_FOV_INFO& fov = m_FovInfo[mode == ZOQ_FOV_MODE_PREVIEW ? 1 : 0];
    int rc = m_pCam->Cam_SetFov(
        static_cast<unsigned int>(fov.columnStart), static_cast<unsigned int>(fov.rowStart),
        static_cast<unsigned int>(fov.columnSize), static_cast<unsigned int>(fov.rowSize),
        fov.columnAddressMode, fov.rowAddressMode, fov.multiFrameNum);
    m_CurrentFovMode = mode;
    return rc;
}

bool CZOQDevice::IfNeedStopPreviewBeforeRealizeFieldOfView(int columnSize, int rowSize,
                                                           ZOQ_ADDRESSMODE columnMode,
                                                           ZOQ_ADDRESSMODE rowMode,
                                                           unsigned short multiFrameNum) const {
    const ZOQ_FOV_INFO& preview = m_FovInfo[ZOQ_FOV_MODE_PREVIEW];
    return columnSize != preview.columnSize || rowSize != preview.rowSize ||
           columnMode != preview.columnAddressMode || rowMode != preview.rowAddressMode ||
           multiFrameNum != preview.multiFrameNum;
}

int CZOQDevice::GetCaptureSize(int* width, int* height) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    zoq::Put(width, m_FovInfo[ZOQ_FOV_MODE_CAPTURE].width);
    zoq::Put(height, m_FovInfo[ZOQ_FOV_MODE_CAPTURE].height);
    return RC_SUCCESS;
}

int CZOQDevice::GetCaptureSizeEx(int* width, int* height, int* bitCount) {
    int rc = GetCaptureSize(width, height);
    if (rc == RC_SUCCESS) zoq::Put(bitCount, GetBitCount());
    return rc;
}

int CZOQDevice::GetPreviewSize(int* width, int* height) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    zoq::Put(width, m_FovInfo[ZOQ_FOV_MODE_PREVIEW].width);
    zoq::Put(height, m_FovInfo[ZOQ_FOV_MODE_PREVIEW].height);
    return RC_SUCCESS;
}

int CZOQDevice::GetPreviewSizeEx(int* width, int* height, int* bitCount) {
    int rc = GetPreviewSize(width, height);
    if (rc == RC_SUCCESS) zoq::Put(bitCount, GetBitCount());
    return rc;
}
