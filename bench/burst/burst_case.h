#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace netlark::bench {

using Clock = std::chrono::steady_clock;

/// How big the reply socket's receive queue is allowed to be.
enum class BufferLimit {
    Asked,   // what the program asks for (4 MiB); the system may grant more or less
    Desktop, // held to 212,992 bytes, the most a stock desktop grants by default
};

/// One burst: `count` announcements of both families from the emulator at
/// `rate` datagrams per second (nullopt: as fast as it can send).
struct BurstCase {
    std::uint32_t count = 0;
    std::optional<std::uint32_t> rate;
    BufferLimit buffer = BufferLimit::Asked;
};

/// What the emulator said about the burst it sent.
struct SentBurst {
    std::uint32_t sent = 0;
    double rate = 0; // datagrams per second it reached
    /// When its first datagram went out: its report arrived right after the
    /// last one did, and says how long sending took.
    Clock::time_point firstSent{};
};

/// What one receiving path made of one burst.
struct Listing {
    int listed = 0;
    /// When the last datagram was handled (its row listed); unset when none was.
    std::optional<Clock::time_point> lastHandled;
    /// Datagrams the socket dropped for want of room (the namespace's
    /// RcvbufErrors counter over the burst).
    std::uint64_t socketDrops = 0;
    /// CPU time the whole process used over the burst: the receiving
    /// thread(s) and the consumer; less disturbed by a busy machine than the
    /// wall clock.
    std::chrono::nanoseconds cpu{0};
    /// SO_RCVBUF of the receiving socket as the kernel reports it.
    std::optional<int> effectiveBuffer;
    std::optional<SentBurst> sent;

    /// From the emulator's first datagram to the last one handled: the time
    /// the burst took to be listed.
    std::optional<std::chrono::nanoseconds> timeToList() const {
        if (!sent || !lastHandled) {
            return std::nullopt;
        }
        return *lastHandled - sent->firstSent;
    }
};

/// Once the emulator has ended, no new row for this long means the burst is over.
inline constexpr auto QUIET_AFTER_BURST = std::chrono::milliseconds(200);

/// CPU time this process has used so far, all threads together.
inline std::chrono::nanoseconds processCpuTime() {
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

/// Notes how many datagrams were handled, and when the last one was.
class HandledTimes {
public:
    void note(int count = 1) {
        m_count += count;
        m_last = Clock::now();
    }
    int count() const { return m_count; }
    std::optional<Clock::time_point> last() const {
        return m_count > 0 ? std::optional(m_last) : std::nullopt;
    }

private:
    int m_count = 0;
    Clock::time_point m_last{};
};

} // namespace netlark::bench
