#include "cameras/address_text.h"
#include "cameras/messages.h"
#include "cameras/received_datagram.h"
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
