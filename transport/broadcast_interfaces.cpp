#include "transport/broadcast_interfaces.h"

#include <algorithm>
#include <cstring>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <memory>
#include <net/if.h>
#include <netinet/in.h>

namespace netlark {

namespace {

bool isBroadcastIpv4(const ifaddrs& entry) {
    const unsigned flags = entry.ifa_flags;
    return entry.ifa_addr != nullptr && entry.ifa_addr->sa_family == AF_INET &&
           (flags & IFF_UP) != 0 && (flags & IFF_BROADCAST) != 0 && (flags & IFF_LOOPBACK) == 0;
}

// An address given a label ("eth0:1") is listed under the label; interface
// names never hold a colon, so the interface is the part before it.
std::string interfaceName(const char* listedName) {
    return std::string(listedName, std::strcspn(listedName, ":"));
}

MacAddress hardwareAddress(const ifaddrs* entries, const std::string& name) {
    for (const ifaddrs* entry = entries; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_PACKET ||
            name != entry->ifa_name) {
            continue;
        }
        const auto* link = reinterpret_cast<const sockaddr_ll*>(entry->ifa_addr);
        MacAddress mac{};
        if (link->sll_halen == mac.size()) {
            std::copy_n(link->sll_addr, mac.size(), mac.begin());
        }
        return mac;
    }
    return MacAddress{};
}

} // namespace

std::vector<BroadcastInterface> broadcastInterfaces() {
    std::vector<BroadcastInterface> found;
    ifaddrs* entries = nullptr;
    if (::getifaddrs(&entries) != 0) {
        return found;
    }
    const std::unique_ptr<ifaddrs, decltype(&::freeifaddrs)> owner(entries, &::freeifaddrs);

    for (const ifaddrs* entry = entries; entry != nullptr; entry = entry->ifa_next) {
        if (!isBroadcastIpv4(*entry)) {
            continue;
        }
        std::string name = interfaceName(entry->ifa_name);
        if (std::ranges::any_of(
                found, [&](const BroadcastInterface& known) { return known.name == name; })) {
            continue;
        }
        const unsigned index = ::if_nametoindex(name.c_str());
        if (index == 0) {
            continue; // gone since the list was read
        }
        const MacAddress mac = hardwareAddress(entries, name);
        found.push_back({index, std::move(name), mac});
    }
    return found;
}

} // namespace netlark
