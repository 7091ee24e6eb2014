#include "cameras/address_text.h"
#include "cameras/change_request.h"
#include "cameras/messages.h"
#include "cameras/received_datagram.h"
#include "cameras/row_addresses.h"
#include "protocol/byte_fields.h"
#include "sample_cameras.h"

#include <gtest/gtest.h>
#include <string>

namespace netlark {
namespace {

constexpr MacAddress HOST_MAC{0x02, 0x00, 0x00, 0x00, 0x00, 0x01};

AddressFieldValue complete(const Ipv4Address& octets) {
    return {octets, 4};
}

ConfigFormValues typedForm() {
    ConfigFormValues form;
    form.adminId = "admin";
    form.adminPassword = "0123456789";
    form.ip = complete({192, 168, 0, 20});
    form.gateway = complete({192, 168, 0, 1});
    form.subnetMask = complete({255, 255, 255, 0});
    form.dns = complete({8, 8, 4, 4});
    return form;
}

/// The Linux request as it was before scrambling.
LinuxDatagram unscrambled(LinuxDatagram datagram) {
    EXPECT_TRUE(scramble(datagram, fields::readU32(datagram, linux_layout::KEY)));
    return datagram;
}

TEST(BuildChangeRequest, LinuxRequestGoldenBytes) {
    const CameraRow row = rowFromAnnouncement(samples::linuxAnnouncement());
    const ChangeRequest request = buildChangeRequest(row, typedForm(), HOST_MAC);
    const auto* datagram = std::get_if<LinuxDatagram>(&request);
    ASSERT_NE(datagram, nullptr);

    LinuxDatagram expected{};
    // The request before scrambling; the rest of its 124 bytes is zero.
    const std::uint8_t clearBytes[] = {
        0,    0,    0,    0,                                    // marker
        0x3C, 0,    0,    0,                                    // payload length 60
        0x4C, 0x41, 0x52, 0x4B,                                 // key
        0xC0, 0x0F, 0,    0,                                    // checksum
        12,   0,                                                // opcode
        0x02, 0,    0,    0,    0,    0x01,                     // host MAC
        'a',  'd',  'm',  'i',  'n',  0,    0,   0,   0,   0,   // ID
        '0',  '1',  '2',  '3',  '4',  '5',  '6', '7', '8', '9', // password
        0x00, 0x1A, 0xA0, 0xBC, 0xDE, 0xFF, 0,   0,             // target MAC from the row
        20,   0,    168,  192,                                  // new IP, first octet high
        0,    255,  255,  255,                                  // new subnet mask
        1,    0,    168,  192,                                  // new gateway
        8,    8,    4,    4,                                    // new DNS, octets in order
        192,  168,  1,    200,                                  // carried address
        0x2A, 0x02,                                             // carried port 554
    };
    std::copy(std::begin(clearBytes), std::end(clearBytes), expected.begin());

    EXPECT_EQ(unscrambled(*datagram), expected);
    // Only the header's first 12 bytes travel in clear.
    EXPECT_TRUE(std::equal(datagram->begin(), datagram->begin() + 12, expected.begin()));
    EXPECT_NE(*datagram, expected);
}

TEST(BuildChangeRequest, VxWorksRequestGoldenBytes) {
    const CameraRow row = rowFromAnnouncement(samples::vxworksAnnouncement());
    const ChangeRequest request = buildChangeRequest(row, typedForm(), HOST_MAC);
    const VxWorksRequest expected{
        '1',  '2',                                              // opcode
        'a',  'd',  'm',  'i',  'n',  0,    0,   0,   0,   0,   // ID
        '0',  '1',  '2',  '3',  '4',  '5',  '6', '7', '8', '9', // password, no zero after
        192,  168,  0,    20,                                   // new IP
        0x00, 0x40, 0x8C, 0xA0, 0xB1, 0xC2,                     // target MAC from the row
        192,  168,  0,    1,                                    // new gateway
        255,  255,  255,  0,                                    // new subnet mask
        8,    8,    4,    4,                                    // new DNS
        172,  16,   9,    9,                                    // carried address
        0,    0,
    };
    EXPECT_EQ(request, ChangeRequest{expected});
}

TEST(BuildChangeRequest, CarriedPortIsReadFromItsCell) {
    for (const auto& [cell, port] :
         {std::pair{"554", 554}, std::pair{"65535", 65535}, std::pair{"0", 0},
          std::pair{"70000", 70000 & 0xFFFF}, std::pair{"12ab", 12}, std::pair{"", 0}}) {
        CameraRow row = rowFromAnnouncement(samples::linuxAnnouncement());
        row.cells[COLUMN_CARRIED_PORT] = CellText(cell);
        const ChangeRequest request = buildChangeRequest(row, typedForm(), HOST_MAC);
        ASSERT_TRUE(std::holds_alternative<LinuxDatagram>(request));
        EXPECT_EQ(fields::readU16(unscrambled(std::get<LinuxDatagram>(request)),
                                  linux_layout::CHANGE_CARRIED_PORT),
                  port)
            << "cell \"" << cell << "\"";
    }
}

// Every listed row has a carried address; a row without one sends 0.0.0.0
// rather than the all-ones a malformed text reads as.
TEST(BuildChangeRequest, EmptyCarriedAddressCellSendsZeros) {
    CameraRow row = rowFromAnnouncement(samples::vxworksAnnouncement());
    row.cells[COLUMN_CARRIED_ADDRESS] = CellText("");
    const ChangeRequest request = buildChangeRequest(row, typedForm(), HOST_MAC);
    ASSERT_TRUE(std::holds_alternative<VxWorksRequest>(request));
    EXPECT_EQ(fields::readOctetsInOrder(std::get<VxWorksRequest>(request),
                                        vxworks_layout::CHANGE_CARRIED_ADDRESS),
              (Ipv4Address{0, 0, 0, 0}));
}

/// The form as selecting a row fills it: the row's addresses, the port of
/// the IP cell dropped.
ConfigFormValues formFromRow(const CameraRow& row) {
    const RowAddresses addresses = rowAddresses(row);
    ConfigFormValues form;
    form.adminId = "root";
    form.adminPassword = "pass";
    form.ip = complete(addresses.ip.value());
    form.gateway = complete(addresses.gateway.value());
    form.subnetMask = complete(addresses.subnetMask.value());
    form.dns = complete(addresses.dns.value());
    return form;
}

CameraRow listedRow(const DatagramAction& action) {
    const auto* listed = std::get_if<ListCamera>(&action);
    EXPECT_NE(listed, nullptr);
    return listed != nullptr ? listed->row : CameraRow{};
}

// Pressing Change on an untouched selection sends the camera back what it
// announced, each value in the request's own layout and encoding.
TEST(BuildChangeRequest, UnchangedLinuxSelectionSendsBackTheAnnouncedValues) {
    LinuxAnnouncement announcement = samples::linuxAnnouncement();
    announcement.webPort = 81;
    announcement.mac = {0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5};
    const CameraRow row = listedRow(actionForDatagram(encodeLinuxAnnouncement(announcement, 99)));

    const ChangeRequest request = buildChangeRequest(row, formFromRow(row), HOST_MAC);
    ASSERT_TRUE(std::holds_alternative<LinuxDatagram>(request));
    const LinuxRequest decoded = decodeLinuxRequest(std::get<LinuxDatagram>(request));
    const auto* change = std::get_if<LinuxChangeRequest>(&decoded);
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->settings, announcement.settings);
    EXPECT_EQ(change->carriedAddress, announcement.carriedAddress);
    EXPECT_EQ(change->carriedPort, announcement.carriedPort);
    EXPECT_EQ(change->targetMac, announcement.mac);
    EXPECT_EQ(change->senderMac, HOST_MAC);
    EXPECT_EQ(change->adminId.view(), "root");
    EXPECT_EQ(change->adminPassword.view(), "pass");
}

TEST(BuildChangeRequest, UnchangedVxWorksSelectionSendsBackTheAnnouncedValues) {
    const VxWorksAnnouncement announcement = samples::vxworksAnnouncement();
    const CameraRow row = listedRow(actionForDatagram(encodeVxWorksAnnouncement(announcement)));

    const ChangeRequest request = buildChangeRequest(row, formFromRow(row), HOST_MAC);
    ASSERT_TRUE(std::holds_alternative<VxWorksRequest>(request));
    const VxWorksRequestContent decoded = decodeVxWorksRequest(std::get<VxWorksRequest>(request));
    const auto* change = std::get_if<VxWorksChangeRequest>(&decoded);
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->settings, announcement.settings);
    EXPECT_EQ(change->carriedAddress, announcement.carriedAddress);
    EXPECT_EQ(change->targetMac, announcement.mac);
    EXPECT_EQ(change->adminId.view(), "root");
    EXPECT_EQ(change->adminPassword.view(), "pass");
}

struct RefusalCase {
    std::string name;
    std::string family; // column 6 of the selected row; "-" for no row at all
    void (*edit)(ConfigFormValues&);
    std::string_view message;
};

class ChangeRefusals : public ::testing::TestWithParam<RefusalCase> {};

// Nothing is sent until the camera, the credentials and every address check
// out, in that order; the first failure names the message.
TEST_P(ChangeRefusals, FirstFailingCheckWins) {
    const RefusalCase& c = GetParam();
    CameraRow row = rowFromAnnouncement(samples::linuxAnnouncement());
    row.cells[COLUMN_FAMILY] = CellText(c.family);
    ConfigFormValues form = typedForm();
    c.edit(form);
    EXPECT_EQ(changeRefusal(c.family == "-" ? nullptr : &row, form), ChangeRefused{c.message});
}

TEST(ChangeRefusal, ACompleteFormForEitherFamilyIsLetThrough) {
    for (const CameraRow& row : {rowFromAnnouncement(samples::linuxAnnouncement()),
                                 rowFromAnnouncement(samples::vxworksAnnouncement())}) {
        EXPECT_EQ(changeRefusal(&row, typedForm()), std::nullopt) << row.text(COLUMN_FAMILY);
    }
}

void nothing(ConfigFormValues&) {}
void noId(ConfigFormValues& form) {
    form.adminId = "";
}
void noPassword(ConfigFormValues& form) {
    form.adminPassword = "";
}
void noCredentialsAndHalfIp(ConfigFormValues& form) {
    form.adminId = "";
    form.adminPassword = "";
    form.ip.filled = 3;
}
void halfIp(ConfigFormValues& form) {
    form.ip.filled = 3;
}
void halfGateway(ConfigFormValues& form) {
    form.gateway.filled = 3;
}
void halfSubnetMask(ConfigFormValues& form) {
    form.subnetMask.filled = 3;
}
void halfDns(ConfigFormValues& form) {
    form.dns.filled = 3;
}
void emptyDns(ConfigFormValues& form) {
    form.dns.filled = 0;
}
void halfMaskAndDns(ConfigFormValues& form) {
    form.subnetMask.filled = 2;
    form.dns.filled = 1;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ChangeRefusals,
    ::testing::Values(
        RefusalCase{"NoRow", "-", nothing, messages::INVALID_CAMERA},
        RefusalCase{"EmptyFamily", "", nothing, messages::INVALID_CAMERA},
        RefusalCase{"LowerCaseFamily", "linux", noId, messages::INVALID_CAMERA},
        RefusalCase{"UpperCaseFamily", "VXWORKS", nothing, messages::INVALID_CAMERA},
        RefusalCase{"LinuxIdOnly", "Linux", noPassword, messages::CREDENTIALS_MISSING},
        RefusalCase{"VxWorksPasswordOnly", "VxWorks", noId, messages::CREDENTIALS_MISSING},
        RefusalCase{"CredentialsBeforeAddresses", "Linux", noCredentialsAndHalfIp,
                    messages::CREDENTIALS_MISSING},
        RefusalCase{"HalfIp", "Linux", halfIp, messages::INVALID_IP},
        RefusalCase{"HalfGateway", "VxWorks", halfGateway, messages::INVALID_GATEWAY},
        RefusalCase{"HalfSubnetMask", "Linux", halfSubnetMask, messages::INVALID_SUBNET_MASK},
        RefusalCase{"HalfDns", "VxWorks", halfDns, messages::INVALID_DNS},
        RefusalCase{"EmptyDns", "Linux", emptyDns, messages::INVALID_DNS},
        RefusalCase{"MaskBeforeDns", "VxWorks", halfMaskAndDns, messages::INVALID_SUBNET_MASK}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace netlark
