// The capture path: raw and RGB frames, with and without emptying the
// camera's frame buffer first, and the split soft-start capture.
#include <cstddef>
#include <memory>
#include <new>

#include "usb/IZOQBus.h"
#include "device/ZOQDevice.h"

template <typename ReadFrame>
int CZOQDevice::CaptureRawWithPreviewSwitch(ReadFrame readFrame) {
    if (m_CurrentFovMode != ZOQ_FOV_MODE_PREVIEW) return readFrame();
    // A capture always uses the capture field of view.
    PausePreviewEx();
    SwitchFieldOfViewMode(ZOQ_FOV_MODE_CAPTURE);
    int rc = readFrame();
    SwitchFieldOfViewMode(ZOQ_FOV_MODE_PREVIEW);
    ResumePreviewEx();
    return rc;
}

template <typename CaptureRaw>
int CZOQDevice::CaptureRgbFrom(unsigned char* buffer, CaptureRaw captureRaw) {
    if (buffer == nullptr) return RC_PARAMETER_ERROR;
    // The raw frame's buffer is kept from one capture to the next and grows
    // only with the frame; the read overwrites every byte, so it is not
    // cleared first.
    const size_t bytes = static_cast<size_t>(RawFrameBytes());
    if (!m_rgbRaw || bytes > m_rgbRawBytes) {
        m_rgbRaw.reset(new (std::nothrow) unsigned char[bytes > 0 ? bytes : 1]);
        m_rgbRawBytes = m_rgbRaw ? bytes : 0;
        if (!m_rgbRaw) return RC_ALLOC_FAILED;
    }
    unsigned char* const raw = m_rgbRaw.get();
    int rc = captureRaw(raw);
    if (rc != RC_SUCCESS) return rc;
    bool is16Bits = false;
    m_pCam->Fpga_Get16BitsTransfer(&is16Bits);
    const ZOQ_FOV_INFO& fov = m_FovInfo[ZOQ_FOV_MODE_CAPTURE];
    if (is16Bits)
        RawData16_ToRgb(raw, fov.width, fov.height, buffer);
    else if (m_nColorFlag == 1)
        RawData8_ToRgb(raw, fov.width, fov.height, buffer);
    return RC_SUCCESS;
}

int CZOQDevice::RawFrameBytes() const {
    int bytes = m_FovInfo[ZOQ_FOV_MODE_CAPTURE].byteCount;
    if (m_pCam != nullptr && m_pCam->Cam_GetCaptureBytes() > bytes)
        bytes = m_pCam->Cam_GetCaptureBytes();
    return bytes > 0 ? bytes : 0;
}

int CZOQDevice::CaptureRawData(unsigned char* buffer) {
    return CaptureRawWithPreviewSwitch([&] { return ReadRawData(buffer); });
}

int CZOQDevice::CaptureRgbData(unsigned char* buffer) {
    return CaptureRgbFrom(buffer, [&](unsigned char* raw) { return CaptureRawData(raw); });
}

int CZOQDevice::EmptyFrameBuffer() {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    return m_pCam->Fpga_EmptyFrameBuffer();
}

int CZOQDevice::CaptureRawDataAfterEmptyFrameBuffer(unsigned char* buffer) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    return CaptureRawWithPreviewSwitch([&] {
        // Models without the feature, or in trigger mode 2, simply read the
        // next frame.
        m_pCam->Fpga_EmptyFrameBuffer();
        return ReadRawData(buffer);
    });
}

int CZOQDevice::CaptureRgbDataAfterEmptyFrameBuffer(unsigned char* buffer) {
    return CaptureRgbFrom(
        buffer, [&](unsigned char* raw) { return CaptureRawDataAfterEmptyFrameBuffer(raw); });
}

int CZOQDevice::CaptureRgbDataExAfterEmptyFrameBuffer(unsigned char* buffer, int* width,
                                                      int* height, int* bitCount) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    // Delivers what the name promises: the frame and its size.
    int rc = CaptureRgbDataAfterEmptyFrameBuffer(buffer);
    if (rc != RC_SUCCESS) return rc;
    return GetCaptureSizeEx(width, height, bitCount);
}

int CZOQDevice::SoftStartCapture() {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    if (m_pBus == nullptr) return RC_BUS_NOT_INITIALIZED;
    return SoftStart();
}

int CZOQDevice::ReadRawDataAfterStart(unsigned char* buffer) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    if (m_pBus == nullptr) return RC_BUS_NOT_INITIALIZED;
    return ReadAfterStart(buffer);
}
