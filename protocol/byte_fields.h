#pragma once

#include "protocol/addresses.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Field access at fixed offsets of a datagram, one field at a time with an
// explicit byte order. Callers pass offsets from the wire tables; the
// fixed-size spans make an out-of-range field a compile-time or debug error
// rather than a silent overrun.
namespace netlark::fields {

inline std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

inline void writeU16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void writeU32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

/// Octets in order: 192.168.0.20 is the bytes 192, 168, 0, 20.
inline Ipv4Address readOctetsInOrder(std::span<const std::uint8_t> bytes, std::size_t at) {
    return {bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]};
}

inline void writeOctetsInOrder(std::span<std::uint8_t> bytes, std::size_t at,
                               const Ipv4Address& address) {
    std::copy(address.begin(), address.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

/// First-octet-high: a little-endian 32-bit number whose most significant byte is
/// the first octet, so 192.168.0.20 is the bytes 20, 0, 168, 192.
inline Ipv4Address readFirstOctetHigh(std::span<const std::uint8_t> bytes, std::size_t at) {
    return {bytes[at + 3], bytes[at + 2], bytes[at + 1], bytes[at]};
}

inline void writeFirstOctetHigh(std::span<std::uint8_t> bytes, std::size_t at,
                                const Ipv4Address& address) {
    writeOctetsInOrder(bytes, at, {address[3], address[2], address[1], address[0]});
}

inline MacAddress readMac(std::span<const std::uint8_t> bytes, std::size_t at) {
    MacAddress mac{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), mac.size(), mac.begin());
    return mac;
}

inline void writeMac(std::span<std::uint8_t> bytes, std::size_t at, const MacAddress& mac) {
    std::copy(mac.begin(), mac.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

/// Writes at most `width` bytes of `text`, leaving the rest of the field as it
/// was (zero in a freshly built datagram): a text of exactly `width`
/// characters has no terminating zero.
inline void writeText(std::span<std::uint8_t> bytes, std::size_t at, std::size_t width,
                      std::string_view text) {
    const std::size_t n = std::min(width, text.size());
    std::copy_n(text.begin(), n, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace netlark::fields
