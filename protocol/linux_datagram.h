#pragma once

#include "protocol/addresses.h"
#include "protocol/change_request_fields.h"
#include "protocol/field_text.h"
#include "protocol/opcodes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

// The Linux camera family's datagram: always 124 bytes, a 24-byte header, a
// payload covered by a byte-sum checksum, and an XOR scramble keyed by a value
// the datagram carries in clear. All integers are little-endian.
namespace netlark {

inline constexpr std::size_t LINUX_DATAGRAM_SIZE = 124;
using LinuxDatagram = std::array<std::uint8_t, LINUX_DATAGRAM_SIZE>;

namespace linux_layout {
inline constexpr std::size_t MARKER = 0;         // 4 zero bytes
inline constexpr std::size_t PAYLOAD_LENGTH = 4; // u32, never scrambled
inline constexpr std::size_t KEY = 8;            // u32, never scrambled
inline constexpr std::size_t CHECKSUM = 12;      // u32 sum of the payload bytes
inline constexpr std::size_t OPCODE = 16;        // u16
inline constexpr std::size_t SENDER_MAC = 18;    // 6 bytes, requests only
inline constexpr std::size_t PAYLOAD = 24;
/// The most payload that fits: a larger payload_length would take the scramble
/// and the checksum past the end of the datagram.
inline constexpr std::uint32_t MAX_PAYLOAD = LINUX_DATAGRAM_SIZE - PAYLOAD;

// Announcement (OP_IM_HERE), datagram offsets.
inline constexpr std::size_t ANNOUNCE_SERIAL = 24; // 14 characters
inline constexpr std::size_t ANNOUNCE_SERIAL_WIDTH = 14;
inline constexpr std::size_t ANNOUNCE_WEB_PORT = 42;        // u16
inline constexpr std::size_t ANNOUNCE_IP = 44;              // first-octet-high
inline constexpr std::size_t ANNOUNCE_SUBNET_MASK = 48;     // first-octet-high
inline constexpr std::size_t ANNOUNCE_GATEWAY = 52;         // first-octet-high
inline constexpr std::size_t ANNOUNCE_DNS = 56;             // octets in order
inline constexpr std::size_t ANNOUNCE_CARRIED_ADDRESS = 60; // octets in order
inline constexpr std::size_t ANNOUNCE_CARRIED_PORT = 64;    // u16
inline constexpr std::size_t ANNOUNCE_MAC = 66;             // 6 bytes
inline constexpr std::uint32_t ANNOUNCE_PAYLOAD_LENGTH = 48;

// Change request (OP_SET_NETWORK), datagram offsets.
inline constexpr std::size_t CHANGE_ADMIN_ID = 24;        // 10 characters
inline constexpr std::size_t CHANGE_ADMIN_PASSWORD = 34;  // 10 characters
inline constexpr std::size_t CHANGE_TARGET_MAC = 44;      // 6 bytes, then 2 zero
inline constexpr std::size_t CHANGE_IP = 52;              // first-octet-high
inline constexpr std::size_t CHANGE_SUBNET_MASK = 56;     // first-octet-high
inline constexpr std::size_t CHANGE_GATEWAY = 60;         // first-octet-high
inline constexpr std::size_t CHANGE_DNS = 64;             // octets in order
inline constexpr std::size_t CHANGE_CARRIED_ADDRESS = 68; // octets in order
inline constexpr std::size_t CHANGE_CARRIED_PORT = 72;    // u16, then 10 zero
inline constexpr std::uint32_t CHANGE_PAYLOAD_LENGTH = 60;
} // namespace linux_layout

/// The key Netlark scrambles its requests with. The key travels in clear, so a
/// fresh key would hide nothing; a fixed one keeps every request reproducible.
inline constexpr std::uint32_t NETLARK_REQUEST_KEY = 0x4B52414Cu;

/// XORs the scramble region in place: from offset 12, payload_length + 12 bytes
/// rounded up to whole 32-bit words, each word XOR key. Scrambling twice with
/// the same key restores the datagram. Returns false, touching nothing, when
/// payload_length is above MAX_PAYLOAD (the region would leave the datagram).
bool scramble(LinuxDatagram& datagram, std::uint32_t key);

/// True when checksum minus the sum of the payload's bytes is 0 modulo 2^32.
bool checksum_ok(std::uint32_t checksum, std::span<const std::uint8_t> payload);

/// What a Linux camera announces about itself.
struct LinuxAnnouncement {
    FieldText<linux_layout::ANNOUNCE_SERIAL_WIDTH> serial;
    std::uint16_t webPort = 0;
    NetworkSettings settings;
    Ipv4Address carriedAddress{};
    std::uint16_t carriedPort = 0;
    MacAddress mac{};

    bool operator==(const LinuxAnnouncement&) const = default;
};

/// Dropped without a message: bad marker, or a payload_length the datagram cannot hold.
struct LinuxDropped {
    bool operator==(const LinuxDropped&) const = default;
};

/// The payload does not match its checksum.
struct LinuxChecksumFailure {
    bool operator==(const LinuxChecksumFailure&) const = default;
};

using LinuxReply = std::variant<LinuxDropped, LinuxChecksumFailure, LinuxAnnouncement, ReplyResult>;

/// Decodes a received 124-byte datagram: marker check, unscramble, checksum,
/// then the opcode (11 an announcement, anything else a result).
LinuxReply decodeLinuxReply(const LinuxDatagram& received);

/// The discovery request (OP_DISCOVER): no payload, `senderMac` in the header.
LinuxDatagram buildLinuxDiscovery(const MacAddress& senderMac,
                                  std::uint32_t key = NETLARK_REQUEST_KEY);

/// The change request (OP_SET_NETWORK), 60-byte payload.
LinuxDatagram buildLinuxChange(const ChangeRequestFields& fields, const MacAddress& senderMac,
                               std::uint32_t key = NETLARK_REQUEST_KEY);

// The camera's side, for the emulator and for tests.

struct LinuxDiscoveryRequest {
    MacAddress senderMac{};

    bool operator==(const LinuxDiscoveryRequest&) const = default;
};

struct LinuxChangeRequest {
    FieldText<ADMIN_TEXT_WIDTH> adminId;
    FieldText<ADMIN_TEXT_WIDTH> adminPassword;
    MacAddress targetMac{};
    NetworkSettings settings;
    Ipv4Address carriedAddress{};
    std::uint16_t carriedPort = 0;
    MacAddress senderMac{};

    bool operator==(const LinuxChangeRequest&) const = default;
};

/// A received request; ReplyResult carries any opcode that is not a request.
using LinuxRequest = std::variant<LinuxDropped, LinuxChecksumFailure, LinuxDiscoveryRequest,
                                  LinuxChangeRequest, ReplyResult>;

LinuxRequest decodeLinuxRequest(const LinuxDatagram& received);

/// An announcement as a camera sends it (48-byte payload).
LinuxDatagram encodeLinuxAnnouncement(const LinuxAnnouncement& announcement, std::uint32_t key);

/// A result reply (OP_SET_DONE, OP_AUTH_FAIL or any opcode) with no payload.
LinuxDatagram encodeLinuxResult(std::uint16_t opcode, std::uint32_t key);

} // namespace netlark
