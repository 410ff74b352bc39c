#include "Library.h"

#include <vector>

#include "Errors.h"
#include "Stream.h"
#include "zoqapi.h"

namespace zoqpy {

Library& Library::Get() {
    // Never destroyed: streams may still end while the interpreter unloads.
    static Library* library = new Library;
    return *library;
}

void Library::EnsureStarted() {
    std::lock_guard lock(m_mutex);
    if (m_started) return;
    Check(ZOQ_Init(), "ZOQ_Init");
    m_started = true;
}

bool Library::Shutdown(bool force) {
    std::vector<StreamHandle*> streams;
    {
        std::lock_guard lock(m_mutex);
        streams.assign(m_streams.begin(), m_streams.end());
    }
    if (!force) {
        for (StreamHandle* stream : streams)
            if (stream->FramesHeld() > 0) return false;
    }
    // At exit, frames still held keep their handle; their images are gone.
    for (StreamHandle* stream : streams) stream->ForceClose();
    std::lock_guard lock(m_mutex);
    if (m_started) ZOQ_UnInit();
    m_started = false;
    return true;
}

void Library::Track(StreamHandle* stream) {
    std::lock_guard lock(m_mutex);
    m_streams.insert(stream);
}

void Library::Untrack(StreamHandle* stream) {
    std::lock_guard lock(m_mutex);
    m_streams.erase(stream);
}

}  // namespace zoqpy
