// Runs under tests/lab/two-segments: two adapters on two segments, each
// segment in a namespace of its own, and no default route, where a plain
// broadcast reaches no camera at all.

#include "stamped_request.h"
#include "transport/broadcast_interfaces.h"
#include "transport/file_descriptor.h"
#include "transport/ports.h"
#include "transport/request_sender.h"
#include "udp_test_socket.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <net/if.h>
#include <optional>
#include <ostream>
#include <sched.h>
#include <string>

namespace netlark {

void PrintTo(const BroadcastInterface& adapter, std::ostream* out) {
    *out << adapter.name << " (index " << adapter.index << ", MAC " << std::hex;
    for (const auto byte : adapter.mac) {
        *out << static_cast<int>(byte) << ' ';
    }
    *out << std::dec << ')';
}

namespace {

using namespace std::chrono_literals;
using testing::StampedRequest;
using testing::UdpTestSocket;

constexpr auto ARRIVES = 5s;
constexpr auto STAYS_AWAY = 200ms;

std::string labValue(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    EXPECT_NE(value, nullptr) << name << " is not set: run under tests/lab/two-segments";
    return value != nullptr ? value : "";
}

MacAddress parseMac(const std::string& text) {
    MacAddress mac{};
    EXPECT_EQ(std::sscanf(text.c_str(), "%hhx:%hhx:%hhx:%hhx:%hhx:%hhx", &mac[0], &mac[1], &mac[2],
                          &mac[3], &mac[4], &mac[5]),
              6)
        << text;
    return mac;
}

void ip(const std::string& arguments) {
    EXPECT_EQ(std::system(("ip " + arguments).c_str()), 0) << "ip " << arguments;
}

// A socket keeps the network namespace it was made in, so the thread steps
// into the segment's namespace just to make it.
UdpTestSocket boundInNamespace(const std::string& namespaceFile, std::uint16_t port) {
    const FileDescriptor own(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC));
    const FileDescriptor segment(::open(namespaceFile.c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_EQ(::setns(segment.get(), CLONE_NEWNET), 0)
        << namespaceFile << ": " << std::strerror(errno);
    UdpTestSocket socket = UdpTestSocket::boundTo(port);
    EXPECT_EQ(::setns(own.get(), CLONE_NEWNET), 0) << std::strerror(errno);
    return socket;
}

// One segment as the sending host sees it, with a camera's socket on the
// discovery port inside it.
struct Segment {
    explicit Segment(const std::string& letter)
        : adapter(labValue("NETLARK_SEGMENT_" + letter + "_IFACE")),
          mac(parseMac(labValue("NETLARK_SEGMENT_" + letter + "_MAC"))),
          camera(
              boundInNamespace(labValue("NETLARK_SEGMENT_" + letter + "_NETNS"), DISCOVERY_PORT)) {}

    std::string adapter;
    MacAddress mac;
    UdpTestSocket camera;
};

class TwoSegmentsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_sender.open()); }
    void TearDown() override {
        ip("link set dev " + m_a.adapter + " up");
        ip("link set dev " + m_b.adapter + " up");
    }

    Segment m_a{"A"};
    Segment m_b{"B"};
    UdpRequestSender m_sender;
    StampedRequest m_request{124};
    const MacAddress m_fallbackMac{0x02, 0xFA, 0x11, 0xBA, 0xC4, 0x00};
};

TEST_F(TwoSegmentsTest, ListsEachAdapterOnceWithItsMac) {
    // More addresses on one adapter, one of them under a label ("seg-a:1"),
    // must not list it twice or under another name.
    ip("address add 10.1.1.1/24 dev " + m_a.adapter + " label " + m_a.adapter + ":1");
    ip("address add 10.1.2.1/24 dev " + m_a.adapter);

    EXPECT_THAT(
        broadcastInterfaces(),
        ::testing::ElementsAre(
            BroadcastInterface{::if_nametoindex(m_a.adapter.c_str()), m_a.adapter, m_a.mac},
            BroadcastInterface{::if_nametoindex(m_b.adapter.c_str()), m_b.adapter, m_b.mac}));

    ip("address del 10.1.1.1/24 dev " + m_a.adapter);
    ip("address del 10.1.2.1/24 dev " + m_a.adapter);
}

TEST_F(TwoSegmentsTest, RequestReachesEverySegmentBuiltForItsAdapter) {
    ASSERT_TRUE(m_sender.enableBroadcast());

    EXPECT_TRUE(m_sender.sendOnEveryInterface(m_request.builder(), m_fallbackMac));

    for (Segment* segment : {&m_a, &m_b}) {
        EXPECT_EQ(segment->camera.receive(ARRIVES), m_request.builtFor(segment->mac))
            << segment->adapter;
        EXPECT_EQ(segment->camera.receive(STAYS_AWAY), std::nullopt) << "second copy";
    }
}

TEST_F(TwoSegmentsTest, AnAdapterThatIsDownIsLeftOut) {
    ASSERT_TRUE(m_sender.enableBroadcast());
    ip("link set dev " + m_b.adapter + " down");
    // A down adapter keeps its addresses, so the listing must check its state.
    EXPECT_THAT(broadcastInterfaces(),
                ::testing::ElementsAre(::testing::Field(&BroadcastInterface::name, m_a.adapter)));

    EXPECT_TRUE(m_sender.sendOnEveryInterface(m_request.builder(), m_fallbackMac));

    EXPECT_EQ(m_a.camera.receive(ARRIVES), m_request.builtFor(m_a.mac));
    EXPECT_EQ(m_b.camera.receive(STAYS_AWAY), std::nullopt);
}

TEST_F(TwoSegmentsTest, AnAdapterLostDuringTheSendIsNoFailure) {
    ASSERT_TRUE(m_sender.enableBroadcast());
    // The first adapter goes down after the interfaces were listed, while its
    // copy is being built, so the send through it fails.
    const RequestBuilder stamp = m_request.builder();
    std::optional<MacAddress> lost;
    const RequestBuilder build = [&](const MacAddress& senderMac) {
        if (!lost) {
            lost = senderMac;
            ip("link set dev " + (senderMac == m_a.mac ? m_a.adapter : m_b.adapter) + " down");
        }
        return stamp(senderMac);
    };

    EXPECT_TRUE(m_sender.sendOnEveryInterface(build, m_fallbackMac));

    ASSERT_TRUE(lost);
    Segment& down = *lost == m_a.mac ? m_a : m_b;
    Segment& up = *lost == m_a.mac ? m_b : m_a;
    EXPECT_EQ(up.camera.receive(ARRIVES), m_request.builtFor(up.mac));
    EXPECT_EQ(down.camera.receive(STAYS_AWAY), std::nullopt);
}

TEST_F(TwoSegmentsTest, FailsWhenNoCopyLeaves) {
    // Without broadcasting enabled every interface refuses the datagram.
    EXPECT_FALSE(m_sender.sendOnEveryInterface(m_request.builder(), m_fallbackMac));

    EXPECT_EQ(m_a.camera.receive(STAYS_AWAY), std::nullopt);
    EXPECT_EQ(m_b.camera.receive(STAYS_AWAY), std::nullopt);
}

} // namespace
} // namespace netlark
