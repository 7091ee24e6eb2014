#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace netlark::testing {

/// Ends the test binary with a message if it is still alive after `limit`:
/// guards steps that would otherwise hang, such as an exec() that never returns.
class Watchdog {
public:
    Watchdog(std::chrono::seconds limit, const char* what);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_disarmed;
    bool m_done = false;
    std::thread m_thread;
};

} // namespace netlark::testing
