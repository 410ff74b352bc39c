// The buffers of a stream and the frames in them, on their way from the
// reader thread through the processing thread to the application and back.
// One lock guards the slots' states, the queues and the counters; a slot's
// buffers belong to whoever holds the slot.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "device/ZOQDevice_FrameShape.h"
#include "zoqstream.h"

struct ZoqStreamSlot {
    enum class State { Free, Reading, Read, Processing, Ready, Taken };

    ZOQSTREAM_FRAME record{};
    std::vector<unsigned char> raw;    // the frame as read, corrected in place
    std::vector<unsigned char> image;  // the processed image (processed format)
    ZoqFrameShape shape;
    uint64_t busBytes = 0;  // bytes the frame took on the bus
    // Guarded by the pool's lock, like the state: what the buffers hold, as
    // their owner last reported it (ZoqFramePool::Account).
    uint64_t heldBytes = 0;
    State state = State::Free;
};

// Oldest-first queue of slot numbers, at most one entry per slot.
class ZoqSlotQueue {
public:
    explicit ZoqSlotQueue(int capacity) : m_items(static_cast<size_t>(capacity)) {}
    bool Empty() const { return m_count == 0; }
    int Front() const { return m_items[m_head]; }
    void Push(int slot) {
        m_items[(m_head + m_count) % m_items.size()] = slot;
        ++m_count;
    }
    int Pop() {
        int slot = m_items[m_head];
        m_head = (m_head + 1) % m_items.size();
        --m_count;
        return slot;
    }

private:
    std::vector<int> m_items;
    size_t m_head = 0;
    size_t m_count = 0;
};

class ZoqFramePool {
public:
    ZoqFramePool(const ZOQSTREAM_CONFIG& config);

    // ---- Run control (the stream's own thread) ----
    // A new run: slots not held by the application are emptied (frames left
    // from an earlier run go without being counted) and sized for `shape`,
    // counters start from zero. RC_ALLOC_FAILED when memory runs out.
    int Begin(const ZoqFrameShape& shape);
    // Wakes every waiter; from now on the reader and the processing thread
    // get no more slots.
    void RequestStop();
    // After both threads ended: frames read but not processed are dropped.
    void End();
    // Waits for `pause` unless the stream stops first; false when it stops.
    bool PauseUnlessStopping(std::chrono::milliseconds pause);
    // The slot's owner changed the size of its buffers.
    void Account(ZoqStreamSlot* slot);

    // ---- Reader thread ----
    // A slot to read the next frame into, or null once stopping. `previous`
    // is the reader's last frame, not yet handed on: when buffers run out it
    // is handed on (BLOCK) or reused (DROP_OLDEST, as a dropped frame), and
    // then set to null.
    ZoqStreamSlot* AcquireForRead(ZoqStreamSlot** previous);
    void QueueForProcessing(ZoqStreamSlot* slot);
    // The reader's frame that will not be handed on (stop).
    void Drop(ZoqStreamSlot* slot);

    // ---- Processing thread ----
    // The oldest frame read, or null once stopping.
    ZoqStreamSlot* NextToProcess();
    // Hands the frame to the application's queue.
    void MakeReady(ZoqStreamSlot* slot);
    // The callback form: counts the frame as handed over, then frees it
    // after `deliver` ran (without the pool's lock).
    template <typename Deliver>
    void HandOver(ZoqStreamSlot* slot, Deliver deliver) {
        Count(*slot);
        deliver(slot->record);
        Free(slot);
    }

    // ---- Application ----
    int Take(unsigned int timeoutMs, ZOQSTREAM_FRAME** frame);
    int Give(ZOQSTREAM_FRAME* frame);
    void Stats(ZOQSTREAM_STATS* stats) const;

private:
    using Clock = std::chrono::steady_clock;
    int IndexOf(const ZoqStreamSlot* slot) const;
    ZoqStreamSlot* Claim(int index, ZoqStreamSlot::State state);
    void Count(const ZoqStreamSlot& slot);
    void Free(ZoqStreamSlot* slot);
    // Drops the oldest queued frame to reuse its slot; -1 when none waits.
    int StealOldest();

    const ZOQSTREAM_POLICY m_policy;
    const bool m_processed;
    mutable std::mutex m_lock;
    std::condition_variable m_slotFreed;
    std::condition_variable m_frameRead;
    std::condition_variable m_frameReady;
    std::condition_variable m_stopRequested;
    std::vector<std::unique_ptr<ZoqStreamSlot>> m_slots;
    ZoqSlotQueue m_read;
    ZoqSlotQueue m_ready;
    bool m_stopping = true;
    bool m_running = false;

    uint64_t m_delivered = 0;
    uint64_t m_failed = 0;
    uint64_t m_dropped = 0;
    uint64_t m_discarded = 0;
    uint64_t m_deliveredBytes = 0;
    Clock::time_point m_start;
    Clock::time_point m_end;
};
