#include "cameras/address_text.h"
#include "cameras/change_request.h"
#include "cameras/messages.h"
#include "cameras/received_datagram.h"
#include "cameras/row_addresses.h"
#include "fuzz/checks/canonical_text.h"
#include "fuzz/checks/checks.h"
#include "fuzz/checks/linux_reference.h"
#include "fuzz/checks/require.h"
#include "fuzz/checks/vxworks_opcode.h"

#include <algorithm>

namespace netlark::fuzzing {

namespace {

/// A dotted cell is well formed, and reads back, the way a change request
/// reads it, to the address the camera announced.
void checkDottedCell(std::string_view cell, const Ipv4Address& announced) {
    NETLARK_REQUIRE(readCanonicalDotted(cell) == announced);
    NETLARK_REQUIRE(readDottedAddress(cell) == announced);
}

/// The cells both families fill alike.
void checkCommonCells(const CameraRow& row, std::string_view serial, std::size_t serialWidth,
                      const MacAddress& mac, const NetworkSettings& settings,
                      const Ipv4Address& carriedAddress) {
    const std::string_view serialCell = row.text(COLUMN_SERIAL);
    NETLARK_REQUIRE(serialCell == serial && serialCell.size() <= serialWidth);
    NETLARK_REQUIRE(serialCell.find('\0') == std::string_view::npos);
    NETLARK_REQUIRE(readCanonicalMac(row.text(COLUMN_MAC)) == mac);
    NETLARK_REQUIRE(parseMacText(row.text(COLUMN_MAC)) == mac);
    checkDottedCell(row.text(COLUMN_GATEWAY), settings.gateway);
    checkDottedCell(row.text(COLUMN_SUBNET_MASK), settings.subnetMask);
    checkDottedCell(row.text(COLUMN_DNS), settings.dns);
    checkDottedCell(row.text(COLUMN_CARRIED_ADDRESS), carriedAddress);
}

constexpr std::string_view ADMIN_ID = "admin";
constexpr std::string_view ADMIN_PASSWORD = "secret";
constexpr MacAddress HOST_MAC{0x02, 0x00, 0x00, 0x00, 0x00, 0x01};

/// Selecting the row fills the form with the addresses the camera announced;
/// pressing Change without editing them sends those same values back to the
/// camera, in the request's layout. Returns the request as sent.
ChangeRequest checkUneditedChange(const CameraRow& row, const NetworkSettings& announced) {
    const RowAddresses shown = rowAddresses(row);
    NETLARK_REQUIRE(shown.ip == announced.ip && shown.gateway == announced.gateway);
    NETLARK_REQUIRE(shown.subnetMask == announced.subnetMask && shown.dns == announced.dns);
    const ConfigFormValues form{ADMIN_ID,
                                ADMIN_PASSWORD,
                                {announced.ip, 4},
                                {announced.gateway, 4},
                                {announced.subnetMask, 4},
                                {announced.dns, 4}};
    NETLARK_REQUIRE(!changeRefusal(&row, form).has_value());
    return buildChangeRequest(row, form, HOST_MAC);
}

void checkLinuxRow(const CameraRow& row, const LinuxAnnouncement& announced) {
    checkCommonCells(row, announced.serial.view(), 14, announced.mac, announced.settings,
                     announced.carriedAddress);
    // The IP cell shows the web port after a colon unless it is the usual 80.
    const std::string_view ipCell = row.text(COLUMN_IP);
    const std::size_t colon = ipCell.find(':');
    checkDottedCell(ipCell.substr(0, colon), announced.settings.ip);
    if (announced.webPort == 80) {
        NETLARK_REQUIRE(colon == std::string_view::npos);
    } else {
        NETLARK_REQUIRE(colon != std::string_view::npos);
        NETLARK_REQUIRE(readCanonicalPort(ipCell.substr(colon + 1)) == announced.webPort);
    }
    NETLARK_REQUIRE(row.text(COLUMN_FAMILY) == FAMILY_LINUX);
    NETLARK_REQUIRE(readCanonicalPort(row.text(COLUMN_CARRIED_PORT)) == announced.carriedPort);

    const ChangeRequest sent = checkUneditedChange(row, announced.settings);
    const auto* datagram = std::get_if<LinuxDatagram>(&sent);
    NETLARK_REQUIRE(datagram != nullptr);
    LinuxChangeRequest expected;
    expected.adminId = decltype(expected.adminId)::from(ADMIN_ID);
    expected.adminPassword = decltype(expected.adminPassword)::from(ADMIN_PASSWORD);
    expected.targetMac = announced.mac;
    expected.settings = announced.settings;
    expected.carriedAddress = announced.carriedAddress;
    expected.carriedPort = announced.carriedPort;
    expected.senderMac = HOST_MAC;
    NETLARK_REQUIRE(decodeLinuxRequest(*datagram) == LinuxRequest(expected));
}

void checkVxWorksRow(const CameraRow& row, std::span<const std::uint8_t, 40> d) {
    const auto serial = FieldText<12>::read(d, 2);
    const MacAddress mac{d[14], d[15], d[16], d[17], d[18], d[19]};
    const NetworkSettings settings{{d[36], d[37], d[38], d[39]},
                                   {d[24], d[25], d[26], d[27]},
                                   {d[20], d[21], d[22], d[23]},
                                   {d[28], d[29], d[30], d[31]}};
    checkCommonCells(row, serial.view(), 12, mac, settings, {d[32], d[33], d[34], d[35]});
    checkDottedCell(row.text(COLUMN_IP), settings.ip);
    NETLARK_REQUIRE(row.text(COLUMN_FAMILY) == FAMILY_VXWORKS);
    NETLARK_REQUIRE(row.text(COLUMN_CARRIED_PORT).empty());

    const ChangeRequest sent = checkUneditedChange(row, settings);
    const auto* datagram = std::get_if<VxWorksRequest>(&sent);
    NETLARK_REQUIRE(datagram != nullptr);
    VxWorksChangeRequest expected;
    expected.adminId = decltype(expected.adminId)::from(ADMIN_ID);
    expected.adminPassword = decltype(expected.adminPassword)::from(ADMIN_PASSWORD);
    expected.targetMac = mac;
    expected.settings = settings;
    expected.carriedAddress = {d[32], d[33], d[34], d[35]};
    NETLARK_REQUIRE(decodeVxWorksRequest(*datagram) == VxWorksRequestContent(expected));
}

/// A result reply is told to the user with its fixed text; only a Linux
/// camera's success asks for a rescan.
void checkResultReport(const DatagramAction& action, int opcode, bool linuxFamily) {
    const auto* report = std::get_if<ReportReply>(&action);
    NETLARK_REQUIRE(report != nullptr);
    switch (opcode) {
    case OP_SET_DONE:
        NETLARK_REQUIRE(report->message == messages::CHANGE_SUCCEEDED);
        NETLARK_REQUIRE(report->rescanAfter == linuxFamily);
        break;
    case OP_AUTH_FAIL:
        NETLARK_REQUIRE(report->message == messages::INVALID_CREDENTIALS && !report->rescanAfter);
        break;
    default:
        NETLARK_REQUIRE(report->message == messages::INVALID_OP && !report->rescanAfter);
    }
}

void checkLinuxAction(const DatagramAction& action, std::span<const std::uint8_t> datagram) {
    LinuxDatagram received{};
    std::copy(datagram.begin(), datagram.end(), received.begin());
    const LinuxFraming framing = readLinuxFraming(received);
    if (!framing.markerZero || !framing.fits) {
        NETLARK_REQUIRE(std::holds_alternative<IgnoreDatagram>(action));
    } else if (!framing.checksumOk) {
        NETLARK_REQUIRE(action == DatagramAction(ReportReply{messages::INVALID_CHECKSUM, false}));
    } else if (framing.opcode == OP_IM_HERE) {
        const auto* listed = std::get_if<ListCamera>(&action);
        NETLARK_REQUIRE(listed != nullptr);
        checkLinuxRow(listed->row, announcementAt(framing.clear));
    } else {
        checkResultReport(action, framing.opcode, true);
    }
}

void checkVxWorksAction(const DatagramAction& action, std::span<const std::uint8_t, 40> datagram) {
    const int opcode = vxworksOpcodeOf(datagram);
    if (opcode == OP_IM_HERE) {
        const auto* listed = std::get_if<ListCamera>(&action);
        NETLARK_REQUIRE(listed != nullptr);
        checkVxWorksRow(listed->row, datagram);
    } else {
        checkResultReport(action, opcode, false);
    }
}

} // namespace

void checkReceivePath(Input input) {
    const DatagramAction action = actionForDatagram(input);
    switch (input.size()) {
    case LINUX_DATAGRAM_SIZE:
        checkLinuxAction(action, input);
        break;
    case VXWORKS_REPLY_SIZE:
        checkVxWorksAction(action, input.first<VXWORKS_REPLY_SIZE>());
        break;
    default:
        NETLARK_REQUIRE(std::holds_alternative<IgnoreDatagram>(action));
    }
}

} // namespace netlark::fuzzing
