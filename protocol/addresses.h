#pragma once

#include <array>
#include <cstdint>

namespace netlark {

/// An IPv4 address as its four octets in written order (192.168.0.20 is {192, 168, 0, 20}).
using Ipv4Address = std::array<std::uint8_t, 4>;

/// A MAC address as its six bytes, first byte first.
using MacAddress = std::array<std::uint8_t, 6>;

/// The four addresses a camera is given or announces.
struct NetworkSettings {
    Ipv4Address ip{};
    Ipv4Address subnetMask{};
    Ipv4Address gateway{};
    Ipv4Address dns{};

    bool operator==(const NetworkSettings&) const = default;
};

} // namespace netlark
