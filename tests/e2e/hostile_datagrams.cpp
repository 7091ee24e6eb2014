#include "hostile_datagrams.h"

#include "cameras/received_datagram.h"
#include "protocol/byte_fields.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

#include <cstdio>

namespace netlark::testing {

namespace {

const std::string INVALID_CHECKSUM = "OP_IM_HERE : Invalid checksum";
const std::string INVALID_OP = "Invalid OP";
const std::string INVALID_CREDENTIALS = "Invalid ID or/and Password";
const std::string CHANGE_SUCCEEDED = "Successfully changed Internet Camera's IP address";
/// Longer than 124 bytes: the receive fails with EMSGSIZE (90).
const std::string TOO_LONG = "recvfrom error = -1,90";

constexpr std::uint32_t KEY = 0x5A5AC3C3;

/// Shorter than 40 bytes: a receive error with the byte count and no error code.
std::string tooShort(std::size_t length) {
    return "recvfrom error = " + std::to_string(length) + ",0";
}

template <typename Bytes> std::vector<std::uint8_t> bytesOf(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> resized(std::vector<std::uint8_t> bytes, std::size_t length) {
    bytes.resize(length, 0x5A);
    return bytes;
}

std::vector<std::uint8_t> linuxAnnouncement() {
    LinuxAnnouncement camera;
    camera.serial = FieldText<linux_layout::ANNOUNCE_SERIAL_WIDTH>::from("JUNK-LINUX");
    camera.webPort = 80;
    camera.settings = {{10, 9, 8, 7}, {255, 0, 0, 0}, {10, 0, 0, 1}, {10, 0, 0, 2}};
    camera.carriedAddress = {10, 9, 8, 7};
    camera.carriedPort = 554;
    camera.mac = {0x02, 0x00, 0x00, 0x00, 0x00, 0x01};
    return bytesOf(encodeLinuxAnnouncement(camera, KEY));
}

std::vector<std::uint8_t> vxworksAnnouncement() {
    VxWorksAnnouncement camera;
    camera.serial = FieldText<vxworks_layout::ANNOUNCE_SERIAL_WIDTH>::from("JUNK-VX");
    camera.mac = {0x02, 0x00, 0x00, 0x00, 0x00, 0x02};
    camera.settings = {{10, 9, 8, 6}, {255, 0, 0, 0}, {10, 0, 0, 1}, {10, 0, 0, 2}};
    camera.carriedAddress = {10, 9, 8, 6};
    return bytesOf(encodeVxWorksAnnouncement(camera));
}

std::vector<std::uint8_t> withPayloadLength(std::vector<std::uint8_t> datagram,
                                            std::uint32_t length) {
    fields::writeU32(datagram, linux_layout::PAYLOAD_LENGTH, length);
    return datagram;
}

std::vector<std::uint8_t> withByte(std::vector<std::uint8_t> bytes, std::size_t at,
                                   std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

/// A VxWorks announcement whose opcode bytes are `first` and `second`.
std::vector<std::uint8_t> vxworksWithOpcode(std::uint8_t first, std::uint8_t second) {
    return withByte(withByte(vxworksAnnouncement(), 0, first), 1, second);
}

std::vector<std::uint8_t> randomBytes(std::mt19937& random, std::size_t length) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(length);
    for (std::uint8_t& value : bytes) {
        value = static_cast<std::uint8_t>(byte(random));
    }
    return bytes;
}

/// 124 random bytes behind a zero marker and `payloadLength`.
std::vector<std::uint8_t> linuxPastTheMarker(std::mt19937& random, std::uint32_t payloadLength) {
    std::vector<std::uint8_t> bytes = randomBytes(random, LINUX_DATAGRAM_SIZE);
    fields::writeU32(bytes, linux_layout::MARKER, 0);
    fields::writeU32(bytes, linux_layout::PAYLOAD_LENGTH, payloadLength);
    return bytes;
}

/// Random bytes: mostly of any length, else shaped to pass the length
/// dispatch and reach a decoder's later checks.
std::vector<std::uint8_t> shapedJunk(std::mt19937& random) {
    std::uniform_int_distribution<std::uint32_t> any;
    switch (std::uniform_int_distribution<int>(0, 7)(random)) {
    case 0: { // VxWorks length, often with a digit first, so opcodes come near the real ones
        std::vector<std::uint8_t> bytes = randomBytes(random, VXWORKS_REPLY_SIZE);
        if (any(random) % 2 == 0) {
            bytes[0] = static_cast<std::uint8_t>('0' + any(random) % 10);
        }
        return bytes;
    }
    case 1: // Linux, past the marker: the checksum is what stops it
        return linuxPastTheMarker(random, any(random) % (linux_layout::MAX_PAYLOAD + 1));
    case 2: // Linux, past the marker, claiming more payload than the datagram holds
        return linuxPastTheMarker(random,
                                  linux_layout::MAX_PAYLOAD + 1 +
                                      any(random) % (0xFFFFFFFFu - linux_layout::MAX_PAYLOAD));
    case 3: // Linux, sound but with any opcode
        return bytesOf(encodeLinuxResult(static_cast<std::uint16_t>(any(random)), any(random)));
    default:
        return randomBytes(random, std::uniform_int_distribution<std::size_t>(0, 2000)(random));
    }
}

std::string describe(const std::vector<std::uint8_t>& bytes) {
    std::string text = "random, " + std::to_string(bytes.size()) + " bytes";
    for (std::size_t i = 0; i < bytes.size() && i < 8; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
        text += hex;
    }
    return text;
}

} // namespace

std::vector<HostileDatagram> nastyDatagrams() {
    const std::vector<std::uint8_t> linuxCamera = linuxAnnouncement();
    const std::vector<std::uint8_t> vxworksCamera = vxworksAnnouncement();
    std::vector<std::uint8_t> setDoneBadChecksum = bytesOf(encodeLinuxResult(OP_SET_DONE, KEY));
    setDoneBadChecksum[linux_layout::CHECKSUM] ^= 0x01;
    return {
        {"empty", {}, tooShort(0)},
        {"12 bytes", std::vector<std::uint8_t>(12, 0x31), tooShort(12)},
        {"VxWorks announcement cut to 39 bytes", resized(vxworksCamera, 39), tooShort(39)},
        {"VxWorks announcement with a byte more", resized(vxworksCamera, 41), std::nullopt},
        {"60 bytes", std::vector<std::uint8_t>(60, 0x31), std::nullopt},
        {"Linux announcement cut to 123 bytes", resized(linuxCamera, 123), std::nullopt},
        {"Linux announcement with a byte more", resized(linuxCamera, 125), TOO_LONG},
        {"200 bytes", std::vector<std::uint8_t>(200, 0), TOO_LONG},
        {"2000 bytes", std::vector<std::uint8_t>(2000, 0xFF), TOO_LONG},
        {"Linux, payload_length 0xFFFFFFFF", withPayloadLength(linuxCamera, 0xFFFFFFFF),
         std::nullopt},
        {"Linux, payload_length 101", withPayloadLength(linuxCamera, 101), std::nullopt},
        {"Linux announcement, marker byte 0 set", withByte(linuxCamera, 0, 1), std::nullopt},
        {"Linux announcement, marker byte 3 set", withByte(linuxCamera, 3, 0x80), std::nullopt},
        {"Linux announcement, serial changed after the checksum",
         withByte(linuxCamera, linux_layout::ANNOUNCE_SERIAL,
                  linuxCamera[linux_layout::ANNOUNCE_SERIAL] ^ 0x20),
         INVALID_CHECKSUM},
        // A success with a bad checksum is only a bad checksum: no rescan.
        {"Linux success, bad checksum", setDoneBadChecksum, INVALID_CHECKSUM},
        {"Linux result 14", bytesOf(encodeLinuxResult(OP_AUTH_FAIL, KEY)), INVALID_CREDENTIALS},
        {"Linux result 10", bytesOf(encodeLinuxResult(OP_DISCOVER, KEY)), INVALID_OP},
        {"Linux result 12", bytesOf(encodeLinuxResult(OP_SET_NETWORK, KEY)), INVALID_OP},
        {"Linux result 0xFFFF", bytesOf(encodeLinuxResult(0xFFFF, KEY)), INVALID_OP},
        // Opcodes are 10 * (byte 0 - '0') + (byte 1 - '0') on signed bytes.
        {"VxWorks, opcode \"ab\"", vxworksWithOpcode('a', 'b'), INVALID_OP},
        {"VxWorks, opcode bytes FF FF", vxworksWithOpcode(0xFF, 0xFF), INVALID_OP},
        {"VxWorks, opcode \"1:\" (20)", vxworksWithOpcode('1', ':'), INVALID_OP},
        {"VxWorks, opcode \"0=\" (13)", vxworksWithOpcode('0', '='), CHANGE_SUCCEEDED},
        {"VxWorks, opcode \"0>\" (14)", vxworksWithOpcode('0', '>'), INVALID_CREDENTIALS},
        {"VxWorks, 40 zero bytes", std::vector<std::uint8_t>(40, 0), INVALID_OP},
    };
}

HostileDatagram randomJunk(std::mt19937& random) {
    while (true) {
        std::vector<std::uint8_t> bytes = shapedJunk(random);
        std::string what = describe(bytes);
        if (bytes.size() < static_cast<std::size_t>(VXWORKS_REPLY_SIZE)) {
            const std::size_t length = bytes.size();
            return {std::move(what), std::move(bytes), tooShort(length)};
        }
        if (bytes.size() > LINUX_DATAGRAM_SIZE) {
            return {std::move(what), std::move(bytes), TOO_LONG};
        }
        // From 40 to 124 bytes, the window's own dispatch says what it does.
        const DatagramAction action = actionForDatagram(bytes);
        if (std::holds_alternative<IgnoreDatagram>(action)) {
            return {std::move(what), std::move(bytes), std::nullopt};
        }
        const auto* reply = std::get_if<ReportReply>(&action);
        if (reply != nullptr && !reply->rescanAfter) {
            return {std::move(what), std::move(bytes), std::string(reply->message)};
        }
        // A camera or a Linux camera's success: not junk, draw again.
    }
}

} // namespace netlark::testing
