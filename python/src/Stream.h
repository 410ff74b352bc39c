// A continuous acquisition on ZOQStream_*, shared by the iterator and the
// frames it handed out: a frame's image points into the stream's pool, so
// the stream is closed only when the last of them is gone.
#pragma once

#include <atomic>
#include <memory>
#include <shared_mutex>

#include "zoqstream.h"

namespace zoqpy {

class StreamHandle {
public:
    StreamHandle(int index, const ZOQSTREAM_CONFIG& config);
    ~StreamHandle();
    StreamHandle(const StreamHandle&) = delete;
    StreamHandle& operator=(const StreamHandle&) = delete;

    void Start();
    void Stop();
    // The next frame; throws ApiError (RC_TIMEOUT, ...). The GIL is released
    // while it waits.
    ZOQSTREAM_FRAME* Wait(unsigned int timeoutMs);
    void Release(ZOQSTREAM_FRAME* frame);
    ZOQSTREAM_STATS Stats();
    // Closes the stream now (at interpreter exit); later calls do nothing.
    // Runs with or without the GIL.
    void ForceClose();
    int Index() const { return m_index; }
    // Frames taken and not yet released.
    int FramesHeld() const { return m_held.load(); }

private:
    void StopStream();

    std::shared_mutex m_mutex;  // unique only to close
    ZOQSTREAM* m_stream = nullptr;
    const int m_index;
    std::atomic<int> m_held{0};
};

}  // namespace zoqpy
