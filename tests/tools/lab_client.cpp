#include "lab_client.h"

#include "transport/ports.h"

#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace netlark {

namespace {

sockaddr_in addressOf(std::uint32_t host, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(host);
    address.sin_port = htons(port);
    return address;
}

void enable(int fd, int option) {
    const int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, option, &on, sizeof on) != 0) {
        throw std::runtime_error("setsockopt failed");
    }
}

} // namespace

LabClient::LabClient()
    : m_sendFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)),
      m_receiveFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    if (m_sendFd < 0 || m_receiveFd < 0) {
        throw std::runtime_error("socket failed");
    }
    enable(m_sendFd, SO_BROADCAST);
    enable(m_receiveFd, SO_REUSEADDR);
    // Room for a whole test burst, so a test that is descheduled under load
    // still finds every announcement queued (the kernel caps the request).
    const int bufferBytes = 4 * 1024 * 1024;
    ::setsockopt(m_receiveFd, SOL_SOCKET, SO_RCVBUF, &bufferBytes, sizeof bufferBytes);
    const sockaddr_in local = addressOf(INADDR_ANY, REPLY_PORT);
    if (::bind(m_receiveFd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        throw std::runtime_error("bind to the reply port failed");
    }
}

LabClient::~LabClient() {
    ::close(m_sendFd);
    ::close(m_receiveFd);
}

bool LabClient::send(std::span<const std::uint8_t> datagram) {
    const sockaddr_in to = addressOf(INADDR_BROADCAST, DISCOVERY_PORT);
    return ::sendto(m_sendFd, datagram.data(), datagram.size(), 0,
                    reinterpret_cast<const sockaddr*>(&to),
                    sizeof to) == static_cast<ssize_t>(datagram.size());
}

std::optional<std::vector<std::uint8_t>> LabClient::receive(std::chrono::milliseconds timeout) {
    pollfd readable{m_receiveFd, POLLIN, 0};
    if (::poll(&readable, 1, static_cast<int>(timeout.count())) != 1) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> datagram(65536);
    const ssize_t got = ::recv(m_receiveFd, datagram.data(), datagram.size(), 0);
    if (got < 0) {
        return std::nullopt;
    }
    datagram.resize(static_cast<std::size_t>(got));
    return datagram;
}

} // namespace netlark
