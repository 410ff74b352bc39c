// Frames triggered and not yet read, in the FPGA's frame buffer: a fixed ring
// so that triggering and reading never allocate.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "CameraModel.h"
#include "Renderer.h"

namespace zoqsim {

struct QueuedFrame {
    RenderKey key;     // the sensor's state at the trigger
    uint64_t variant;  // which noise variant
    std::chrono::steady_clock::time_point readyAt;  // the sensor has read it out
    bool started;      // its first byte went out; frame and length are set
    std::shared_ptr<const RenderedFrame> frame;
    std::size_t length;  // bytes this frame hands over
    std::size_t sent;
};

class FrameQueue {
public:
    bool empty() const { return count_ == 0; }
    bool full() const { return count_ == slots_.size(); }
    int size() const { return int(count_); }

    // Callers check full() first.
    void push(const RenderKey& key, uint64_t variant, std::chrono::steady_clock::time_point readyAt) {
        QueuedFrame& q = slots_[(head_ + count_) % slots_.size()];
        q.key = key;
        q.variant = variant;
        q.readyAt = readyAt;
        q.started = false;
        q.frame.reset();
        q.length = 0;
        q.sent = 0;
        ++count_;
    }
    QueuedFrame& front() { return slots_[head_]; }
    const QueuedFrame& front() const { return slots_[head_]; }
    void pop() {
        slots_[head_].frame.reset();
        head_ = (head_ + 1) % slots_.size();
        --count_;
    }
    void clear() {
        while (!empty()) pop();
    }

private:
    std::array<QueuedFrame, CameraModel::kFrameQueueDepth> slots_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
};

}  // namespace zoqsim
