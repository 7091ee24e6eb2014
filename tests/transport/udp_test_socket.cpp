#include "udp_test_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace netlark::testing {

namespace {

sockaddr_in ipv4Address(in_addr_t address, std::uint16_t port) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    result.sin_addr.s_addr = htonl(address);
    return result;
}

} // namespace

UdpTestSocket::UdpTestSocket() : m_socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    EXPECT_TRUE(m_socket.isOpen()) << std::strerror(errno);
}

UdpTestSocket UdpTestSocket::boundTo(std::uint16_t port) {
    UdpTestSocket result;
    const sockaddr_in address = ipv4Address(INADDR_ANY, port);
    EXPECT_EQ(
        ::bind(result.m_socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address),
        0)
        << "port " << port << ": " << std::strerror(errno);
    return result;
}

void UdpTestSocket::sendTo(std::uint16_t port, std::span<const std::uint8_t> datagram) {
    const sockaddr_in address = ipv4Address(INADDR_LOOPBACK, port);
    const auto sent = ::sendto(m_socket.get(), datagram.data(), datagram.size(), 0,
                               reinterpret_cast<const sockaddr*>(&address), sizeof address);
    EXPECT_EQ(sent, static_cast<ssize_t>(datagram.size())) << std::strerror(errno);
}

std::optional<std::vector<std::uint8_t>> UdpTestSocket::receive(std::chrono::milliseconds timeout) {
    pollfd watched{m_socket.get(), POLLIN, 0};
    if (::poll(&watched, 1, static_cast<int>(timeout.count())) != 1) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> datagram(65536);
    const auto received = ::recv(m_socket.get(), datagram.data(), datagram.size(), 0);
    if (received < 0) {
        return std::nullopt;
    }
    datagram.resize(static_cast<std::size_t>(received));
    return datagram;
}

std::vector<std::uint8_t> patternedBytes(std::size_t size, std::uint8_t first) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first + i);
    }
    return bytes;
}

} // namespace netlark::testing
