#include "tools/camsim/burst_sender.h"

#include "tools/camsim/burst_announcements.h"
#include "tools/camsim/json_line.h"
#include "tools/camsim/line_output.h"
#include "tools/camsim/udp_socket.h"
#include "transport/ports.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/prctl.h>
#include <sys/socket.h>

namespace netlark {

namespace {

/// Datagrams handed to one sendmmsg call.
constexpr std::size_t BATCH = 64;
/// A paced burst wakes this often, sending what has fallen due since: short
/// enough that a receiver sees no clumps, long enough to cost little CPU.
constexpr std::int64_t WAKE_INTERVAL_NS = 100'000;
constexpr std::int64_t NS_PER_SECOND = 1'000'000'000;
/// How often a long wait between slow datagrams looks for a stop signal.
constexpr std::int64_t STOP_CHECK_NS = 10'000'000;

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * NS_PER_SECOND + now.tv_nsec;
}

void sleepUntilNs(std::int64_t deadline) {
    const timespec at{static_cast<time_t>(deadline / NS_PER_SECOND),
                      static_cast<long>(deadline % NS_PER_SECOND)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

/// Sleeps until `deadline`, looking for a stop signal every 10 ms so that a
/// slow burst still ends promptly; false when one came.
bool sleepUntilUnlessStopped(std::int64_t deadline, const StopSignal& stop) {
    while (deadline - monotonicNs() > STOP_CHECK_NS) {
        sleepUntilNs(monotonicNs() + STOP_CHECK_NS);
        if (stop.pending()) {
            return false;
        }
    }
    sleepUntilNs(deadline);
    return true;
}

std::string_view familyText(BurstFamily family) {
    switch (family) {
    case BurstFamily::Linux:
        return "linux";
    case BurstFamily::VxWorks:
        return "vxworks";
    case BurstFamily::Mixed:
        break;
    }
    return "mixed";
}

/// Sends announcements [from, to) with as few sendmmsg calls as the system
/// allows. A full buffer (ENOBUFS, EAGAIN) is waited out and counted; any
/// other error ends the burst. Returns how many were sent.
class BatchSender {
public:
    explicit BatchSender(UdpSocket& socket)
        : m_socket(socket), m_to(UdpSocket::broadcastAddress(REPLY_PORT)) {}

    std::size_t send(const std::vector<Answer>& announcements, std::size_t from, std::size_t to) {
        std::size_t next = from;
        while (next < to) {
            const std::size_t count = std::min(BATCH, to - next);
            for (std::size_t i = 0; i < count; ++i) {
                const auto bytes = answerBytes(announcements[next + i]);
                m_iov[i] = {const_cast<std::uint8_t*>(bytes.data()), bytes.size()};
                m_messages[i] = {};
                m_messages[i].msg_hdr.msg_name = &m_to;
                m_messages[i].msg_hdr.msg_namelen = sizeof m_to;
                m_messages[i].msg_hdr.msg_iov = &m_iov[i];
                m_messages[i].msg_hdr.msg_iovlen = 1;
            }
            const int sent =
                ::sendmmsg(m_socket.fd(), m_messages.data(), static_cast<unsigned>(count), 0);
            if (sent >= 0) {
                next += static_cast<std::size_t>(sent);
            } else if (errno == ENOBUFS || errno == EAGAIN) {
                ++m_retries;
                sleepUntilNs(monotonicNs() + 50'000);
            } else if (errno != EINTR) {
                m_error = errno;
                break;
            }
        }
        return next - from;
    }

    std::uint64_t retries() const { return m_retries; }
    int error() const { return m_error; }

private:
    UdpSocket& m_socket;
    sockaddr_in m_to;
    std::array<iovec, BATCH> m_iov{};
    std::array<mmsghdr, BATCH> m_messages{};
    std::uint64_t m_retries = 0;
    int m_error = 0;
};

struct BurstResult {
    std::size_t sent = 0;
    double elapsedSeconds = 0;
    bool stopped = false;
};

/// Sends the announcements in order. A paced burst sends announcement i at
/// start + i / rate, waking every 0.1 ms for what has fallen due; a late
/// wake-up catches up at once, so the average rate holds even when single
/// sleeps overshoot.
BurstResult sendAll(const std::vector<Answer>& announcements, std::optional<std::uint32_t> rate,
                    BatchSender& sender, const StopSignal& stop) {
    const std::size_t perWake =
        rate ? std::max<std::size_t>(
                   1, static_cast<std::size_t>(*rate * WAKE_INTERVAL_NS / NS_PER_SECOND))
             : BATCH;
    BurstResult result;
    const std::int64_t start = monotonicNs();
    while (result.sent < announcements.size() && sender.error() == 0) {
        const std::size_t end = std::min(announcements.size(), result.sent + perWake);
        const std::int64_t due =
            start + static_cast<std::int64_t>(end - 1) * NS_PER_SECOND / rate.value_or(1);
        if (stop.pending() || (rate && !sleepUntilUnlessStopped(due, stop))) {
            result.stopped = true;
            break;
        }
        result.sent += sender.send(announcements, result.sent, end);
    }
    result.elapsedSeconds = static_cast<double>(monotonicNs() - start) / NS_PER_SECOND;
    return result;
}

/// Datagrams per second as the gaps between them show it: the first goes out
/// at the start, so n datagrams span n - 1 intervals.
double reachedRate(const BurstResult& result) {
    if (result.sent < 2 || result.elapsedSeconds <= 0) {
        return 0;
    }
    return static_cast<double>(result.sent - 1) / result.elapsedSeconds;
}

void printSummary(const BurstOptions& options, const BurstResult& result, std::uint64_t retries) {
    JsonLine line;
    line.addText("event", "burst")
        .addText("family", familyText(options.family))
        .addInteger("requested", options.count)
        .addInteger("sent", static_cast<std::int64_t>(result.sent))
        .addReal("elapsed_s", result.elapsedSeconds, 6)
        .addReal("rate", reachedRate(result), 1);
    if (options.rate) {
        line.addInteger("target_rate", *options.rate);
    } else {
        line.addText("target_rate", "max");
    }
    line.addInteger("retries", static_cast<std::int64_t>(retries));
    if (result.stopped) {
        line.addText("stopped_by", "signal");
    }
    printLine(line.text());
}

} // namespace

int sendBurst(const BurstOptions& options, const KeySource& nextKey, const StopSignal& stop) {
    const std::vector<Answer> announcements =
        burstAnnouncements(options.count, options.family, nextKey);
    UdpSocket socket;
    if (!socket.valid() || !socket.enable(SO_BROADCAST)) {
        std::fprintf(stderr, "netlark-camsim: cannot open a broadcast socket: %s\n",
                     std::strerror(errno));
        return 1;
    }
    if (options.rate) {
        // The default timer slack (50 us) would make every wake-up late by half an interval.
        prctl(PR_SET_TIMERSLACK, 1UL);
    }
    BatchSender sender(socket);
    const BurstResult result = sendAll(announcements, options.rate, sender, stop);
    printSummary(options, result, sender.retries());
    if (sender.error() != 0) {
        std::fprintf(stderr, "netlark-camsim: sendmmsg: %s\n", std::strerror(sender.error()));
        return 1;
    }
    return 0;
}

} // namespace netlark
