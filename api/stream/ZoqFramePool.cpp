#include "stream/ZoqFramePool.h"

#include <new>

using State = ZoqStreamSlot::State;

ZoqFramePool::ZoqFramePool(const ZOQSTREAM_CONFIG& config)
    : m_policy(static_cast<ZOQSTREAM_POLICY>(config.policy)),
      m_processed(config.format == ZOQSTREAM_FORMAT_PROCESSED),
      m_read(config.bufferCount),
      m_ready(config.bufferCount) {
    for (int i = 0; i < config.bufferCount; ++i) {
        m_slots.push_back(std::make_unique<ZoqStreamSlot>());
        m_slots.back()->record.format = config.format;
    }
}

int ZoqFramePool::Begin(const ZoqFrameShape& shape) {
    std::lock_guard<std::mutex> lock(m_lock);
    while (!m_ready.Empty()) m_slots[static_cast<size_t>(m_ready.Pop())]->state = State::Free;
    try {
        for (auto& slot : m_slots) {
            if (slot->state == State::Taken) continue;
            // Exactly the sizes of this geometry; a larger frame later grows
            // the buffer that receives it.
            std::vector<unsigned char>(static_cast<size_t>(shape.rawBytes)).swap(slot->raw);
            std::vector<unsigned char>(m_processed ? shape.ImageBytes() : 0).swap(slot->image);
            slot->heldBytes = slot->raw.capacity() + slot->image.capacity();
        }
    } catch (const std::bad_alloc&) {
        return RC_ALLOC_FAILED;
    }
    m_delivered = m_failed = m_dropped = m_discarded = m_deliveredBytes = 0;
    m_start = Clock::now();
    m_stopping = false;
    m_running = true;
    return RC_SUCCESS;
}

void ZoqFramePool::RequestStop() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_slotFreed.notify_all();
    m_frameRead.notify_all();
    m_frameReady.notify_all();
    m_stopRequested.notify_all();
}

void ZoqFramePool::End() {
    std::lock_guard<std::mutex> lock(m_lock);
    while (!m_read.Empty()) {
        m_slots[static_cast<size_t>(m_read.Pop())]->state = State::Free;
        ++m_dropped;
    }
    if (m_running) m_end = Clock::now();
    m_running = false;
}

bool ZoqFramePool::PauseUnlessStopping(std::chrono::milliseconds pause) {
    std::unique_lock<std::mutex> lock(m_lock);
    return !m_stopRequested.wait_for(lock, pause, [this] { return m_stopping; });
}

void ZoqFramePool::Account(ZoqStreamSlot* slot) {
    const uint64_t bytes = slot->raw.capacity() + slot->image.capacity();
    std::lock_guard<std::mutex> lock(m_lock);
    slot->heldBytes = bytes;
}

int ZoqFramePool::IndexOf(const ZoqStreamSlot* slot) const {
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].get() == slot) return static_cast<int>(i);
    return -1;
}

ZoqStreamSlot* ZoqFramePool::Claim(int index, State state) {
    ZoqStreamSlot* slot = m_slots[static_cast<size_t>(index)].get();
    slot->state = state;
    return slot;
}

int ZoqFramePool::StealOldest() {
    // Frames waiting for the application are older than those waiting to be
    // processed.
    ZoqSlotQueue* queue = !m_ready.Empty() ? &m_ready : !m_read.Empty() ? &m_read : nullptr;
    if (queue == nullptr) return -1;
    ++m_dropped;
    return queue->Pop();
}

ZoqStreamSlot* ZoqFramePool::AcquireForRead(ZoqStreamSlot** previous) {
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        if (m_stopping) return nullptr;
        for (size_t i = 0; i < m_slots.size(); ++i)
            if (m_slots[i]->state == State::Free) return Claim(static_cast<int>(i), State::Reading);
        if (m_policy == ZOQSTREAM_DROP_OLDEST) {
            int oldest = StealOldest();
            if (oldest >= 0) return Claim(oldest, State::Reading);
            if (*previous != nullptr) {
                // The application holds every other buffer: the frame just
                // read makes room for the next.
                ++m_dropped;
                ZoqStreamSlot* reused = *previous;
                *previous = nullptr;
                return reused;
            }
        } else if (*previous != nullptr) {
            // Hand the last frame on before waiting, so that the application
            // can get to it and free a buffer.
            (*previous)->state = State::Read;
            m_read.Push(IndexOf(*previous));
            *previous = nullptr;
            m_frameRead.notify_one();
        }
        m_slotFreed.wait(lock);
    }
}

void ZoqFramePool::QueueForProcessing(ZoqStreamSlot* slot) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        slot->state = State::Read;
        m_read.Push(IndexOf(slot));
    }
    m_frameRead.notify_one();
}

void ZoqFramePool::Drop(ZoqStreamSlot* slot) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        slot->state = State::Free;
        ++m_dropped;
    }
    m_slotFreed.notify_one();
}

ZoqStreamSlot* ZoqFramePool::NextToProcess() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_frameRead.wait(lock, [this] { return m_stopping || !m_read.Empty(); });
    if (m_stopping) return nullptr;
    return Claim(m_read.Pop(), State::Processing);
}

void ZoqFramePool::MakeReady(ZoqStreamSlot* slot) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        slot->state = State::Ready;
        m_ready.Push(IndexOf(slot));
    }
    m_frameReady.notify_one();
}

void ZoqFramePool::Count(const ZoqStreamSlot& slot) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (slot.record.status == RC_SUCCESS) {
        ++m_delivered;
        m_deliveredBytes += slot.busBytes;
    } else {
        ++m_failed;
        if (slot.record.status == RC_BAD_FRAME) ++m_discarded;
    }
}

void ZoqFramePool::Free(ZoqStreamSlot* slot) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        slot->state = State::Free;
    }
    m_slotFreed.notify_one();
}

int ZoqFramePool::Take(unsigned int timeoutMs, ZOQSTREAM_FRAME** frame) {
    std::unique_lock<std::mutex> lock(m_lock);
    bool waited = m_frameReady.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                        [this] { return m_stopping || !m_ready.Empty(); });
    if (m_ready.Empty()) return waited ? RC_ILLEGAL_OPERATION : RC_TIMEOUT;
    ZoqStreamSlot* slot = Claim(m_ready.Pop(), State::Taken);
    lock.unlock();
    Count(*slot);
    *frame = &slot->record;
    return RC_SUCCESS;
}

int ZoqFramePool::Give(ZOQSTREAM_FRAME* frame) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ZoqStreamSlot* slot = nullptr;
        for (auto& candidate : m_slots)
            if (&candidate->record == frame) slot = candidate.get();
        if (slot == nullptr || slot->state != State::Taken) return RC_PARAMETER_ERROR;
        slot->state = State::Free;
    }
    m_slotFreed.notify_one();
    return RC_SUCCESS;
}

void ZoqFramePool::Stats(ZOQSTREAM_STATS* stats) const {
    std::lock_guard<std::mutex> lock(m_lock);
    stats->delivered = m_delivered;
    stats->failed = m_failed;
    stats->dropped = m_dropped;
    stats->discarded = m_discarded;
    const Clock::time_point end = m_running ? Clock::now() : m_end;
    const double seconds = std::chrono::duration<double>(end - m_start).count();
    stats->framesPerSecond = seconds > 0.0 ? static_cast<double>(m_delivered) / seconds : 0.0;
    stats->bytesPerSecond = seconds > 0.0 ? static_cast<double>(m_deliveredBytes) / seconds : 0.0;
    uint64_t bytes = 0;
    for (const auto& slot : m_slots) bytes += slot->heldBytes;
    stats->bufferBytes = bytes;
}
