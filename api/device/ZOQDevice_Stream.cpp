// The frame steps of continuous acquisition. The reader thread triggers and
// reads under the I/O lock alone, so that the processing thread can run the
// pipeline under the state lock meanwhile; the shape published with the
// settings the frame was triggered with tells the processing whether the
// frame still fits the device.
#include <new>

#include "device/ZOQDevice.h"
#include "usb/IZOQBus.h"

using StateGuard = std::lock_guard<std::recursive_mutex>;

void CZOQDevice::PublishStreamShape() {
    m_streamShape = CaptureShape();
    m_uStreamTimeOut = m_uCaptureTimeOut;
}

int CZOQDevice::StreamShape(ZoqFrameShape* shape) {
    StateGuard state(m_stateLock);
    IoGuard io(m_ioLock);
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    PublishStreamShape();
    *shape = m_streamShape;
    return RC_SUCCESS;
}

int CZOQDevice::StreamTrigger(std::vector<unsigned char>& raw, ZoqFrameRead* read) {
    read->io = std::unique_lock<std::recursive_mutex>(m_ioLock);
    if (IsClosed()) {
        // Reopening needs the state lock, which comes first.
        read->io.unlock();
        StateGuard state(m_stateLock);
        read->io.lock();
        int rc = ReopenForRead();
        if (rc != RC_SUCCESS) {
            read->io.unlock();
            return rc;
        }
    }
    if (m_pCam == nullptr || m_pBus == nullptr) {
        read->io.unlock();
        return m_pCam == nullptr ? RC_CAMERA_NOT_CREATED : RC_BUS_NOT_INITIALIZED;
    }
    // Setters change the camera only while holding the I/O lock and publish
    // the shape before they let it go: it is the shape of this frame.
    read->shape = m_streamShape;
    read->timeoutMs = m_uStreamTimeOut;
    if (raw.size() < static_cast<size_t>(read->shape.rawBytes)) {
        try {
            raw.resize(static_cast<size_t>(read->shape.rawBytes));
        } catch (const std::bad_alloc&) {
            read->io.unlock();
            return RC_ALLOC_FAILED;
        }
    }
    int rc = m_pBus->Bus_CatchStart(this);
    return rc == RC_SUCCESS ? rc : StreamReadFailed(rc, read);
}

int CZOQDevice::StreamRead(unsigned char* raw, ZoqFrameRead* read) {
    int rc = m_pBus->Bus_CatchRead(this, raw, read->shape.readBytes, read->timeoutMs);
    if (rc != RC_SUCCESS) return StreamReadFailed(rc, read);
    read->io.unlock();
    return RC_SUCCESS;
}

int CZOQDevice::StreamReadFailed(int readResult, ZoqFrameRead* read) {
    // The state lock comes first: let the I/O lock go, then take both.
    if (read->io.owns_lock()) read->io.unlock();
    StateGuard state(m_stateLock);
    IoGuard io(m_ioLock);
    return AfterFailedRead(readResult, readResult == RC_FAIL || m_bCaptureRecover);
}

int CZOQDevice::StreamProcess(const ZoqFrameShape& shape, unsigned char* raw,
                              unsigned char* image) {
    StateGuard state(m_stateLock);
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    // A frame read before a change of mode would be laid out in the new one
    // and handed over as if in the old: it is failed instead.
    if (CaptureShape() != shape || m_BayerMode != shape.bayerMode) return RC_BAD_FRAME;
    if (!shape.is16Bits) RawData8_Process(raw, shape.width, shape.height);
    return image != nullptr ? FrameToImage(shape, raw, image) : RC_SUCCESS;
}
