#pragma once

#include <cstdint>
#include <netinet/in.h>
#include <span>

namespace netlark {

/// An IPv4 UDP socket, closed when destroyed. Failures leave errno set for
/// the caller's message.
class UdpSocket {
public:
    UdpSocket();
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    bool valid() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    /// Turns a SOL_SOCKET flag such as SO_REUSEADDR or SO_BROADCAST on.
    bool enable(int option);
    /// Binds to 0.0.0.0:`port`.
    bool bindAny(std::uint16_t port);
    /// Sends one datagram to 255.255.255.255:`port`.
    bool sendBroadcast(std::span<const std::uint8_t> datagram, std::uint16_t port);

    static sockaddr_in broadcastAddress(std::uint16_t port);

private:
    int m_fd = -1;
};

} // namespace netlark
