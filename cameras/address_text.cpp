#include "cameras/address_text.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace netlark {

namespace {

constexpr Ipv4Address NO_ADDRESS{255, 255, 255, 255};
constexpr std::size_t MAX_PARTS = 4;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// Reads one part of a dotted address with the C rules for its base ("0x.."
/// hexadecimal, "0.." octal, else decimal) and advances `rest` past it.
/// Fails on a missing number or one that does not fit 32 bits.
std::optional<std::uint32_t> readPart(std::string_view& rest) {
    int base = 10;
    std::size_t skip = 0;
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        base = 16;
        skip = 2;
    } else if (!rest.empty() && rest[0] == '0') {
        base = 8;
    }
    if (base != 16 && (rest.empty() || !isDigit(rest[0]))) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(rest.data() + skip, rest.data() + rest.size(), value, base);
    if (error != std::errc{}) {
        return std::nullopt;
    }
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return value;
}

/// Spreads the parts over the four octets: the last part fills every octet
/// the others leave, so "10.1" is 10.0.0.1 and "167772161" is 10.0.0.1.
std::optional<Ipv4Address> combineParts(const std::array<std::uint32_t, MAX_PARTS>& parts,
                                        std::size_t count) {
    const std::size_t lastOctets = MAX_PARTS - (count - 1);
    const std::uint64_t lastLimit = (std::uint64_t{1} << (8 * lastOctets)) - 1;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (parts[i] > 255) {
            return std::nullopt;
        }
    }
    if (parts[count - 1] > lastLimit) {
        return std::nullopt;
    }
    Ipv4Address address{};
    for (std::size_t i = 0; i + 1 < count; ++i) {
        address[i] = static_cast<std::uint8_t>(parts[i]);
    }
    for (std::size_t i = 0; i < lastOctets; ++i) {
        address[MAX_PARTS - 1 - i] = static_cast<std::uint8_t>(parts[count - 1] >> (8 * i));
    }
    return address;
}

std::optional<Ipv4Address> parseDotted(std::string_view text) {
    std::array<std::uint32_t, MAX_PARTS> parts{};
    std::size_t count = 0;
    while (true) {
        const auto part = readPart(text);
        if (!part || count == MAX_PARTS) {
            return std::nullopt;
        }
        parts[count++] = *part;
        if (text.empty()) {
            return combineParts(parts, count);
        }
        if (text[0] != '.') {
            return std::nullopt;
        }
        text.remove_prefix(1);
    }
}

/// A character's worth in a MAC text pair: its digit value, or its lower-case
/// code minus 87, so a-f count 10-15 and any other character counts whatever
/// that gives, never an error.
unsigned macDigitValue(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (isDigit(c)) {
        return byte - '0';
    }
    const unsigned lower = byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
    return lower - 87u;
}

} // namespace

std::optional<Ipv4Address> readDottedAddress(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return parseDotted(text).value_or(NO_ADDRESS);
}

MacAddress parseMacText(std::string_view text) {
    constexpr std::size_t PAIR_STRIDE = 3;
    MacAddress mac{};
    for (std::size_t i = 0; i < mac.size(); ++i) {
        unsigned value = 0;
        for (std::size_t at = i * PAIR_STRIDE;
             at < text.size() && text[at] != ':' && text[at] != '\0'; ++at) {
            value = value * 16 + macDigitValue(text[at]);
        }
        mac[i] = static_cast<std::uint8_t>(value);
    }
    return mac;
}

} // namespace netlark
