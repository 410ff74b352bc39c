// The iterator of `Camera.frames()` and the frames it yields.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>

#include "Stream.h"

namespace zoqpy {

// One frame of a stream. Its image is a view into the stream's pool: the
// buffer goes back to the pool when the frame (and every array over it) is
// gone, or at release().
class Frame {
public:
    Frame(std::shared_ptr<StreamHandle> stream, ZOQSTREAM_FRAME* frame);
    ~Frame() { Release(); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    void Release();
    // The image (None for a failed frame); `self` owns the memory.
    pybind11::object Image(pybind11::handle self) const;

    unsigned long long sequence;
    unsigned long long timestampNs;
    int status;
    int width;
    int height;
    int bitCount;  // per sample: 8 or 16 (raw); 8, 24 or 32 (processed, 16 or 48/64 when wide)
    bool raw;

private:
    std::shared_ptr<StreamHandle> m_stream;
    ZOQSTREAM_FRAME* m_frame;
};

class FrameIterator {
public:
    // count < 0: until stopped.
    FrameIterator(int index, long long count, bool raw, int buffers, bool block,
                  unsigned int timeoutMs);
    std::unique_ptr<Frame> Next();
    void Stop();
    ZOQSTREAM_STATS Stats() { return m_stream->Stats(); }

private:
    std::shared_ptr<StreamHandle> m_stream;
    long long m_remaining;
    const unsigned int m_timeoutMs;
    bool m_running = false;
};

}  // namespace zoqpy
