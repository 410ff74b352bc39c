#include "stream/ZoqStream.h"

#include <time.h>

#include <chrono>
#include <mutex>
#include <new>
#include <system_error>

#include "device/ZOQDevice.h"

namespace {

constexpr auto kFailurePause = std::chrono::milliseconds(20);

unsigned long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<unsigned long long>(now.tv_sec) * 1000000000ull +
           static_cast<unsigned long long>(now.tv_nsec);
}

}  // namespace

ZoqStream::ZoqStream(CZOQDevice* device, const ZOQSTREAM_CONFIG& config)
    : m_device(device), m_config(config), m_pool(config) {}

ZoqStream::~ZoqStream() {
    Stop();
}

int ZoqStream::Start() {
    std::lock_guard<std::mutex> control(m_control);
    if (m_reader.joinable()) return RC_ILLEGAL_OPERATION;
    ZoqFrameShape shape;
    int rc = m_device->StreamShape(&shape);
    if (rc != RC_SUCCESS) return rc;
    rc = m_pool.Begin(shape);
    if (rc != RC_SUCCESS) return rc;
    try {
        m_processor = std::thread(&ZoqStream::ProcessLoop, this);
        m_reader = std::thread(&ZoqStream::ReadLoop, this);
    } catch (const std::system_error&) {
        m_pool.RequestStop();
        if (m_processor.joinable()) m_processor.join();
        m_pool.End();
        return RC_FAIL;
    }
    return RC_SUCCESS;
}

int ZoqStream::Stop() {
    std::lock_guard<std::mutex> control(m_control);
    if (!m_reader.joinable()) return RC_SUCCESS;
    m_pool.RequestStop();
    m_reader.join();
    m_processor.join();
    m_pool.End();
    return RC_SUCCESS;
}

int ZoqStream::Wait(unsigned int timeoutMs, ZOQSTREAM_FRAME** frame) {
    if (frame == nullptr) return RC_PARAMETER_ERROR;
    if (m_config.callback != nullptr) return RC_ILLEGAL_OPERATION;
    return m_pool.Take(timeoutMs, frame);
}

void ZoqStream::ReadLoop() {
    ZoqStreamSlot* previous = nullptr;
    unsigned long long sequence = 0;
    for (;;) {
        ZoqStreamSlot* slot = m_pool.AcquireForRead(&previous);
        if (slot == nullptr) break;
        const size_t heldBefore = slot->raw.capacity();
        ZoqFrameRead read;
        int rc = m_device->StreamTrigger(slot->raw, &read);
        if (slot->raw.capacity() != heldBefore) m_pool.Account(slot);
        // Frame N goes to processing while frame N+1 crosses the bus.
        if (previous != nullptr) m_pool.QueueForProcessing(previous);
        previous = nullptr;
        if (rc == RC_SUCCESS) rc = m_device->StreamRead(slot->raw.data(), &read);
        slot->shape = read.shape;
        slot->busBytes = rc == RC_SUCCESS ? static_cast<uint64_t>(read.shape.readBytes) : 0;
        ZOQSTREAM_FRAME& record = slot->record;
        record.sequence = sequence++;
        record.timestampNs = MonotonicNs();
        record.status = rc;
        previous = slot;
        // A camera that fails at once (one that is gone, say) is not asked
        // again at full speed.
        if (rc != RC_SUCCESS && !m_pool.PauseUnlessStopping(kFailurePause)) break;
    }
    // The frame read when the stream stopped is not processed any more.
    if (previous != nullptr) m_pool.Drop(previous);
}

void ZoqStream::ProcessLoop() {
    const bool processed = m_config.format == ZOQSTREAM_FORMAT_PROCESSED;
    while (ZoqStreamSlot* slot = m_pool.NextToProcess()) {
        ZOQSTREAM_FRAME& record = slot->record;
        const ZoqFrameShape& shape = slot->shape;
        record.data = nullptr;
        record.bytes = 0;
        record.width = shape.width;
        record.height = shape.height;
        record.bitCount = processed ? shape.bitCount : shape.is16Bits ? 16 : 8;
        record.bayerMode = shape.bayerMode;
        if (record.status == RC_SUCCESS && processed && slot->image.size() < shape.ImageBytes()) {
            try {
                slot->image.resize(shape.ImageBytes());
                m_pool.Account(slot);
            } catch (const std::bad_alloc&) {
                record.status = RC_ALLOC_FAILED;
            }
        }
        if (record.status == RC_SUCCESS)
            record.status = m_device->StreamProcess(shape, slot->raw.data(),
                                                    processed ? slot->image.data() : nullptr);
        if (record.status == RC_SUCCESS) {
            record.data = processed ? slot->image.data() : slot->raw.data();
            record.bytes = static_cast<int>(processed ? shape.ImageBytes()
                                                      : static_cast<size_t>(shape.readBytes));
        }
        if (m_config.callback != nullptr)
            m_pool.HandOver(slot, [this](const ZOQSTREAM_FRAME& frame) {
                m_config.callback(&frame, m_config.context);
            });
        else
            m_pool.MakeReady(slot);
    }
}
