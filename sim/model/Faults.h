// Faults of the camera itself, armed by tests: refused or status-only
// replies to a request, and truncated frames.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zoqsim {

class Faults {
public:
    void refuse(uint8_t bRequest, int n) { refuse_[bRequest] = n > 0 ? n : 0; }
    void shortReply(uint8_t bRequest, int n) { shortReply_[bRequest] = n > 0 ? n : 0; }
    void shortFrames(std::size_t bytes, int n) {
        frameBytes_ = bytes;
        frames_ = n > 0 ? n : 0;
    }

    // Each take consumes one armed fault, if there is one.
    bool takeRefusal(uint8_t bRequest) { return take(refuse_[bRequest]); }
    bool takeShortReply(uint8_t bRequest) { return take(shortReply_[bRequest]); }
    std::optional<std::size_t> takeFrameLimit() {
        if (!take(frames_)) return std::nullopt;
        return frameBytes_;
    }

private:
    static bool take(int& count) {
        if (count <= 0) return false;
        --count;
        return true;
    }

    std::array<int, 256> refuse_{};
    std::array<int, 256> shortReply_{};
    std::size_t frameBytes_ = 0;
    int frames_ = 0;
};

}  // namespace zoqsim
