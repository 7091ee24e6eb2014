#include "cameras/change_request.h"
#include "cameras/received_datagram.h"
#include "sample_cameras.h"
#include "support/allocation_counter.h"

#include <gtest/gtest.h>

namespace netlark {
namespace {

// A burst of thousands of announcements goes through these once per datagram:
// none of them may touch the heap.
TEST(CamerasAllocations, RowsActionsAndRequestsAllocateNothing) {
    const LinuxAnnouncement linuxAnnouncement = samples::linuxAnnouncement();
    const VxWorksAnnouncement vxworksAnnouncement = samples::vxworksAnnouncement();
    const LinuxDatagram linuxWire = encodeLinuxAnnouncement(linuxAnnouncement, 77);
    const LinuxDatagram linuxResult = encodeLinuxResult(OP_SET_DONE, 77);
    const VxWorksReply vxworksWire = encodeVxWorksAnnouncement(vxworksAnnouncement);
    const VxWorksReply vxworksResult = encodeVxWorksResult(OP_AUTH_FAIL);
    ConfigFormValues form;
    form.adminId = "admin";
    form.adminPassword = "secret";
    form.ip.filled = form.gateway.filled = form.subnetMask.filled = form.dns.filled = 4;

    testing::AllocationCounter counter;
    const CameraRow linuxRow = rowFromAnnouncement(linuxAnnouncement);
    const CameraRow vxworksRow = rowFromAnnouncement(vxworksAnnouncement);
    const DatagramAction linuxListed = actionForDatagram(linuxWire);
    const DatagramAction linuxReported = actionForDatagram(linuxResult);
    const DatagramAction vxworksListed = actionForDatagram(vxworksWire);
    const DatagramAction vxworksReported = actionForDatagram(vxworksResult);
    const std::optional<ChangeRefused> linuxRefusal = changeRefusal(&linuxRow, form);
    const std::optional<ChangeRefused> vxworksRefusal = changeRefusal(&vxworksRow, form);
    const ChangeRequest linuxRequest = buildChangeRequest(linuxRow, form, MacAddress{});
    const ChangeRequest vxworksRequest = buildChangeRequest(vxworksRow, form, MacAddress{});
    EXPECT_EQ(counter.count(), 0u);

    EXPECT_TRUE(std::holds_alternative<ListCamera>(linuxListed));
    EXPECT_TRUE(std::holds_alternative<ReportReply>(linuxReported));
    EXPECT_TRUE(std::holds_alternative<ListCamera>(vxworksListed));
    EXPECT_TRUE(std::holds_alternative<ReportReply>(vxworksReported));
    EXPECT_EQ(linuxRefusal, std::nullopt);
    EXPECT_EQ(vxworksRefusal, std::nullopt);
    EXPECT_TRUE(std::holds_alternative<LinuxDatagram>(linuxRequest));
    EXPECT_TRUE(std::holds_alternative<VxWorksRequest>(vxworksRequest));
}

} // namespace
} // namespace netlark
