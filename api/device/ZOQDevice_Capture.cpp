// The capture path: raw and RGB frames, with and without emptying the
// camera's frame buffer first, and the split soft-start capture.
#include <cstddef>
#include <memory>
#include <new>

#include "device/ZOQDevice.h"
#include "usb/IZOQBus.h"

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
    // The read overwrites every byte, so the buffer is not cleared first.
    std::unique_ptr<unsigned char[]> raw(
        new (std::nothrow) unsigned char[static_cast<size_t>(RawFrameBytes())]);
    if (!raw) return RC_ALLOC_FAILED;
    int rc = captureRaw(raw.get());
    if (rc != RC_SUCCESS) return rc;
    bool is16Bits = false;
    m_pCam->Fpga_Get16BitsTransfer(&is16Bits);
    const ZOQ_FOV_INFO& fov = m_FovInfo[ZOQ_FOV_MODE_CAPTURE];
    if (is16Bits)
        RawData16_ToRgb(raw.get(), fov.width, fov.height, buffer);
    else if (m_nColorFlag == 1)
        RawData8_ToRgb(raw.get(), fov.width, fov.height, buffer);
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
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_EmptyFrameBuffer);
}

int CZOQDevice::CaptureRawDataAfterEmptyFrameBuffer(unsigned char* buffer) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
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
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    // Delivers what the name promises: the frame and its size.
    int rc = CaptureRgbDataAfterEmptyFrameBuffer(buffer);
    if (rc != RC_SUCCESS) return rc;
    return GetCaptureSizeEx(width, height, bitCount);
}

int CZOQDevice::SoftStartCapture() {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    return SoftStart();
}

int CZOQDevice::ReadRawDataAfterStart(unsigned char* buffer) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    return ReadAfterStart(buffer);
}
