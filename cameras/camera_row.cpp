#include "cameras/camera_row.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>

namespace netlark {

namespace {

/// A Linux camera whose web server is not on the usual port shows that port
/// after its address, so the user can reach it.
constexpr std::uint16_t USUAL_WEB_PORT = 80;

/// The decimal text of every octet value, looked up rather than computed:
/// a row prints up to twenty octets, and a burst lists thousands of rows.
struct OctetText {
    std::array<char, 3> digits;
    std::uint8_t length;
};

constexpr std::array<OctetText, 256> OCTET_TEXTS = [] {
    std::array<OctetText, 256> texts{};
    for (unsigned value = 0; value < texts.size(); ++value) {
        OctetText& text = texts[value];
        if (value >= 100) {
            text.digits[text.length++] = static_cast<char>('0' + value / 100);
        }
        if (value >= 10) {
            text.digits[text.length++] = static_cast<char>('0' + value / 10 % 10);
        }
        text.digits[text.length++] = static_cast<char>('0' + value % 10);
    }
    return texts;
}();

// Each text is written straight into its cell of the row, so making a row
// touches no heap and builds no text twice.

void appendDecimal(CellText& cell, unsigned value) {
    char digits[10];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    cell.append({digits, static_cast<std::size_t>(end - digits)});
}

/// Writes "a.b.c.d" from the start of the cell. The text has 15 characters at
/// most, so all three digit places of each octet fit; the length keeps only
/// the octet's own digits.
void writeDotted(CellText& cell, const Ipv4Address& address) {
    const std::span<char, CellText::CAPACITY> out = cell.chars();
    std::size_t length = 0;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i != 0) {
            out[length++] = '.';
        }
        const OctetText& octet = OCTET_TEXTS[address[i]];
        std::copy(octet.digits.begin(), octet.digits.end(), out.begin() + length);
        length += octet.length;
    }
    cell.setLength(length);
}

/// Writes "XX:XX:XX:XX:XX:XX" from the start of the cell.
void writeMac(CellText& cell, const MacAddress& mac) {
    static constexpr std::string_view HEX_DIGITS = "0123456789ABCDEF";
    const std::span<char, CellText::CAPACITY> out = cell.chars();
    std::size_t length = 0;
    for (std::size_t i = 0; i < mac.size(); ++i) {
        if (i != 0) {
            out[length++] = ':';
        }
        out[length++] = HEX_DIGITS[mac[i] >> 4];
        out[length++] = HEX_DIGITS[mac[i] & 0x0F];
    }
    cell.setLength(length);
}

/// The columns both families fill alike.
void fillCommonCells(CameraRow& row, std::string_view serial, const MacAddress& mac,
                     const NetworkSettings& settings, const Ipv4Address& carriedAddress) {
    row.cells[COLUMN_SERIAL].append(serial);
    writeMac(row.cells[COLUMN_MAC], mac);
    writeDotted(row.cells[COLUMN_IP], settings.ip);
    writeDotted(row.cells[COLUMN_GATEWAY], settings.gateway);
    writeDotted(row.cells[COLUMN_SUBNET_MASK], settings.subnetMask);
    writeDotted(row.cells[COLUMN_DNS], settings.dns);
    writeDotted(row.cells[COLUMN_CARRIED_ADDRESS], carriedAddress);
}

} // namespace

CameraRow rowFromAnnouncement(const LinuxAnnouncement& announcement) {
    CameraRow row;
    fillCommonCells(row, announcement.serial.view(), announcement.mac, announcement.settings,
                    announcement.carriedAddress);
    if (announcement.webPort != USUAL_WEB_PORT) {
        row.cells[COLUMN_IP].append(":");
        appendDecimal(row.cells[COLUMN_IP], announcement.webPort);
    }
    row.cells[COLUMN_FAMILY].append(FAMILY_LINUX);
    appendDecimal(row.cells[COLUMN_CARRIED_PORT], announcement.carriedPort);
    return row;
}

CameraRow rowFromAnnouncement(const VxWorksAnnouncement& announcement) {
    CameraRow row;
    fillCommonCells(row, announcement.serial.view(), announcement.mac, announcement.settings,
                    announcement.carriedAddress);
    row.cells[COLUMN_FAMILY].append(FAMILY_VXWORKS);
    return row;
}

} // namespace netlark
