#pragma once

#include <cstdint>

namespace netlark {

/// Every request goes to 255.255.255.255 on this port.
inline constexpr std::uint16_t DISCOVERY_PORT = 7890;
/// Every reply comes back to this port.
inline constexpr std::uint16_t REPLY_PORT = 1168;

} // namespace netlark
