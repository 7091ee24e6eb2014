#pragma once

#include "protocol/addresses.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Strict readers of the texts a camera row is made of: they accept only the
// exact form the row's formats print, so a cell that reads here is well formed.
namespace netlark::fuzzing {

/// "0" to "65535" with no sign and no leading zero, as "%d" prints a port.
std::optional<std::uint16_t> readCanonicalPort(std::string_view text);

/// Four canonical decimals of 0 to 255 joined by dots, as "%ld.%ld.%ld.%ld" prints.
std::optional<Ipv4Address> readCanonicalDotted(std::string_view text);

/// Six upper-case hexadecimal pairs joined by colons, as "%02X:..." prints.
std::optional<MacAddress> readCanonicalMac(std::string_view text);

} // namespace netlark::fuzzing
