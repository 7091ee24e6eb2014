#pragma once

#include "protocol/addresses.h"
#include "protocol/change_request_fields.h"
#include "protocol/field_text.h"
#include "protocol/opcodes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>

// The VxWorks camera family's datagrams: a two-digit ASCII opcode, then fixed
// fields. Requests are 50 bytes, replies 40. No header, key or checksum; every
// address is four octets in written order.
namespace netlark {

inline constexpr std::size_t VXWORKS_REQUEST_SIZE = 50;
inline constexpr std::size_t VXWORKS_REPLY_SIZE = 40;
using VxWorksRequest = std::array<std::uint8_t, VXWORKS_REQUEST_SIZE>;
using VxWorksReply = std::array<std::uint8_t, VXWORKS_REPLY_SIZE>;

namespace vxworks_layout {
inline constexpr std::size_t OPCODE = 0; // two ASCII digits

// Announcement (OP_IM_HERE), 40 bytes.
inline constexpr std::size_t ANNOUNCE_SERIAL = 2; // 12 characters
inline constexpr std::size_t ANNOUNCE_SERIAL_WIDTH = 12;
inline constexpr std::size_t ANNOUNCE_MAC = 14;
inline constexpr std::size_t ANNOUNCE_GATEWAY = 20;
inline constexpr std::size_t ANNOUNCE_SUBNET_MASK = 24;
inline constexpr std::size_t ANNOUNCE_DNS = 28;
inline constexpr std::size_t ANNOUNCE_CARRIED_ADDRESS = 32;
inline constexpr std::size_t ANNOUNCE_IP = 36;

// Change request (OP_SET_NETWORK), 50 bytes.
inline constexpr std::size_t CHANGE_ADMIN_ID = 2;        // 10 characters
inline constexpr std::size_t CHANGE_ADMIN_PASSWORD = 12; // 10 characters
inline constexpr std::size_t CHANGE_IP = 22;
inline constexpr std::size_t CHANGE_TARGET_MAC = 26;
inline constexpr std::size_t CHANGE_GATEWAY = 32;
inline constexpr std::size_t CHANGE_SUBNET_MASK = 36;
inline constexpr std::size_t CHANGE_DNS = 40;
inline constexpr std::size_t CHANGE_CARRIED_ADDRESS = 44; // then 2 zero bytes
} // namespace vxworks_layout

/// The opcode of a received datagram: 10 * (byte0 - '0') + (byte1 - '0'), on
/// the bytes taken as signed 8-bit values and without checking for digits, as
/// the cameras' firmware computes it (so "0;" reads as 11).
int vxworksOpcode(std::uint8_t first, std::uint8_t second);

/// What a VxWorks camera announces about itself.
struct VxWorksAnnouncement {
    FieldText<vxworks_layout::ANNOUNCE_SERIAL_WIDTH> serial;
    MacAddress mac{};
    NetworkSettings settings;
    Ipv4Address carriedAddress{};

    bool operator==(const VxWorksAnnouncement&) const = default;
};

using VxWorksReplyContent = std::variant<VxWorksAnnouncement, ReplyResult>;

/// Decodes a received 40-byte datagram: an announcement (opcode 11) or a result.
VxWorksReplyContent decodeVxWorksReply(const VxWorksReply& received);

/// The discovery request: "10xy" and 46 zero bytes.
VxWorksRequest buildVxWorksDiscovery();

/// The change request (opcode 12). carriedPort is not part of this family's request.
VxWorksRequest buildVxWorksChange(const ChangeRequestFields& fields);

// The camera's side, for the emulator and for tests.

struct VxWorksDiscoveryRequest {
    bool operator==(const VxWorksDiscoveryRequest&) const = default;
};

struct VxWorksChangeRequest {
    FieldText<ADMIN_TEXT_WIDTH> adminId;
    FieldText<ADMIN_TEXT_WIDTH> adminPassword;
    MacAddress targetMac{};
    NetworkSettings settings;
    Ipv4Address carriedAddress{};

    bool operator==(const VxWorksChangeRequest&) const = default;
};

/// A received request; ReplyResult carries any opcode that is not a request.
using VxWorksRequestContent =
    std::variant<VxWorksDiscoveryRequest, VxWorksChangeRequest, ReplyResult>;

VxWorksRequestContent decodeVxWorksRequest(const VxWorksRequest& received);

VxWorksReply encodeVxWorksAnnouncement(const VxWorksAnnouncement& announcement);

/// A result reply: the opcode's two digits and 38 zero bytes.
VxWorksReply encodeVxWorksResult(int opcode);

} // namespace netlark
