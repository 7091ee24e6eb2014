#include "transport/request_sender.h"

#include "transport/broadcast_interfaces.h"
#include "transport/ports.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>

namespace netlark {

namespace {

sockaddr_in broadcastDestination() {
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(DISCOVERY_PORT);
    destination.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    return destination;
}

} // namespace

UdpRequestSender::~UdpRequestSender() = default;

bool UdpRequestSender::open() {
    m_socket = FileDescriptor(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    return m_socket.isOpen();
}

bool UdpRequestSender::enableBroadcast() {
    const int on = 1;
    return ::setsockopt(m_socket.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0;
}

bool UdpRequestSender::sendOnEveryInterface(const RequestBuilder& buildFor,
                                            const MacAddress& fallbackMac) {
    const std::vector<BroadcastInterface> interfaces = broadcastInterfaces();
    if (interfaces.empty()) {
        return sendRouted(buildFor(fallbackMac));
    }
    bool sentOnAny = false;
    for (const BroadcastInterface& adapter : interfaces) {
        const MacAddress& senderMac = adapter.mac != MacAddress{} ? adapter.mac : fallbackMac;
        if (sendThrough(adapter.index, buildFor(senderMac))) {
            sentOnAny = true;
        }
    }
    return sentOnAny;
}

bool UdpRequestSender::sendRouted(std::span<const std::uint8_t> datagram) {
    const sockaddr_in destination = broadcastDestination();
    const auto sent = ::sendto(m_socket.get(), datagram.data(), datagram.size(), MSG_NOSIGNAL,
                               reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
    return sent >= 0;
}

// IP_PKTINFO names the interface for this one datagram: a limited broadcast
// with an outgoing interface given skips the routing table and takes that
// interface's own address as its source, and no privilege is needed.
bool UdpRequestSender::sendThrough(unsigned interfaceIndex,
                                   std::span<const std::uint8_t> datagram) {
    sockaddr_in destination = broadcastDestination();
    iovec payload{const_cast<std::uint8_t*>(datagram.data()), datagram.size()};
    union {
        cmsghdr header;
        char bytes[CMSG_SPACE(sizeof(in_pktinfo))];
    } control{};

    msghdr message{};
    message.msg_name = &destination;
    message.msg_namelen = sizeof destination;
    message.msg_iov = &payload;
    message.msg_iovlen = 1;
    message.msg_control = control.bytes;
    message.msg_controllen = sizeof control.bytes;

    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = IPPROTO_IP;
    header->cmsg_type = IP_PKTINFO;
    header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
    in_pktinfo outgoing{};
    outgoing.ipi_ifindex = static_cast<int>(interfaceIndex);
    std::memcpy(CMSG_DATA(header), &outgoing, sizeof outgoing);

    return ::sendmsg(m_socket.get(), &message, MSG_NOSIGNAL) >= 0;
}

} // namespace netlark
