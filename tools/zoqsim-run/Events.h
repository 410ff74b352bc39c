// Faults that happen at a moment rather than on a transfer: cameras that are
// unplugged, or unplugged and plugged in again, some time after the program
// started.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace zoqsim {
class SimCamera;
class Testbed;
}  // namespace zoqsim

namespace zoqsimrun {

struct TimedEvent {
    std::chrono::milliseconds after;
    zoqsim::SimCamera* camera;
    bool replug;  // else unplug only
};

class EventTimer {
public:
    // Runs the events on a thread of their own, counting from now.
    EventTimer(zoqsim::Testbed& bed, std::vector<TimedEvent> events);
    // Drops the events still due.
    ~EventTimer();
    EventTimer(const EventTimer&) = delete;
    EventTimer& operator=(const EventTimer&) = delete;

private:
    void Run(std::chrono::steady_clock::time_point start);

    zoqsim::Testbed& m_bed;
    std::vector<TimedEvent> m_events;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace zoqsimrun
