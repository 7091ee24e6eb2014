#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"
#include "support/allocation_counter.h"

#include <gtest/gtest.h>
#include <new>

namespace netlark {
namespace {

// Datagrams are built and decoded in fixed-size buffers: a burst of thousands
// of announcements must not touch the heap once per datagram.
TEST(ProtocolAllocations, BuildingAndDecodingAllocateNothing) {
    LinuxAnnouncement linuxAnnouncement;
    linuxAnnouncement.serial = decltype(linuxAnnouncement.serial)::from("LX1");
    VxWorksAnnouncement vxworks;
    vxworks.serial = decltype(vxworks.serial)::from("VX1");
    ChangeRequestFields change;
    change.adminId = "admin";
    change.adminPassword = "secret";
    const LinuxDatagram linuxWire = encodeLinuxAnnouncement(linuxAnnouncement, 1234);
    const VxWorksReply vxworksWire = encodeVxWorksAnnouncement(vxworks);

    testing::AllocationCounter counter;
    const LinuxReply linuxReply = decodeLinuxReply(linuxWire);
    const VxWorksReplyContent vxworksReply = decodeVxWorksReply(vxworksWire);
    const LinuxDatagram discovery = buildLinuxDiscovery(MacAddress{});
    const LinuxDatagram linuxChange = buildLinuxChange(change, MacAddress{});
    const VxWorksRequest vxDiscovery = buildVxWorksDiscovery();
    const VxWorksRequest vxChange = buildVxWorksChange(change);
    EXPECT_EQ(counter.count(), 0u);

    EXPECT_TRUE(std::holds_alternative<LinuxAnnouncement>(linuxReply));
    EXPECT_TRUE(std::holds_alternative<VxWorksAnnouncement>(vxworksReply));
    EXPECT_NE(discovery, linuxChange);
    EXPECT_NE(vxDiscovery, vxChange);
}

TEST(ProtocolAllocations, CounterSeesAnAllocation) {
    testing::AllocationCounter counter;
    auto* p = new int(5);
    auto* q = new (std::nothrow) int(6);
    EXPECT_EQ(counter.count(), 2u);
    delete p;
    delete q;
}

} // namespace
} // namespace netlark
