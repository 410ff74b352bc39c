#include "Stream.h"

#include <pybind11/pybind11.h>

#include "Errors.h"
#include "Library.h"

namespace zoqpy {

StreamHandle::StreamHandle(int index, const ZOQSTREAM_CONFIG& config) : m_index(index) {
    Check(ZOQStream_Open(index, &config, &m_stream), "ZOQStream_Open");
    Library::Get().Track(this);
}

StreamHandle::~StreamHandle() {
    ForceClose();
    Library::Get().Untrack(this);
}

void StreamHandle::Start() {
    std::shared_lock lock(m_mutex);
    Check(m_stream ? ZOQStream_Start(m_stream) : RC_INVALID_HANDLE, "ZOQStream_Start");
}

void StreamHandle::Stop() {
    // Stopping waits for the frame on the bus.
    pybind11::gil_scoped_release unlocked;
    StopStream();
}

void StreamHandle::StopStream() {
    std::shared_lock lock(m_mutex);
    if (m_stream) ZOQStream_Stop(m_stream);
}

ZOQSTREAM_FRAME* StreamHandle::Wait(unsigned int timeoutMs) {
    ZOQSTREAM_FRAME* frame = nullptr;
    int rc = RC_INVALID_HANDLE;
    {
        pybind11::gil_scoped_release unlocked;
        std::shared_lock lock(m_mutex);
        if (m_stream) rc = ZOQStream_WaitFrame(m_stream, timeoutMs, &frame);
    }
    Check(rc, "ZOQStream_WaitFrame");
    m_held.fetch_add(1);
    return frame;
}

void StreamHandle::Release(ZOQSTREAM_FRAME* frame) {
    m_held.fetch_sub(1);
    std::shared_lock lock(m_mutex);
    if (m_stream) ZOQStream_ReleaseFrame(m_stream, frame);
}

ZOQSTREAM_STATS StreamHandle::Stats() {
    ZOQSTREAM_STATS stats{};
    std::shared_lock lock(m_mutex);
    Check(m_stream ? ZOQStream_GetStats(m_stream, &stats) : RC_INVALID_HANDLE,
          "ZOQStream_GetStats");
    return stats;
}

void StreamHandle::ForceClose() {
    StopStream();  // wakes a thread that waits for a frame
    std::unique_lock lock(m_mutex);
    if (m_stream) ZOQStream_Close(m_stream);
    m_stream = nullptr;
}

}  // namespace zoqpy
