// A bulk link of limited speed, as a real USB 2.0 link is (a high-speed bulk
// endpoint carries some 35-45 MB/s): one transfer at a time, each taking its
// bytes at the link's rate. Unlimited by default.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>

namespace zoqsim {

class LinkPacing {
public:
    using Clock = std::chrono::steady_clock;

    // Bytes per second; 0 (or less) for an unlimited link.
    void setBandwidth(double bytesPerSecond) { m_bytesPerSecond = std::max(0.0, bytesPerSecond); }
    double bandwidth() const { return m_bytesPerSecond; }

    // When a transfer of `bytes` that could start at `start` (its data ready
    // and the host asking) has crossed: after the link's earlier transfers,
    // at the link's rate. On an unlimited link, `start` itself.
    Clock::time_point schedule(std::size_t bytes, Clock::time_point start) {
        if (m_bytesPerSecond <= 0.0) return start;
        const Clock::time_point begin = std::max(start, m_free);
        m_free = begin + std::chrono::duration_cast<Clock::duration>(
                             std::chrono::duration<double>(double(bytes) / m_bytesPerSecond));
        return m_free;
    }

private:
    double m_bytesPerSecond = 0.0;
    Clock::time_point m_free{};
};

}  // namespace zoqsim
