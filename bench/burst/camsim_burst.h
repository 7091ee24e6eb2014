#pragma once

#include "bench/burst/burst_case.h"

#include <atomic>
#include <optional>
#include <string>
#include <thread>

namespace netlark::bench {

/// netlark-camsim sending one burst to 255.255.255.255:1168, run and waited
/// for on a thread of its own, so that the thread that receives is never held
/// up by it.
class CamsimBurst {
public:
    explicit CamsimBurst(const BurstCase& burst);
    /// Waits for the emulator to end.
    ~CamsimBurst();
    CamsimBurst(const CamsimBurst&) = delete;
    CamsimBurst& operator=(const CamsimBurst&) = delete;

    /// True once the emulator has sent everything and ended.
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    /// Waits for the emulator to end and returns its report; nullopt when
    /// it printed none.
    std::optional<SentBurst> waitForEnd();

private:
    std::atomic<bool> m_finished{false};
    std::optional<SentBurst> m_result;
    std::thread m_thread;
};

} // namespace netlark::bench
