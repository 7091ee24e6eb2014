#include "bench/burst/bare_loop.h"

#include "bench/burst/camsim_burst.h"
#include "bench/burst/receive_buffer.h"
#include "transport/file_descriptor.h"
#include "transport/ports.h"
#include "transport/receive_event.h"

#include <arpa/inet.h>
#include <array>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>

namespace netlark::bench {

namespace {

constexpr unsigned BATCH = 64;
/// Once the emulator has ended, a queue that stays empty this long is done
/// with: the last datagrams may still be on their way through the loopback.
constexpr int SETTLE_MS = 20;

FileDescriptor boundReplySocket(BufferLimit limit) {
    FileDescriptor socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const int bytes = socketBufferRequest(limit);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(REPLY_PORT);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!socket.isOpen() ||
        ::setsockopt(socket.get(), SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) != 0 ||
        ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot open the reply socket");
    }
    return socket;
}

} // namespace

Listing receiveWithBareLoop(const BurstCase& burst) {
    const FileDescriptor socket = boundReplySocket(burst.buffer);
    Listing listing;
    listing.effectiveBuffer = effectiveReceiveBuffer(REPLY_PORT);
    std::array<std::array<std::uint8_t, RECEIVE_BUFFER_SIZE>, BATCH> buffers{};
    std::array<iovec, BATCH> slices{};
    std::array<mmsghdr, BATCH> messages{};
    for (unsigned i = 0; i < BATCH; ++i) {
        slices[i] = {buffers[i].data(), buffers[i].size()};
        messages[i].msg_hdr.msg_iov = &slices[i];
        messages[i].msg_hdr.msg_iovlen = 1;
    }

    const std::uint64_t dropsBefore = udpReceiveBufferErrors();
    HandledTimes handled;
    const std::chrono::nanoseconds cpuBefore = processCpuTime();
    {
        CamsimBurst camsim(burst);
        while (true) {
            const bool finished = camsim.finished();
            const int received =
                ::recvmmsg(socket.get(), messages.data(), BATCH, MSG_DONTWAIT | MSG_TRUNC, nullptr);
            if (received > 0) {
                handled.note(received);
                continue;
            }
            pollfd readable{socket.get(), POLLIN, 0};
            if (::poll(&readable, 1, finished ? SETTLE_MS : 10) == 0 && finished) {
                break;
            }
        }
        listing.sent = camsim.waitForEnd();
    }
    listing.listed = handled.count();
    listing.lastHandled = handled.last();
    listing.socketDrops = udpReceiveBufferErrors() - dropsBefore;
    listing.cpu = processCpuTime() - cpuBefore;
    return listing;
}

} // namespace netlark::bench
