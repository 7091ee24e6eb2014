#pragma once

#include "protocol/addresses.h"
#include "transport/file_descriptor.h"

#include <cstdint>
#include <functional>
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

/// Builds a request for the adapter whose MAC is `senderMac`. The bytes it
/// returns must stay valid until the next call.
using RequestBuilder = std::function<std::span<const std::uint8_t>(const MacAddress& senderMac)>;

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

    /// Sends the request out of every interface broadcastInterfaces() lists
    /// at this moment, each copy built for that interface's MAC (an interface
    /// without one gets `fallbackMac`): a plain broadcast leaves only through
    /// the interface the routing table picks, and fails without a route. With
    /// no such interface, sends one copy built for `fallbackMac` the plain way.
    /// True when at least one copy left; a failure on one interface while
    /// another succeeded is no error.
    bool sendOnEveryInterface(const RequestBuilder& buildFor, const MacAddress& fallbackMac);

private:
    bool sendThrough(unsigned interfaceIndex, std::span<const std::uint8_t> datagram);

    FileDescriptor m_socket;
};

} // namespace netlark
