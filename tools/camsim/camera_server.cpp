#include "tools/camsim/camera_server.h"

#include "tools/camsim/json_line.h"
#include "tools/camsim/line_output.h"
#include "tools/camsim/udp_socket.h"
#include "transport/ports.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>

namespace netlark {

namespace {

using Clock = std::chrono::steady_clock;

/// Room for the largest UDP datagram, so every datagram is seen at its real length.
constexpr std::size_t RECEIVE_BUFFER_SIZE = 65536;

void reportError(const char* what) {
    std::fprintf(stderr, "netlark-camsim: %s: %s\n", what, std::strerror(errno));
}

/// Milliseconds to wait for poll(): -1 without a deadline, else rounded up so
/// the loop does not wake just before it.
int pollTimeout(const std::optional<Clock::time_point>& deadline) {
    if (!deadline) {
        return -1;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

void answerOne(CameraFleet& fleet, UdpSocket& socket, std::span<std::uint8_t> buffer) {
    const ssize_t length = ::recv(socket.fd(), buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (length < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            reportError("recv");
        }
        return;
    }
    const RequestOutcome outcome = fleet.handle(buffer.first(static_cast<std::size_t>(length)));
    // The line goes out first: whoever gets an answer finds its request logged.
    printLine(outcome.logLine);
    for (const Answer& answer : outcome.answers) {
        if (!socket.sendBroadcast(answerBytes(answer), REPLY_PORT)) {
            reportError("sendto");
        }
    }
}

} // namespace

int serveCameras(CameraFleet& fleet, const StopSignal& stop,
                 std::optional<double> durationSeconds) {
    UdpSocket socket;
    if (!socket.valid() || !socket.enable(SO_REUSEADDR) || !socket.enable(SO_BROADCAST) ||
        !socket.bindAny(DISCOVERY_PORT)) {
        std::fprintf(stderr, "netlark-camsim: cannot open UDP port %u: %s\n", DISCOVERY_PORT,
                     std::strerror(errno));
        return 1;
    }
    std::optional<Clock::time_point> deadline;
    if (durationSeconds) {
        deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(*durationSeconds));
    }
    printLine(JsonLine()
                  .addText("event", "ready")
                  .addInteger("port", DISCOVERY_PORT)
                  .addInteger("cameras", static_cast<std::int64_t>(fleet.cameras().size()))
                  .text());

    std::vector<std::uint8_t> buffer(RECEIVE_BUFFER_SIZE);
    std::string_view reason = "duration";
    while (!deadline || Clock::now() < *deadline) {
        std::array<pollfd, 2> waiting{{{stop.fd(), POLLIN, 0}, {socket.fd(), POLLIN, 0}}};
        if (::poll(waiting.data(), waiting.size(), pollTimeout(deadline)) < 0) {
            if (errno == EINTR) {
                continue;
            }
            reportError("poll");
            return 1;
        }
        if (waiting[0].revents != 0) {
            reason = "signal";
            break;
        }
        if (waiting[1].revents != 0) {
            answerOne(fleet, socket, buffer);
        }
    }
    printLine(JsonLine().addText("event", "stopped").addText("reason", reason).text());
    return 0;
}

} // namespace netlark
