#pragma once

#include <cstdint>
#include <span>

namespace netlark::fuzzing {

/// The opcode as the firmware reads it: 10 x (byte 0 - '0') + (byte 1 - '0'),
/// the bytes taken as signed 8-bit values and not checked to be digits.
inline int vxworksOpcodeOf(std::span<const std::uint8_t> datagram) {
    const auto digit = [](std::uint8_t byte) { return static_cast<std::int8_t>(byte) - '0'; };
    return 10 * digit(datagram[0]) + digit(datagram[1]);
}

/// The two ASCII digits "%02d" writes for an opcode of 0 to 99.
inline bool startsWithDigits(std::span<const std::uint8_t> datagram, int opcode) {
    return datagram[0] == '0' + opcode / 10 && datagram[1] == '0' + opcode % 10;
}

} // namespace netlark::fuzzing
