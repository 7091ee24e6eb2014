#include "transport/receiver.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace netlark {

namespace {

// Datagrams taken from the socket in one system call, at most.
constexpr std::size_t MAX_BATCH = 32;

// The socket was received with MSG_TRUNC, so `length` is the datagram's real
// length even when only the first 124 bytes fitted into the slot.
void describeDatagram(ReceiveEvent& event, std::size_t length) {
    if (length > RECEIVE_BUFFER_SIZE) {
        event.kind = ReceiveEvent::Kind::ReceiveError;
        event.result = -1;
        event.error = EMSGSIZE;
        return;
    }
    const int byteCount = static_cast<int>(length);
    event.kind = byteCount < MIN_DATAGRAM_SIZE ? ReceiveEvent::Kind::ReceiveError
                                               : ReceiveEvent::Kind::Datagram;
    event.result = byteCount;
    event.error = 0;
}

// Replies should be taken off the socket quickly on a busy desktop. Raising a
// thread's priority needs a privilege most users lack, so a refusal is fine.
void raiseThreadPriority() {
    const auto self = static_cast<id_t>(::gettid());
    errno = 0;
    const int niceValue = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0) {
        ::setpriority(PRIO_PROCESS, self, niceValue - 2);
    }
}

} // namespace

Receiver::Receiver(ReceiverOptions options) : m_options(options), m_ring(options.ringCapacity) {}

Receiver::~Receiver() {
    stop();
}

void Receiver::bindSocket() {
    if (m_bindAttempted) {
        return;
    }
    m_bindAttempted = true;

    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_setupFailure = SetupFailure{ReceiveEvent::Kind::SocketFailed, errno};
        return;
    }
    m_socket = FileDescriptor(fd);
    if (m_options.socketBufferBytes > 0) {
        // The system caps the size; what it grants is good enough.
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &m_options.socketBufferBytes,
                     sizeof m_options.socketBufferBytes);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_options.port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        m_setupFailure = SetupFailure{ReceiveEvent::Kind::BindFailed, errno};
    }
}

void Receiver::start(std::function<void()> wake) {
    if (m_started) {
        return;
    }
    m_started = true;
    m_wake = std::move(wake);
    bindSocket();
    if (!m_setupFailure) {
        const int fd = ::eventfd(0, EFD_CLOEXEC);
        if (fd < 0) {
            m_setupFailure = SetupFailure{ReceiveEvent::Kind::SocketFailed, errno};
        }
        m_stopSignal = FileDescriptor(fd);
    }
    if (m_setupFailure) {
        reportSetupFailure(*m_setupFailure);
        return;
    }
    m_thread = std::thread([this] { receiveLoop(); });
}

const ReceiveEvent* Receiver::front() {
    return m_ring.front();
}

void Receiver::pop() {
    m_ring.pop();
}

void Receiver::stop() {
    m_ring.cancel();
    if (m_stopSignal.isOpen()) {
        ::eventfd_write(m_stopSignal.get(), 1);
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void Receiver::reportSetupFailure(SetupFailure failure) {
    ReceiveEvent& event = m_ring.freeSlot(0);
    event.kind = failure.kind;
    event.result = -1;
    event.error = failure.error;
    if (m_ring.publish(1) && m_wake) {
        m_wake();
    }
}

void Receiver::receiveLoop() {
    raiseThreadPriority();
    // While the window has not freed a slot the socket is left alone: datagrams
    // wait in its queue instead of overwriting one the window may be reading.
    while (const std::size_t freeSlots = m_ring.waitForFreeSlots()) {
        if (!waitUntilReadable()) {
            return;
        }
        if (m_ring.publish(receiveBatch(freeSlots)) && m_wake) {
            m_wake();
        }
    }
}

bool Receiver::waitUntilReadable() {
    std::array<pollfd, 2> watched{{{m_socket.get(), POLLIN, 0}, {m_stopSignal.get(), POLLIN, 0}}};
    while (::poll(watched.data(), watched.size(), -1) < 0) {
        // Interrupted by a signal (or briefly short of memory): wait again.
    }
    return (watched[1].revents & POLLIN) == 0;
}

std::size_t Receiver::receiveBatch(std::size_t freeSlots) {
    const std::size_t batch = std::min(freeSlots, MAX_BATCH);
    std::array<iovec, MAX_BATCH> buffers{};
    std::array<mmsghdr, MAX_BATCH> messages{};
    for (std::size_t i = 0; i < batch; ++i) {
        ReceiveEvent& slot = m_ring.freeSlot(i);
        buffers[i] = {slot.buffer.data(), slot.buffer.size()};
        messages[i].msg_hdr.msg_iov = &buffers[i];
        messages[i].msg_hdr.msg_iovlen = 1;
    }

    const int received = ::recvmmsg(m_socket.get(), messages.data(), static_cast<unsigned>(batch),
                                    MSG_DONTWAIT | MSG_TRUNC, nullptr);
    if (received < 0) {
        if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        }
        ReceiveEvent& event = m_ring.freeSlot(0);
        event.kind = ReceiveEvent::Kind::ReceiveError;
        event.result = -1;
        event.error = errno;
        return 1;
    }
    for (int i = 0; i < received; ++i) {
        describeDatagram(m_ring.freeSlot(static_cast<std::size_t>(i)), messages[i].msg_len);
    }
    return static_cast<std::size_t>(received);
}

} // namespace netlark
