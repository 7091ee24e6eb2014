#include "tools/camsim/address_format.h"

#include <arpa/inet.h>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace netlark {

std::string macText(const MacAddress& mac) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return text;
}

std::string ipv4Text(const Ipv4Address& address) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address[0], address[1], address[2], address[3]);
    return text;
}

std::optional<MacAddress> parseMac(std::string_view text) {
    constexpr std::size_t TEXT_LENGTH = 17;
    if (text.size() != TEXT_LENGTH) {
        return std::nullopt;
    }
    MacAddress mac{};
    for (std::size_t i = 0; i < mac.size(); ++i) {
        const char* pair = text.data() + 3 * i;
        if (i > 0 && pair[-1] != ':') {
            return std::nullopt;
        }
        const auto [end, error] = std::from_chars(pair, pair + 2, mac[i], 16);
        if (error != std::errc{} || end != pair + 2) {
            return std::nullopt;
        }
    }
    return mac;
}

std::optional<Ipv4Address> parseIpv4(std::string_view text) {
    // inet_pton takes exactly the dotted quad, unlike the lenient inet_addr.
    const std::string terminated(text);
    in_addr address{};
    if (inet_pton(AF_INET, terminated.c_str(), &address) != 1) {
        return std::nullopt;
    }
    Ipv4Address octets{};
    std::memcpy(octets.data(), &address.s_addr, octets.size());
    return octets;
}

} // namespace netlark
