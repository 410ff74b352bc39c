// The library is process-wide: it starts on first use and ends when the
// interpreter exits, after every stream still open has been closed.
#pragma once

#include <atomic>
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

    // Counts changes of a Bayer mode made from Python. Streams read the mode
    // again only after one (or after a frame failed for a changed geometry):
    // reading it waits for the frame in processing.
    unsigned ModeChanges() const { return m_modeChanges.load(); }
    void ModeChanged() { m_modeChanges.fetch_add(1); }

private:
    std::mutex m_mutex;
    bool m_started = false;
    std::set<StreamHandle*> m_streams;
    std::atomic<unsigned> m_modeChanges{0};
};

}  // namespace zoqpy
