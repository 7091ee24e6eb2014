#pragma once

#include "protocol/addresses.h"

#include <optional>
#include <string>
#include <string_view>

namespace netlark {

/// "00:11:22:AA:BB:CC": upper-case hex pairs, the way the camera table shows MACs.
std::string macText(const MacAddress& mac);

/// "192.168.0.20".
std::string ipv4Text(const Ipv4Address& address);

/// Exactly six pairs of hex digits (either case) separated by ':'; nullopt otherwise.
std::optional<MacAddress> parseMac(std::string_view text);

/// A dotted quad of four decimal octets, nothing else; nullopt otherwise.
std::optional<Ipv4Address> parseIpv4(std::string_view text);

} // namespace netlark
