#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace netlark::testing {

/// A datagram that is no camera's announcement, and how the window must
/// react to it: the one message it shows, or none.
struct HostileDatagram {
    std::string what; // names the datagram in a failure report
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> message;
};

/// Hand-made datagrams at the edges of the receive path and of both
/// decoders, each with its reaction written out.
std::vector<HostileDatagram> nastyDatagrams();

/// A random datagram: any length from 0 to 2,000 bytes, or either family's
/// length with a shape that reaches deeper into its decoder. Never one that
/// lists a camera or makes the window rescan.
HostileDatagram randomJunk(std::mt19937& random);

} // namespace netlark::testing
