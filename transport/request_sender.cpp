#include "transport/request_sender.h"

#include "transport/ports.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace netlark {

UdpRequestSender::~UdpRequestSender() = default;

bool UdpRequestSender::open() {
    m_socket = FileDescriptor(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    return m_socket.isOpen();
}

bool UdpRequestSender::enableBroadcast() {
    const int on = 1;
    return ::setsockopt(m_socket.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0;
}

bool UdpRequestSender::send(std::span<const std::uint8_t> datagram) {
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(DISCOVERY_PORT);
    destination.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    const auto sent = ::sendto(m_socket.get(), datagram.data(), datagram.size(), MSG_NOSIGNAL,
                               reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
    return sent >= 0;
}

} // namespace netlark
