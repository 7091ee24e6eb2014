#include "protocol/vxworks_datagram.h"

#include "protocol/byte_fields.h"

namespace netlark {

using namespace vxworks_layout;

namespace {

/// Writes an opcode of 0 to 99 as two decimal digits ("%02d") at offset 0.
void writeOpcode(std::span<std::uint8_t> datagram, int opcode) {
    datagram[OPCODE] = static_cast<std::uint8_t>('0' + opcode / 10 % 10);
    datagram[OPCODE + 1] = static_cast<std::uint8_t>('0' + opcode % 10);
}

} // namespace

int vxworksOpcode(std::uint8_t first, std::uint8_t second) {
    return 10 * (static_cast<std::int8_t>(first) - '0') + (static_cast<std::int8_t>(second) - '0');
}

VxWorksReplyContent decodeVxWorksReply(const VxWorksReply& received) {
    const int opcode = vxworksOpcode(received[OPCODE], received[OPCODE + 1]);
    if (opcode != OP_IM_HERE) {
        return ReplyResult{opcode};
    }
    VxWorksAnnouncement announcement;
    announcement.serial = decltype(announcement.serial)::read(received, ANNOUNCE_SERIAL);
    announcement.mac = fields::readMac(received, ANNOUNCE_MAC);
    announcement.settings.gateway = fields::readOctetsInOrder(received, ANNOUNCE_GATEWAY);
    announcement.settings.subnetMask = fields::readOctetsInOrder(received, ANNOUNCE_SUBNET_MASK);
    announcement.settings.dns = fields::readOctetsInOrder(received, ANNOUNCE_DNS);
    announcement.carriedAddress = fields::readOctetsInOrder(received, ANNOUNCE_CARRIED_ADDRESS);
    announcement.settings.ip = fields::readOctetsInOrder(received, ANNOUNCE_IP);
    return announcement;
}

VxWorksRequest buildVxWorksDiscovery() {
    VxWorksRequest datagram{};
    writeOpcode(datagram, OP_DISCOVER);
    datagram[2] = 'x';
    datagram[3] = 'y';
    return datagram;
}

VxWorksRequest buildVxWorksChange(const ChangeRequestFields& request) {
    VxWorksRequest datagram{};
    writeOpcode(datagram, OP_SET_NETWORK);
    fields::writeText(datagram, CHANGE_ADMIN_ID, ADMIN_TEXT_WIDTH, request.adminId);
    fields::writeText(datagram, CHANGE_ADMIN_PASSWORD, ADMIN_TEXT_WIDTH, request.adminPassword);
    fields::writeOctetsInOrder(datagram, CHANGE_IP, request.settings.ip);
    fields::writeMac(datagram, CHANGE_TARGET_MAC, request.targetMac);
    fields::writeOctetsInOrder(datagram, CHANGE_GATEWAY, request.settings.gateway);
    fields::writeOctetsInOrder(datagram, CHANGE_SUBNET_MASK, request.settings.subnetMask);
    fields::writeOctetsInOrder(datagram, CHANGE_DNS, request.settings.dns);
    fields::writeOctetsInOrder(datagram, CHANGE_CARRIED_ADDRESS, request.carriedAddress);
    return datagram;
}

VxWorksRequestContent decodeVxWorksRequest(const VxWorksRequest& received) {
    const int opcode = vxworksOpcode(received[OPCODE], received[OPCODE + 1]);
    if (opcode == OP_DISCOVER) {
        return VxWorksDiscoveryRequest{};
    }
    if (opcode != OP_SET_NETWORK) {
        return ReplyResult{opcode};
    }
    VxWorksChangeRequest change;
    change.adminId = decltype(change.adminId)::read(received, CHANGE_ADMIN_ID);
    change.adminPassword = decltype(change.adminPassword)::read(received, CHANGE_ADMIN_PASSWORD);
    change.settings.ip = fields::readOctetsInOrder(received, CHANGE_IP);
    change.targetMac = fields::readMac(received, CHANGE_TARGET_MAC);
    change.settings.gateway = fields::readOctetsInOrder(received, CHANGE_GATEWAY);
    change.settings.subnetMask = fields::readOctetsInOrder(received, CHANGE_SUBNET_MASK);
    change.settings.dns = fields::readOctetsInOrder(received, CHANGE_DNS);
    change.carriedAddress = fields::readOctetsInOrder(received, CHANGE_CARRIED_ADDRESS);
    return change;
}

VxWorksReply encodeVxWorksAnnouncement(const VxWorksAnnouncement& announcement) {
    VxWorksReply datagram{};
    writeOpcode(datagram, OP_IM_HERE);
    fields::writeText(datagram, ANNOUNCE_SERIAL, ANNOUNCE_SERIAL_WIDTH, announcement.serial.view());
    fields::writeMac(datagram, ANNOUNCE_MAC, announcement.mac);
    fields::writeOctetsInOrder(datagram, ANNOUNCE_GATEWAY, announcement.settings.gateway);
    fields::writeOctetsInOrder(datagram, ANNOUNCE_SUBNET_MASK, announcement.settings.subnetMask);
    fields::writeOctetsInOrder(datagram, ANNOUNCE_DNS, announcement.settings.dns);
    fields::writeOctetsInOrder(datagram, ANNOUNCE_CARRIED_ADDRESS, announcement.carriedAddress);
    fields::writeOctetsInOrder(datagram, ANNOUNCE_IP, announcement.settings.ip);
    return datagram;
}

VxWorksReply encodeVxWorksResult(int opcode) {
    VxWorksReply datagram{};
    writeOpcode(datagram, opcode);
    return datagram;
}

} // namespace netlark
