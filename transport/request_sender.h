#pragma once

#include "protocol/addresses.h"
#include "transport/file_descriptor.h"

#include <cstdint>
#include <functional>
#include <span>

namespace netlark {

/// Builds a request for the adapter whose MAC is `senderMac`. The bytes it
/// returns must stay valid until the next call.
using RequestBuilder = std::function<std::span<const std::uint8_t>(const MacAddress& senderMac)>;

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
    /// Sends the request out of every adapter that is up, broadcast-capable,
    /// not loopback and has an IPv4 address, each copy built for that
    /// adapter's MAC (`fallbackMac` for an adapter without one). With no such
    /// adapter, sends one copy built for `fallbackMac` wherever the routing
    /// table sends a broadcast. False only when no copy left at all: a
    /// failure on one adapter while another succeeded is no error.
    virtual bool sendOnEveryInterface(const RequestBuilder& buildFor,
                                      const MacAddress& fallbackMac) = 0;
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
    /// A plain broadcast leaves only through the interface the routing table
    /// picks, and fails without a route, so each copy names its interface.
    /// The interfaces are listed afresh for every request.
    bool sendOnEveryInterface(const RequestBuilder& buildFor,
                              const MacAddress& fallbackMac) override;

private:
    bool sendRouted(std::span<const std::uint8_t> datagram);
    bool sendThrough(unsigned interfaceIndex, std::span<const std::uint8_t> datagram);

    FileDescriptor m_socket;
};

} // namespace netlark
