// Where the frames of `capture` and `stream` come from. The loop in
// Frames.cpp sees only this interface: today's source makes one capture call
// per frame (CaptureSource.cpp); a source on the continuous-acquisition
// interface takes its place without changing the loop.
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
    // Waits for the next frame. RC_SUCCESS with `frame` filled in, or the
    // API's code of the frame that failed (the next call tries again).
    virtual int Next(Frame* frame) = 0;
    virtual void Stop() = 0;
};

// Frames by single captures: raw sensor data, or RGB captures in the
// camera's Bayer mode.
std::unique_ptr<FrameSource> MakeCaptureSource(int index, bool raw);

}  // namespace zoqcam
