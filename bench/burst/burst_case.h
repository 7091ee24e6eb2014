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
};

/// What one receiving path made of one burst.
struct Listing {
    int listed = 0;
    /// From the first datagram handled to the last one; zero when fewer than two.
    std::chrono::nanoseconds firstToLast{0};
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
};

/// CPU time this process has used so far, all threads together.
inline std::chrono::nanoseconds processCpuTime() {
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

/// Notes the first and last moment something was handled, and how often.
class HandledTimes {
public:
    void note(int count = 1) {
        const Clock::time_point now = Clock::now();
        if (m_count == 0) {
            m_first = now;
        }
        m_count += count;
        m_last = now;
    }
    int count() const { return m_count; }
    Clock::time_point last() const { return m_last; }
    std::chrono::nanoseconds firstToLast() const { return m_last - m_first; }

private:
    int m_count = 0;
    Clock::time_point m_first{};
    Clock::time_point m_last{};
};

} // namespace netlark::bench
