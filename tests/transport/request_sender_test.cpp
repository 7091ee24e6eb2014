#include "stamped_request.h"
#include "transport/broadcast_interfaces.h"
#include "transport/ports.h"
#include "transport/request_sender.h"
#include "udp_test_socket.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>

namespace netlark {
namespace {

using namespace std::chrono_literals;
using testing::StampedRequest;
using testing::UdpTestSocket;

constexpr MacAddress FALLBACK_MAC{0x02, 0xFA, 0x11, 0xBA, 0xC4, 0x00};

// The lab's veth pair is up with MACs but no IPv4 address, and lo is
// loopback: neither can carry a request, so the plain broadcast along the
// lab's route on lo takes it, built for the fallback MAC.
TEST(UdpRequestSender, WithoutABroadcastInterfaceSendsOnceTheRoutedWay) {
    ASSERT_EQ(broadcastInterfaces(), std::vector<BroadcastInterface>{});
    UdpTestSocket camera = UdpTestSocket::boundTo(DISCOVERY_PORT);
    UdpRequestSender sender;
    ASSERT_TRUE(sender.open());
    ASSERT_TRUE(sender.enableBroadcast());

    // A Linux-family request, then a VxWorks-family one.
    for (const std::size_t size : {124u, 50u}) {
        StampedRequest request(size);
        EXPECT_TRUE(sender.sendOnEveryInterface(request.builder(), FALLBACK_MAC));
        EXPECT_EQ(camera.receive(5s), request.builtFor(FALLBACK_MAC)) << size << " bytes";
        EXPECT_EQ(camera.receive(200ms), std::nullopt) << "second copy";
    }
}

TEST(UdpRequestSender, SendFailsWithoutBroadcastEnabled) {
    UdpTestSocket camera = UdpTestSocket::boundTo(DISCOVERY_PORT);
    UdpRequestSender sender;
    ASSERT_TRUE(sender.open());
    StampedRequest request(124);

    errno = 0;
    EXPECT_FALSE(sender.sendOnEveryInterface(request.builder(), FALLBACK_MAC));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(camera.receive(100ms), std::nullopt);
}

TEST(UdpRequestSender, FailsBeforeOpen) {
    UdpRequestSender sender;
    StampedRequest request(50);
    EXPECT_FALSE(sender.enableBroadcast());
    EXPECT_FALSE(sender.sendOnEveryInterface(request.builder(), FALLBACK_MAC));
}

} // namespace
} // namespace netlark
