#include "cameras/camera_row.h"

#include <array>
#include <charconv>
#include <iterator>

namespace netlark {

namespace {

/// A Linux camera whose web server is not on the usual port shows that port
/// after its address, so the user can reach it.
constexpr std::uint16_t USUAL_WEB_PORT = 80;

/// Writes a cell's text into a buffer on the stack, so making a row touches no
/// heap. Every text a row holds fits; anything beyond the capacity is cut.
class CellWriter {
public:
    CellWriter& text(std::string_view text) {
        for (char c : text) {
            put(c);
        }
        return *this;
    }

    CellWriter& decimal(unsigned value) {
        char digits[10];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
        return text({digits, static_cast<std::size_t>(end - digits)});
    }

    CellWriter& hexByte(std::uint8_t value) {
        static constexpr std::string_view HEX_DIGITS = "0123456789ABCDEF";
        put(HEX_DIGITS[value >> 4]);
        put(HEX_DIGITS[value & 0x0F]);
        return *this;
    }

    CellText done() const { return CellText({m_chars.data(), m_length}); }

private:
    void put(char c) {
        if (m_length < m_chars.size()) {
            m_chars[m_length++] = c;
        }
    }

    std::array<char, CellText::CAPACITY> m_chars{};
    std::size_t m_length = 0;
};

CellWriter& writeDotted(CellWriter& writer, const Ipv4Address& address) {
    writer.decimal(address[0]).text(".").decimal(address[1]).text(".");
    return writer.decimal(address[2]).text(".").decimal(address[3]);
}

CellText dottedText(const Ipv4Address& address) {
    CellWriter writer;
    return writeDotted(writer, address).done();
}

CellText macText(const MacAddress& mac) {
    CellWriter writer;
    for (std::size_t i = 0; i < mac.size(); ++i) {
        writer.text(i == 0 ? "" : ":").hexByte(mac[i]);
    }
    return writer.done();
}

/// The columns both families fill alike.
void fillCommonCells(CameraRow& row, std::string_view serial, const MacAddress& mac,
                     const NetworkSettings& settings, const Ipv4Address& carriedAddress) {
    row.cells[COLUMN_SERIAL] = CellText(serial);
    row.cells[COLUMN_MAC] = macText(mac);
    row.cells[COLUMN_GATEWAY] = dottedText(settings.gateway);
    row.cells[COLUMN_SUBNET_MASK] = dottedText(settings.subnetMask);
    row.cells[COLUMN_DNS] = dottedText(settings.dns);
    row.cells[COLUMN_CARRIED_ADDRESS] = dottedText(carriedAddress);
}

} // namespace

CameraRow rowFromAnnouncement(const LinuxAnnouncement& announcement) {
    CameraRow row;
    fillCommonCells(row, announcement.serial.view(), announcement.mac, announcement.settings,
                    announcement.carriedAddress);
    CellWriter ip;
    writeDotted(ip, announcement.settings.ip);
    if (announcement.webPort != USUAL_WEB_PORT) {
        ip.text(":").decimal(announcement.webPort);
    }
    row.cells[COLUMN_IP] = ip.done();
    row.cells[COLUMN_FAMILY] = CellText(FAMILY_LINUX);
    row.cells[COLUMN_CARRIED_PORT] = CellWriter().decimal(announcement.carriedPort).done();
    return row;
}

CameraRow rowFromAnnouncement(const VxWorksAnnouncement& announcement) {
    CameraRow row;
    fillCommonCells(row, announcement.serial.view(), announcement.mac, announcement.settings,
                    announcement.carriedAddress);
    row.cells[COLUMN_IP] = dottedText(announcement.settings.ip);
    row.cells[COLUMN_FAMILY] = CellText(FAMILY_VXWORKS);
    return row;
}

} // namespace netlark
