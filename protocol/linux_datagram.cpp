#include "protocol/linux_datagram.h"

#include "protocol/byte_fields.h"

#include <array>

namespace netlark {

using namespace linux_layout;

namespace {

std::uint32_t payloadSum(std::span<const std::uint8_t> payload) {
    std::uint32_t sum = 0;
    for (std::uint8_t byte : payload) {
        sum += byte;
    }
    return sum;
}

/// Fills in the header around a payload already written at offset 24, then
/// scrambles: the order every request and reply is sealed in.
void seal(LinuxDatagram& datagram, std::uint16_t opcode, std::uint32_t payloadLength,
          const MacAddress& senderMac, std::uint32_t key) {
    fields::writeU32(datagram, PAYLOAD_LENGTH, payloadLength);
    fields::writeU16(datagram, OPCODE, opcode);
    fields::writeMac(datagram, SENDER_MAC, senderMac);
    fields::writeU32(datagram, CHECKSUM,
                     payloadSum(std::span(datagram).subspan(PAYLOAD, payloadLength)));
    fields::writeU32(datagram, KEY, key);
    scramble(datagram, key);
}

/// The checks every received datagram goes through before its opcode is read;
/// `read` then takes the unscrambled datagram and its opcode.
template <typename Result, typename Read>
Result decodeChecked(const LinuxDatagram& received, Read read) {
    if (fields::readU32(received, MARKER) != 0) {
        return LinuxDropped{};
    }
    LinuxDatagram clear = received;
    if (!scramble(clear, fields::readU32(received, KEY))) {
        return LinuxDropped{};
    }
    const std::uint32_t payloadLength = fields::readU32(received, PAYLOAD_LENGTH);
    if (!checksum_ok(fields::readU32(clear, CHECKSUM),
                     std::span(clear).subspan(PAYLOAD, payloadLength))) {
        return LinuxChecksumFailure{};
    }
    return read(clear, fields::readU16(clear, OPCODE));
}

/// Both the announcement and the change request carry the four addresses as
/// IP, subnet mask and gateway first-octet-high, then the DNS server in order.
struct SettingsOffsets {
    std::size_t ip;
    std::size_t subnetMask;
    std::size_t gateway;
    std::size_t dns;
};

constexpr SettingsOffsets ANNOUNCE_SETTINGS{ANNOUNCE_IP, ANNOUNCE_SUBNET_MASK, ANNOUNCE_GATEWAY,
                                            ANNOUNCE_DNS};
constexpr SettingsOffsets CHANGE_SETTINGS{CHANGE_IP, CHANGE_SUBNET_MASK, CHANGE_GATEWAY,
                                          CHANGE_DNS};

NetworkSettings readSettings(const LinuxDatagram& clear, const SettingsOffsets& at) {
    return {
        fields::readFirstOctetHigh(clear, at.ip), fields::readFirstOctetHigh(clear, at.subnetMask),
        fields::readFirstOctetHigh(clear, at.gateway), fields::readOctetsInOrder(clear, at.dns)};
}

void writeSettings(LinuxDatagram& datagram, const SettingsOffsets& at,
                   const NetworkSettings& settings) {
    fields::writeFirstOctetHigh(datagram, at.ip, settings.ip);
    fields::writeFirstOctetHigh(datagram, at.subnetMask, settings.subnetMask);
    fields::writeFirstOctetHigh(datagram, at.gateway, settings.gateway);
    fields::writeOctetsInOrder(datagram, at.dns, settings.dns);
}

} // namespace

bool scramble(LinuxDatagram& datagram, std::uint32_t key) {
    const std::uint32_t payloadLength = fields::readU32(datagram, PAYLOAD_LENGTH);
    if (payloadLength > MAX_PAYLOAD) {
        return false;
    }
    // Whole little-endian words from the checksum on, the last one partly
    // payload: each byte is XORed with the key byte of its place in the word.
    const std::size_t end = CHECKSUM + 4 * ((payloadLength + 12 + 3) / 4);
    const std::array<std::uint8_t, 4> keyBytes{
        static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
        static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)};
    for (std::size_t word = CHECKSUM; word < end; word += 4) {
        for (std::size_t i = 0; i < 4; ++i) {
            datagram[word + i] ^= keyBytes[i];
        }
    }
    return true;
}

bool checksum_ok(std::uint32_t checksum, std::span<const std::uint8_t> payload) {
    return checksum - payloadSum(payload) == 0;
}

LinuxReply decodeLinuxReply(const LinuxDatagram& received) {
    return decodeChecked<LinuxReply>(
        received, [](const LinuxDatagram& clear, std::uint16_t opcode) -> LinuxReply {
            if (opcode != OP_IM_HERE) {
                return ReplyResult{opcode};
            }
            LinuxAnnouncement announcement;
            announcement.serial = decltype(announcement.serial)::read(clear, ANNOUNCE_SERIAL);
            announcement.webPort = fields::readU16(clear, ANNOUNCE_WEB_PORT);
            announcement.settings = readSettings(clear, ANNOUNCE_SETTINGS);
            announcement.carriedAddress =
                fields::readOctetsInOrder(clear, ANNOUNCE_CARRIED_ADDRESS);
            announcement.carriedPort = fields::readU16(clear, ANNOUNCE_CARRIED_PORT);
            announcement.mac = fields::readMac(clear, ANNOUNCE_MAC);
            return announcement;
        });
}

LinuxDatagram buildLinuxDiscovery(const MacAddress& senderMac, std::uint32_t key) {
    LinuxDatagram datagram{};
    seal(datagram, OP_DISCOVER, 0, senderMac, key);
    return datagram;
}

LinuxDatagram buildLinuxChange(const ChangeRequestFields& request, const MacAddress& senderMac,
                               std::uint32_t key) {
    LinuxDatagram datagram{};
    fields::writeText(datagram, CHANGE_ADMIN_ID, ADMIN_TEXT_WIDTH, request.adminId);
    fields::writeText(datagram, CHANGE_ADMIN_PASSWORD, ADMIN_TEXT_WIDTH, request.adminPassword);
    fields::writeMac(datagram, CHANGE_TARGET_MAC, request.targetMac);
    writeSettings(datagram, CHANGE_SETTINGS, request.settings);
    fields::writeOctetsInOrder(datagram, CHANGE_CARRIED_ADDRESS, request.carriedAddress);
    fields::writeU16(datagram, CHANGE_CARRIED_PORT, request.carriedPort);
    seal(datagram, OP_SET_NETWORK, CHANGE_PAYLOAD_LENGTH, senderMac, key);
    return datagram;
}

LinuxRequest decodeLinuxRequest(const LinuxDatagram& received) {
    return decodeChecked<LinuxRequest>(
        received, [](const LinuxDatagram& clear, std::uint16_t opcode) -> LinuxRequest {
            const MacAddress senderMac = fields::readMac(clear, SENDER_MAC);
            if (opcode == OP_DISCOVER) {
                return LinuxDiscoveryRequest{senderMac};
            }
            if (opcode != OP_SET_NETWORK) {
                return ReplyResult{opcode};
            }
            LinuxChangeRequest change;
            change.adminId = decltype(change.adminId)::read(clear, CHANGE_ADMIN_ID);
            change.adminPassword =
                decltype(change.adminPassword)::read(clear, CHANGE_ADMIN_PASSWORD);
            change.targetMac = fields::readMac(clear, CHANGE_TARGET_MAC);
            change.settings = readSettings(clear, CHANGE_SETTINGS);
            change.carriedAddress = fields::readOctetsInOrder(clear, CHANGE_CARRIED_ADDRESS);
            change.carriedPort = fields::readU16(clear, CHANGE_CARRIED_PORT);
            change.senderMac = senderMac;
            return change;
        });
}

LinuxDatagram encodeLinuxAnnouncement(const LinuxAnnouncement& announcement, std::uint32_t key) {
    LinuxDatagram datagram{};
    fields::writeText(datagram, ANNOUNCE_SERIAL, ANNOUNCE_SERIAL_WIDTH, announcement.serial.view());
    fields::writeU16(datagram, ANNOUNCE_WEB_PORT, announcement.webPort);
    writeSettings(datagram, ANNOUNCE_SETTINGS, announcement.settings);
    fields::writeOctetsInOrder(datagram, ANNOUNCE_CARRIED_ADDRESS, announcement.carriedAddress);
    fields::writeU16(datagram, ANNOUNCE_CARRIED_PORT, announcement.carriedPort);
    fields::writeMac(datagram, ANNOUNCE_MAC, announcement.mac);
    seal(datagram, OP_IM_HERE, ANNOUNCE_PAYLOAD_LENGTH, MacAddress{}, key);
    return datagram;
}

LinuxDatagram encodeLinuxResult(std::uint16_t opcode, std::uint32_t key) {
    LinuxDatagram datagram{};
    seal(datagram, opcode, 0, MacAddress{}, key);
    return datagram;
}

} // namespace netlark
