#pragma once

#include "transport/file_descriptor.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace netlark::testing {

/// A plain UDP socket for the far side of a test: sends datagrams to a local
/// port, or holds a port and receives on it.
class UdpTestSocket {
public:
    UdpTestSocket();
    /// A socket bound to 0.0.0.0:<port>; fails the test when binding fails.
    static UdpTestSocket boundTo(std::uint16_t port);

    /// Sends one datagram to 127.0.0.1:<port>.
    void sendTo(std::uint16_t port, std::span<const std::uint8_t> datagram);
    /// The next datagram, or nullopt when none arrives within `timeout`.
    std::optional<std::vector<std::uint8_t>> receive(std::chrono::milliseconds timeout);

private:
    FileDescriptor m_socket;
};

/// `size` bytes counting up from `first`, so any two test datagrams differ.
std::vector<std::uint8_t> patternedBytes(std::size_t size, std::uint8_t first);

} // namespace netlark::testing
