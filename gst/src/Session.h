// One camera from start to stop of zoqsrc: the library (started once for
// every element of the process), the camera's settings, and a stream whose
// frames become buffers without a copy.
#pragma once

#include <gst/gst.h>

#include <atomic>
#include <string>

#include "Formats.h"
#include "Settings.h"
#include "zoqstream.h"

namespace zoqgst {

class StreamRef;

class Session {
public:
    ~Session();

    // Starts the library, finds the camera and applies the settings. On
    // failure: false, with what went wrong in `error` (the API's text).
    bool Open(const Settings& settings, std::string* error);
    // Settings that may change while frames flow.
    bool ApplyLive(const Settings& settings, std::string* error);

    const CameraKind& Kind() const { return m_kind; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int FpsN() const { return m_fpsN; }
    int FpsD() const { return m_fpsD; }

    // Starts the stream for a negotiated format.
    bool Start(const Format& format, const Settings& settings, std::string* error);
    // Stops the stream; buffers still downstream stay valid.
    void Stop();

    enum class Next { kFrame, kFlushing, kError };
    // Waits for the next good frame as a buffer over the stream's memory.
    // kError with the reason when no good frame came within timeoutMs;
    // failed frames on the way are reported through `warn`.
    Next Wait(unsigned int timeoutMs, const std::atomic<bool>& flushing, GstBuffer** buffer,
              unsigned long long* timestampNs, std::string* error,
              void (*warn)(void* context, const std::string& text), void* context);

private:
    bool Fail(int rc, const char* what, std::string* error);
    void Release();

    bool m_libraryHeld = false;
    int m_index = -1;
    int m_savedBayerMode = -1;
    CameraKind m_kind;
    int m_width = 0;
    int m_height = 0;
    int m_fpsN = 0;
    int m_fpsD = 1;
    Format m_format{};
    StreamRef* m_stream = nullptr;
};

}  // namespace zoqgst
