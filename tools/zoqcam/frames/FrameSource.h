// Where the frames of `capture` and `stream` come from. The loop in
// Frames.cpp sees only this interface: `capture` makes one capture call per
// frame (CaptureSource.cpp), `stream` takes frames from the
// continuous-acquisition interface (StreamSource.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zoqcam {

struct Frame {
    const unsigned char* data = nullptr;  // valid until the next call of Next()
    size_t bytes = 0;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;  // 8 (raw or gray), 16 (16-bit raw), 24 or 32 (BGR)
    bool raw = false;      // the sensor's data rather than a processed image
    bool topDown = true;   // row order of `data`
};

class FrameSource {
public:
    virtual ~FrameSource() = default;
    // Sizes its buffers for the camera's settings as they are now. The
    // API's code.
    virtual int Start() = 0;
    // Waits for the next frame. RC_SUCCESS with `frame` filled in, the
    // API's code of the frame that failed (the next call tries again), or
    // kInterrupted once StopRequested() holds.
    virtual int Next(Frame* frame) = 0;
    virtual void Stop() = 0;
    // Frames the camera sent that the tool never saw.
    virtual unsigned long long Dropped() const { return 0; }
};

// Not an API code: the user asked to stop (Ctrl-C) while a source waited.
constexpr int kInterrupted = 1;

// Whether the user asked to stop (Frames.cpp).
bool StopRequested();

// Frames by single captures: raw sensor data, or RGB captures in the
// camera's Bayer mode.
std::unique_ptr<FrameSource> MakeCaptureSource(int index, bool raw);

// Frames of a continuous acquisition on the camera; `keepEvery` blocks the
// camera rather than dropping frames the tool is slow to take.
std::unique_ptr<FrameSource> MakeStreamSource(int index, bool raw, bool keepEvery);

}  // namespace zoqcam
