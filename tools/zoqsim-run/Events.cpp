#include "Events.h"

#include <algorithm>

#include "zoqsim.h"

namespace zoqsimrun {

EventTimer::EventTimer(zoqsim::Testbed& bed, std::vector<TimedEvent> events)
    : m_bed(bed), m_events(std::move(events)) {
    std::stable_sort(m_events.begin(), m_events.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.after < b.after; });
    if (!m_events.empty())
        m_thread = std::thread(&EventTimer::Run, this, std::chrono::steady_clock::now());
}

EventTimer::~EventTimer() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void EventTimer::Run(std::chrono::steady_clock::time_point start) {
    for (const TimedEvent& event : m_events) {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_wake.wait_until(lock, start + event.after, [this] { return m_stop; })) return;
        lock.unlock();
        if (event.replug)
            m_bed.replug(*event.camera);
        else
            m_bed.unplug(*event.camera);
    }
}

}  // namespace zoqsimrun
