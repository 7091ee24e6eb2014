#pragma once

#include "transport/file_descriptor.h"

#include <cstdint>
#include <span>

namespace netlark {

/// The one socket every request leaves through, broadcast to
/// 255.255.255.255:7890. An interface, so the window can be tested with
/// failures the system rarely gives.
class RequestSender {
public:
    virtual ~RequestSender() = default;

    /// Creates the UDP socket; false when the system refuses.
    virtual bool open() = 0;
    /// Turns broadcasting on; false when the system refuses.
    virtual bool enableBroadcast() = 0;
    /// Sends one datagram; false when the system reports an error.
    virtual bool send(std::span<const std::uint8_t> datagram) = 0;
};

/// The real sender: a POSIX UDP socket, closed when destroyed.
class UdpRequestSender final : public RequestSender {
public:
    UdpRequestSender() = default;
    ~UdpRequestSender() override;
    UdpRequestSender(const UdpRequestSender&) = delete;
    UdpRequestSender& operator=(const UdpRequestSender&) = delete;

    bool open() override;
    bool enableBroadcast() override;
    bool send(std::span<const std::uint8_t> datagram) override;

private:
    FileDescriptor m_socket;
};

} // namespace netlark
