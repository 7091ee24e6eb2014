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
using testing::patternedBytes;
using testing::StampedRequest;
using testing::UdpTestSocket;

TEST(UdpRequestSender, BroadcastsReachTheDiscoveryPort) {
    UdpTestSocket camera = UdpTestSocket::boundTo(DISCOVERY_PORT);
    UdpRequestSender sender;
    ASSERT_TRUE(sender.open());
    ASSERT_TRUE(sender.enableBroadcast());

    // A Linux-family request, then a VxWorks-family one.
    for (const auto& request : {patternedBytes(124, 0x07), patternedBytes(50, 0x31)}) {
        ASSERT_TRUE(sender.send(request));
        EXPECT_EQ(camera.receive(5s), request);
    }
}

TEST(UdpRequestSender, SendFailsWithoutBroadcastEnabled) {
    UdpTestSocket camera = UdpTestSocket::boundTo(DISCOVERY_PORT);
    UdpRequestSender sender;
    ASSERT_TRUE(sender.open());

    errno = 0;
    EXPECT_FALSE(sender.send(patternedBytes(124, 0)));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(camera.receive(100ms), std::nullopt);
}

// The lab's veth pair is up with MACs but no IPv4 address, and lo is
// loopback: neither can carry a request, so the plain broadcast along the
// lab's route on lo takes it, built for the fallback MAC.
TEST(UdpRequestSender, WithoutABroadcastInterfaceSendsOnceWithTheFallbackMac) {
    ASSERT_EQ(broadcastInterfaces(), std::vector<BroadcastInterface>{});
    UdpTestSocket camera = UdpTestSocket::boundTo(DISCOVERY_PORT);
    UdpRequestSender sender;
    ASSERT_TRUE(sender.open());
    ASSERT_TRUE(sender.enableBroadcast());
    StampedRequest request(124);
    const MacAddress fallbackMac{0x02, 0xFA, 0x11, 0xBA, 0xC4, 0x00};

    EXPECT_TRUE(sender.sendOnEveryInterface(request.builder(), fallbackMac));

    EXPECT_EQ(camera.receive(5s), request.builtFor(fallbackMac));
    EXPECT_EQ(camera.receive(200ms), std::nullopt);
}

TEST(UdpRequestSender, FailsBeforeOpen) {
    UdpRequestSender sender;
    EXPECT_FALSE(sender.enableBroadcast());
    EXPECT_FALSE(sender.send(patternedBytes(50, 0)));
}

} // namespace
} // namespace netlark
