#pragma once

#include "protocol/addresses.h"

#include <string>
#include <vector>

namespace netlark {

/// A network interface a limited broadcast can be sent through.
struct BroadcastInterface {
    unsigned index = 0;
    std::string name;
    /// The interface's hardware address; all zero when it has no 6-byte one.
    MacAddress mac{};

    bool operator==(const BroadcastInterface&) const = default;
};

/// The interfaces that are up, broadcast-capable, not loopback and have an
/// IPv4 address, once each, in the order the system lists their addresses.
/// Read afresh at every call, since adapters come and go.
std::vector<BroadcastInterface> broadcastInterfaces();

} // namespace netlark
