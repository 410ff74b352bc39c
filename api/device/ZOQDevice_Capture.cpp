// The capture path: raw and RGB frames, with and without emptying the
// camera's frame buffer first, and the split soft-start capture. The
// caller holds the state lock; the frame reads take the I/O lock.
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
    // One geometry for the raw buffer, the read and the pipeline. The raw
    // frame's buffer is kept from one capture to the next and grows only with
    // the frame; the read overwrites every byte, so it is not cleared first.
    const ZoqFrameShape shape = CaptureShape();
    const size_t bytes = static_cast<size_t>(shape.rawBytes);
    if (!m_rgbRaw || bytes > m_rgbRawBytes) {
        m_rgbRaw.reset(new (std::nothrow) unsigned char[bytes > 0 ? bytes : 1]);
        m_rgbRawBytes = m_rgbRaw ? bytes : 0;
        if (!m_rgbRaw) return RC_ALLOC_FAILED;
    }
    unsigned char* const raw = m_rgbRaw.get();
    int rc = captureRaw(raw);
    if (rc != RC_SUCCESS) return rc;
    return FrameToImage(shape, raw, buffer);
}

int CZOQDevice::FrameToImage(const ZoqFrameShape& shape, unsigned char* raw,
                             unsigned char* image) {
    if (CaptureShape() != shape) return RC_BAD_FRAME;
    if (shape.is16Bits)
        RawData16_ToRgb(raw, shape.width, shape.height, image);
    else if (m_nColorFlag == 1)
        RawData8_ToRgb(raw, shape.width, shape.height, image);
    return RC_SUCCESS;
}

int CZOQDevice::RawFrameBytes() const {
    int bytes = m_FovInfo[ZOQ_FOV_MODE_CAPTURE].byteCount;
    if (m_pCam != nullptr && m_pCam->Cam_GetCaptureBytes() > bytes)
        bytes = m_pCam->Cam_GetCaptureBytes();
    return bytes > 0 ? bytes : 0;
}

ZoqFrameShape CZOQDevice::CaptureShape() const {
    ZoqFrameShape shape;
    const ZOQ_FOV_INFO& fov = m_FovInfo[ZOQ_FOV_MODE_CAPTURE];
    shape.width = fov.width;
    shape.height = fov.height;
    shape.bitCount = GetBitCount();
    shape.bayerMode = m_BayerMode;
    shape.rawBytes = RawFrameBytes();
    if (m_pCam != nullptr) {
        shape.readBytes = m_pCam->Cam_GetCaptureBytes();
        m_pCam->Fpga_Get16BitsTransfer(&shape.is16Bits);
    }
    return shape;
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
