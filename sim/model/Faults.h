// Faults of the camera itself, armed by tests: refused or status-only
// replies to a request, truncated frames, and triggers whose frame never
// comes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zoqsim {

class Faults {
public:
    // The requests after the next `after` ones: n of them are refused.
    void refuse(uint8_t bRequest, int n, int after) {
        refuse_[bRequest] = {after > 0 ? after : 0, n > 0 ? n : 0};
    }
    void shortReply(uint8_t bRequest, int n) { shortReply_[bRequest] = n > 0 ? n : 0; }
    // The frames after the next `after` ones: n of them end after `bytes`.
    void shortFrames(std::size_t bytes, int n, int after) {
        frameBytes_ = bytes;
        shortFrames_ = {after, n};
    }
    // The triggers after the next `after` ones: n of them start no frame.
    void loseFrames(int n, int after) { lostFrames_ = {after, n}; }

    // Each take consumes one armed fault, if there is one.
    bool takeRefusal(uint8_t bRequest) { return refuse_[bRequest].take(); }
    bool takeShortReply(uint8_t bRequest) { return take(shortReply_[bRequest]); }
    // Asked once per frame as its transfer starts.
    std::optional<std::size_t> takeFrameLimit() {
        if (!shortFrames_.take()) return std::nullopt;
        return frameBytes_;
    }
    // Asked once per accepted trigger.
    bool takeLostFrame() { return lostFrames_.take(); }

private:
    static bool take(int& count) {
        if (count <= 0) return false;
        --count;
        return true;
    }

    // A run of `count` faults that starts after `skip` more events.
    struct Delayed {
        int skip = 0;
        int count = 0;
        bool take() {
            if (count <= 0) return false;
            if (skip > 0) {
                --skip;
                return false;
            }
            --count;
            return true;
        }
    };

    std::array<Delayed, 256> refuse_{};
    std::array<int, 256> shortReply_{};
    std::size_t frameBytes_ = 0;
    Delayed shortFrames_;
    Delayed lostFrames_;
};

}  // namespace zoqsim
