// Flat-field correction: its field of view, making the dark and flat frames
// from captures, the switches, loading correction data and the raw-road
// stage.
#include <new>
#include <vector>

#include "ZoqOut.h"
#include "device/ZOQDevice.h"

int CZOQDevice::SetFlatFieldCorrectionFieldOfView(int columnStart, int rowStart, int columnSize,
                                                  int rowSize, ZOQ_ADDRESSMODE columnMode,
                                                  ZOQ_ADDRESSMODE rowMode,
                                                  unsigned short multiFrameNum) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    ZOQ_FOV_INFO fov{};
    ZoqSetFovWindow(&fov, columnStart, rowStart, columnSize, rowSize, columnMode, rowMode,
                    multiFrameNum);
    int rc = ZoqCheckFov(m_pCam, &fov);
    if (rc != RC_SUCCESS) return rc;
    bool is16Bits = false;
    rc = m_pCam->Fpga_Get16BitsTransfer(&is16Bits);
    ZoqFovGeometry(&fov, is16Bits);
    m_flatField.fov = fov;
    return rc;
}

int CZOQDevice::GetFlatFieldCorrectionFieldOfView(int* columnStart, int* rowStart, int* columnSize,
                                                  int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                                  ZOQ_ADDRESSMODE* rowMode,
                                                  unsigned short* multiFrameNum) {
    const ZOQ_FOV_INFO& fov = m_flatField.fov;
    zoq::Put(columnStart, fov.columnStart);
    zoq::Put(rowStart, fov.rowStart);
    zoq::Put(columnSize, fov.columnSize);
    zoq::Put(rowSize, fov.rowSize);
    zoq::Put(columnMode, fov.columnAddressMode);
    zoq::Put(rowMode, fov.rowAddressMode);
    zoq::Put(multiFrameNum, fov.multiFrameNum);
    return RC_SUCCESS;
}

int CZOQDevice::MakeFlatFieldFrameOf(ZoqFlatField::Kind kind, int count) {
    // Per-byte sums of 32 bits hold this many full-scale frames.
    constexpr int kMaxFrames = 16843009;
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    if (count > kMaxFrames) return RC_PARAMETER_ERROR;
    if (!m_flatField.NewFrame(kind))
        return m_flatField.FrameBytes() == 0 ? RC_ILLEGAL_OPERATION : RC_ALLOC_FAILED;
    const size_t n = m_flatField.FrameBytes();

    const ZOQ_FOV_INFO saved = m_FovInfo[ZOQ_FOV_MODE_CAPTURE];
    const ZOQ_FOV_INFO& fov = m_flatField.fov;
    SetFieldOfView(ZOQ_FOV_MODE_CAPTURE, fov.columnStart, fov.rowStart, fov.columnSize, fov.rowSize,
                   fov.columnAddressMode, fov.rowAddressMode, fov.multiFrameNum);
    // Each capture lands in a buffer as large as the camera's frame, in case
    // the window came out larger than asked; its first N bytes count.
    const size_t frameBytes =
        static_cast<size_t>(RawFrameBytes()) > n ? static_cast<size_t>(RawFrameBytes()) : n;
    std::vector<uint32_t> sums;
    std::vector<unsigned char> frame;
    int rc = RC_SUCCESS;
    try {
        sums.assign(n, 0);
        frame.assign(frameBytes, 0);
    } catch (const std::bad_alloc&) {
        m_flatField.DropFrame(kind);
        rc = RC_ALLOC_FAILED;
    }
    if (rc == RC_SUCCESS) {
        const bool captureEnable = m_flatField.captureEnable;
        m_flatField.captureEnable = false;
        // A failed capture is not noticed: its slot counts as it stands.
        for (int i = 0; i < count; ++i) {
            CaptureRawData(frame.data());
            for (size_t j = 0; j < n; ++j) sums[j] += frame[j];
        }
        m_flatField.DropGain();
        m_flatField.captureEnable = captureEnable;
        m_flatField.SetFrameFromSums(kind, sums.data(), count);
    }
    int restored = SetFieldOfView(ZOQ_FOV_MODE_CAPTURE, saved.columnStart, saved.rowStart,
                                  saved.columnSize, saved.rowSize, saved.columnAddressMode,
                                  saved.rowAddressMode, saved.multiFrameNum);
    return rc != RC_SUCCESS ? rc : restored;
}

int CZOQDevice::MakeDarkFrame(int count) {
    return MakeFlatFieldFrameOf(ZoqFlatField::kDark, count < 1 ? 1 : count);
}

int CZOQDevice::MakeFlatFieldFrame(int count) {
    if (count < 1) return RC_PARAMETER_ERROR;
    return MakeFlatFieldFrameOf(ZoqFlatField::kFlat, count);
}

// Made frames or loaded data (a dark frame and its gains) both qualify.
int CZOQDevice::SetFlatFieldCorrectionEnable(bool* enable, bool on) {
    if (!m_flatField.CanCorrect()) return RC_ILLEGAL_OPERATION;
    if (on) {
        int rc = m_flatField.MakeGain();
        if (rc != RC_SUCCESS) return rc;
    }
    *enable = on;
    return RC_SUCCESS;
}

int CZOQDevice::SetPreviewFlatFieldCorrectionEnable(bool on) {
    return SetFlatFieldCorrectionEnable(&m_flatField.previewEnable, on);
}

int CZOQDevice::GetPreviewFlatFieldCorrectionEnable(bool* on) {
    zoq::Put(on, m_flatField.previewEnable);
    return RC_SUCCESS;
}

int CZOQDevice::SetCaptureFlatFieldCorrectionEnable(bool on) {
    return SetFlatFieldCorrectionEnable(&m_flatField.captureEnable, on);
}

int CZOQDevice::GetCaptureFlatFieldCorrectionEnable(bool* on) {
    zoq::Put(on, m_flatField.captureEnable);
    return RC_SUCCESS;
}

// Writes what LoadFlatFieldCorrection reads, so that a correction made
// once serves later runs.
int CZOQDevice::SaveFlatFieldCorrection(char* path) {
    return m_flatField.Save(path);
}

int CZOQDevice::LoadFlatFieldCorrection(char* path) {
    return m_flatField.Load(path);
}

int CZOQDevice::RawData8_Do_FFC(unsigned char* data, ZOQ_FOV_INFO fov) {
    if (!m_flatField.Matches(fov)) return RC_NOT_SUPPORTED;
    if (!m_flatField.HasGain() || !m_flatField.HasFrame(ZoqFlatField::kDark))
        return RC_ILLEGAL_OPERATION;
    bool enabled = false;
    if (m_CurrentFovMode == ZOQ_FOV_MODE_CAPTURE) enabled = m_flatField.captureEnable;
    if (m_CurrentFovMode == ZOQ_FOV_MODE_PREVIEW) enabled = m_flatField.previewEnable;
    if (!enabled || data == nullptr) return RC_SUCCESS;
    // An 8-bit frame holds one byte a pixel whatever the record's byte count.
    size_t count = m_flatField.FrameBytes();
    const size_t pixels = static_cast<size_t>(fov.width > 0 ? fov.width : 0) *
                          static_cast<size_t>(fov.height > 0 ? fov.height : 0);
    if (count > pixels) count = pixels;
    return m_flatField.Apply(data, count) ? RC_SUCCESS : RC_ILLEGAL_OPERATION;
}
