#include "tools/camsim/udp_socket.h"

#include <sys/socket.h>
#include <unistd.h>

namespace netlark {

UdpSocket::UdpSocket() : m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}

UdpSocket::~UdpSocket() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool UdpSocket::enable(int option) {
    const int on = 1;
    return ::setsockopt(m_fd, SOL_SOCKET, option, &on, sizeof on) == 0;
}

bool UdpSocket::bindAny(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(port);
    return ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool UdpSocket::sendBroadcast(std::span<const std::uint8_t> datagram, std::uint16_t port) {
    const sockaddr_in to = broadcastAddress(port);
    return ::sendto(m_fd, datagram.data(), datagram.size(), 0,
                    reinterpret_cast<const sockaddr*>(&to),
                    sizeof to) == static_cast<ssize_t>(datagram.size());
}

sockaddr_in UdpSocket::broadcastAddress(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    address.sin_port = htons(port);
    return address;
}

} // namespace netlark
