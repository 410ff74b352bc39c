// The raw road: corrections of the 8-bit raw frame, in place, in a fixed
// order. Each stage decides for itself whether it runs.
#include "device/ZOQDevice.h"

void CZOQDevice::InitRawRoad() {
    // No frame matches the flat-field field of view until the application
    // sets one or loads correction data: the current record is still empty.
    m_flatField.fov = m_FovInfo[m_CurrentFovMode == ZOQ_FOV_MODE_PREVIEW ? 1 : 0];
}

void CZOQDevice::InitRawRoadFromCamera(int width, int height) {
    SetAERegion(0, 0, width, height);
    SetAEExposureTimeRange(0.0f, 40.0f);
}

void CZOQDevice::ReleaseRawRoad() {
    m_flatField.Release();
    m_calibration.Release();
}

int CZOQDevice::RawData8_Process(unsigned char* data, int width, int height) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    if (data == nullptr) return RC_PARAMETER_ERROR;
    m_pCam->Cam_GetCaptureSize(&width, &height);
    bool is16Bits = false;
    m_pCam->Fpga_Get16BitsTransfer(&is16Bits);
    if (is16Bits || width <= 0 || height <= 0) return RC_SUCCESS;
    RawData8_Do_BadPixelCorrect(data, width, height);
    RawData8_LoadTable_Brightness_Contrast_Gamma(data, width * height);
    RawData8_Do_AE(data, width, height);
    const ZOQ_FOV_INFO& fov = m_FovInfo[m_CurrentFovMode == ZOQ_FOV_MODE_PREVIEW ? 1 : 0];
    // The record names the frame; one that claims more pixels than arrived
    // is not trusted with the buffer.
    if (int64_t{fov.width} * fov.height <= int64_t{width} * height) RawData8_Do_FFC(data, fov);
    RawData8_Do_3A_AF(data, width, height);
    return RC_SUCCESS;
}
