// The library is process-wide: it starts on first use and ends when the
// interpreter exits, after every stream still open has been closed.
#pragma once

#include <memory>
#include <mutex>
#include <set>

namespace zoqpy {

class StreamHandle;

class Library {
public:
    static Library& Get();
    // Starts the library once (ZOQ_Init); throws ApiError on failure.
    void EnsureStarted();
    // Closes every stream and ends the library; the next use starts it again
    // and finds the cameras plugged in meanwhile. Unless `force` (at exit),
    // refuses (false) while frames of a stream are held: their images point
    // into the stream's buffers.
    bool Shutdown(bool force);
    bool Started() const { return m_started; }

    void Track(StreamHandle* stream);
    void Untrack(StreamHandle* stream);

private:
    std::mutex m_mutex;
    bool m_started = false;
    std::set<StreamHandle*> m_streams;
};

}  // namespace zoqpy
