#include "fuzz/checks/linux_reference.h"

#include "protocol/byte_fields.h"

namespace netlark::fuzzing {

namespace {

constexpr std::size_t REGION_START = 12;
constexpr std::uint32_t LARGEST_FITTING_PAYLOAD = 100;

/// Region byte i is XORed with key byte i mod 4; the region is payload_length
/// + 12 bytes rounded up to whole words.
void xorRegion(LinuxDatagram& d, std::uint32_t key) {
    const std::size_t regionBytes = (fields::readU32(d, 4) + REGION_START + 3) / 4 * 4;
    for (std::size_t i = 0; i < regionBytes; ++i) {
        d[REGION_START + i] ^= static_cast<std::uint8_t>(key >> (8 * (i % 4)));
    }
}

} // namespace

LinuxFraming readLinuxFraming(const LinuxDatagram& received) {
    LinuxFraming framing;
    framing.markerZero = fields::readU32(received, 0) == 0;
    framing.payloadLength = fields::readU32(received, 4);
    framing.key = fields::readU32(received, 8);
    framing.fits = framing.payloadLength <= LARGEST_FITTING_PAYLOAD;
    if (!framing.fits) {
        return framing;
    }
    framing.clear = received;
    xorRegion(framing.clear, framing.key);
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < framing.payloadLength; ++i) {
        sum += framing.clear[24 + i];
    }
    framing.checksumOk = sum == fields::readU32(framing.clear, 12);
    framing.opcode = fields::readU16(framing.clear, 16);
    return framing;
}

LinuxDatagram rekeyed(const LinuxDatagram& received, std::uint32_t newKey) {
    LinuxDatagram d = readLinuxFraming(received).clear;
    fields::writeU32(d, 8, newKey);
    xorRegion(d, newKey);
    return d;
}

LinuxAnnouncement announcementAt(const LinuxDatagram& clear) {
    LinuxAnnouncement a;
    a.serial = decltype(a.serial)::read(clear, 24);
    a.webPort = fields::readU16(clear, 42);
    a.settings.ip = fields::readFirstOctetHigh(clear, 44);
    a.settings.subnetMask = fields::readFirstOctetHigh(clear, 48);
    a.settings.gateway = fields::readFirstOctetHigh(clear, 52);
    a.settings.dns = fields::readOctetsInOrder(clear, 56);
    a.carriedAddress = fields::readOctetsInOrder(clear, 60);
    a.carriedPort = fields::readU16(clear, 64);
    a.mac = fields::readMac(clear, 66);
    return a;
}

LinuxChangeRequest changeRequestAt(const LinuxDatagram& clear) {
    LinuxChangeRequest c;
    c.adminId = decltype(c.adminId)::read(clear, 24);
    c.adminPassword = decltype(c.adminPassword)::read(clear, 34);
    c.targetMac = fields::readMac(clear, 44);
    c.settings.ip = fields::readFirstOctetHigh(clear, 52);
    c.settings.subnetMask = fields::readFirstOctetHigh(clear, 56);
    c.settings.gateway = fields::readFirstOctetHigh(clear, 60);
    c.settings.dns = fields::readOctetsInOrder(clear, 64);
    c.carriedAddress = fields::readOctetsInOrder(clear, 68);
    c.carriedPort = fields::readU16(clear, 72);
    c.senderMac = fields::readMac(clear, 18);
    return c;
}

} // namespace netlark::fuzzing
