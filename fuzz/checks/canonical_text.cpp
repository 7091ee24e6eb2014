#include "fuzz/checks/canonical_text.h"

#include <algorithm>
#include <cstddef>

namespace netlark::fuzzing {

namespace {

/// A canonical decimal of at most `maximum`, or nullopt.
std::optional<unsigned> readCanonicalDecimal(std::string_view text, unsigned maximum) {
    if (text.empty() || text.size() > 5 || (text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > maximum) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint8_t> upperHexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint16_t> readCanonicalPort(std::string_view text) {
    const auto value = readCanonicalDecimal(text, 65535);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*value);
}

std::optional<Ipv4Address> readCanonicalDotted(std::string_view text) {
    Ipv4Address address{};
    for (std::size_t i = 0; i < address.size(); ++i) {
        const std::size_t dot = i + 1 < address.size() ? text.find('.') : text.size();
        if (dot == std::string_view::npos) {
            return std::nullopt;
        }
        const auto octet = readCanonicalDecimal(text.substr(0, dot), 255);
        if (!octet) {
            return std::nullopt;
        }
        address[i] = static_cast<std::uint8_t>(*octet);
        text.remove_prefix(std::min(text.size(), dot + 1));
    }
    return address;
}

std::optional<MacAddress> readCanonicalMac(std::string_view text) {
    constexpr std::size_t LENGTH = 17;
    if (text.size() != LENGTH) {
        return std::nullopt;
    }
    MacAddress mac{};
    for (std::size_t i = 0; i < mac.size(); ++i) {
        const std::size_t at = 3 * i;
        const auto high = upperHexDigit(text[at]);
        const auto low = upperHexDigit(text[at + 1]);
        if (!high || !low || (at + 2 < LENGTH && text[at + 2] != ':')) {
            return std::nullopt;
        }
        mac[i] = static_cast<std::uint8_t>(*high << 4 | *low);
    }
    return mac;
}

} // namespace netlark::fuzzing
