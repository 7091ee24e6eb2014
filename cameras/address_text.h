#pragma once

#include "protocol/addresses.h"

#include <optional>
#include <string_view>

namespace netlark {

/// Reads a dotted IPv4 address the way the classic socket library's inet_addr
/// does (also "a.b.c", "a.b", "a", hex "0x..", octal "0.."). Empty text reads
/// as nullopt; a non-empty text that is not an address reads as 255.255.255.255.
std::optional<Ipv4Address> readDottedAddress(std::string_view text);

/// Parses a MAC text of the table ("%02X:" six times): the pairs at character
/// positions 0, 3, 6, 9, 12 and 15, each read up to the next ':' or the end;
/// 0-9 count their value, any other character its lower-case code minus 87
/// (so a-f and A-F count 10-15); the low 8 bits are kept. Never fails: a text
/// too short reads its missing pairs as 0.
MacAddress parseMacText(std::string_view text);

} // namespace netlark
