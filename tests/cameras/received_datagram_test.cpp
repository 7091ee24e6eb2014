#include "cameras/messages.h"
#include "cameras/received_datagram.h"
#include "protocol/byte_fields.h"
#include "sample_cameras.h"

#include <gtest/gtest.h>
#include <vector>

namespace netlark {
namespace {

constexpr std::uint32_t KEY = 0x5A17C0DE;

DatagramAction actionFor(std::span<const std::uint8_t> bytes) {
    return actionForDatagram(bytes);
}

ReportReply reportOf(const DatagramAction& action) {
    const auto* report = std::get_if<ReportReply>(&action);
    return report != nullptr ? *report : ReportReply{"(not a report)"};
}

// Only 124 and 40 bytes are datagrams of a family; the receiver passes
// anything from 40 bytes on, and the rest is dropped without a message.
TEST(ActionForDatagram, OtherLengthsAreIgnored) {
    for (std::size_t length : {0u, 39u, 41u, 50u, 60u, 123u, 125u}) {
        const std::vector<std::uint8_t> bytes(length, 0);
        EXPECT_EQ(actionFor(bytes), DatagramAction{IgnoreDatagram{}}) << length << " bytes";
    }
}

TEST(ActionForDatagram, LinuxAnnouncementIsListed) {
    const LinuxAnnouncement announcement = samples::linuxAnnouncement();
    EXPECT_EQ(actionFor(encodeLinuxAnnouncement(announcement, KEY)),
              DatagramAction{ListCamera{rowFromAnnouncement(announcement)}});
}

TEST(ActionForDatagram, VxWorksAnnouncementIsListed) {
    const VxWorksAnnouncement announcement = samples::vxworksAnnouncement();
    EXPECT_EQ(actionFor(encodeVxWorksAnnouncement(announcement)),
              DatagramAction{ListCamera{rowFromAnnouncement(announcement)}});
}

// The serial field has no room for a terminator at full width: the bytes
// after it must not run into the serial.
TEST(ActionForDatagram, FullWidthSerialsStopAtTheirField) {
    LinuxAnnouncement linuxAnnouncement = samples::linuxAnnouncement();
    linuxAnnouncement.serial = decltype(linuxAnnouncement.serial)::from("ABCDEFGHIJKLMN");
    LinuxDatagram linuxWire = encodeLinuxAnnouncement(linuxAnnouncement, 0);
    linuxWire[38] = 'Z'; // the unread bytes after the serial
    fields::writeU32(linuxWire, linux_layout::CHECKSUM,
                     fields::readU32(linuxWire, linux_layout::CHECKSUM) + 'Z');
    const DatagramAction linuxAction = actionFor(linuxWire);
    const auto* linuxRow = std::get_if<ListCamera>(&linuxAction);

    VxWorksAnnouncement vxworksAnnouncement = samples::vxworksAnnouncement();
    vxworksAnnouncement.serial = decltype(vxworksAnnouncement.serial)::from("ABCDEFGHIJKL");
    const DatagramAction vxworksAction = actionFor(encodeVxWorksAnnouncement(vxworksAnnouncement));
    const auto* vxworksRow = std::get_if<ListCamera>(&vxworksAction);

    ASSERT_NE(linuxRow, nullptr);
    ASSERT_NE(vxworksRow, nullptr);
    EXPECT_EQ(linuxRow->row.text(COLUMN_SERIAL), "ABCDEFGHIJKLMN");
    EXPECT_EQ(vxworksRow->row.text(COLUMN_SERIAL), "ABCDEFGHIJKL");
}

struct ResultCase {
    int opcode;
    std::string_view message;
    bool linuxRescans;
};

class ResultReplies : public ::testing::TestWithParam<ResultCase> {};

// Only a Linux camera's success asks for a rescan.
TEST_P(ResultReplies, EachFamilyReportsItsResult) {
    const ResultCase& c = GetParam();
    EXPECT_EQ(reportOf(actionFor(encodeLinuxResult(static_cast<std::uint16_t>(c.opcode), KEY))),
              (ReportReply{c.message, c.linuxRescans}));
    EXPECT_EQ(reportOf(actionFor(encodeVxWorksResult(c.opcode))), (ReportReply{c.message, false}));
}

INSTANTIATE_TEST_SUITE_P(Opcodes, ResultReplies,
                         ::testing::Values(ResultCase{13, messages::CHANGE_SUCCEEDED, true},
                                           ResultCase{14, messages::INVALID_CREDENTIALS, false},
                                           ResultCase{10, messages::INVALID_OP, false},
                                           ResultCase{12, messages::INVALID_OP, false},
                                           ResultCase{0, messages::INVALID_OP, false},
                                           ResultCase{99, messages::INVALID_OP, false}));

TEST(ActionForDatagram, LinuxOpcodeBeyondTwoDigitsIsAnInvalidOp) {
    EXPECT_EQ(reportOf(actionFor(encodeLinuxResult(0xFFFF, KEY))),
              (ReportReply{messages::INVALID_OP}));
}

TEST(ActionForDatagram, LinuxDatagramWithoutZeroMarkerIsIgnored) {
    LinuxDatagram wire = encodeLinuxAnnouncement(samples::linuxAnnouncement(), KEY);
    wire[0] = 1;
    EXPECT_EQ(actionFor(wire), DatagramAction{IgnoreDatagram{}});
}

TEST(ActionForDatagram, LinuxPayloadLengthBeyondTheDatagramIsIgnored) {
    LinuxDatagram wire = encodeLinuxResult(OP_SET_DONE, KEY);
    fields::writeU32(wire, linux_layout::PAYLOAD_LENGTH, 101);
    EXPECT_EQ(actionFor(wire), DatagramAction{IgnoreDatagram{}});
}

// A success whose checksum fails must not start a rescan: only the checksum
// message shows.
TEST(ActionForDatagram, LinuxChecksumFailureShowsOnlyTheChecksumMessage) {
    LinuxDatagram success = encodeLinuxResult(OP_SET_DONE, KEY);
    success[linux_layout::CHECKSUM] ^= 1;
    LinuxDatagram announcement = encodeLinuxAnnouncement(samples::linuxAnnouncement(), KEY);
    announcement[linux_layout::ANNOUNCE_IP] ^= 0x40;
    EXPECT_EQ(reportOf(actionFor(success)), (ReportReply{messages::INVALID_CHECKSUM, false}));
    EXPECT_EQ(reportOf(actionFor(announcement)), (ReportReply{messages::INVALID_CHECKSUM, false}));
}

// The opcode arithmetic does not check for digits: '0' ';' reads as 11.
TEST(ActionForDatagram, VxWorksZeroSemicolonIsAnAnnouncement) {
    VxWorksReply wire = encodeVxWorksAnnouncement(samples::vxworksAnnouncement());
    wire[0] = 0x30;
    wire[1] = 0x3B;
    EXPECT_EQ(actionFor(wire),
              DatagramAction{ListCamera{rowFromAnnouncement(samples::vxworksAnnouncement())}});
}

} // namespace
} // namespace netlark
