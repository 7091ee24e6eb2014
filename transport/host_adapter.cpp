#include "transport/host_adapter.h"

#include <algorithm>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <memory>
#include <net/if.h>

namespace netlark {

MacAddress readHostAdapterAddress() {
    MacAddress address{};
    ifaddrs* adapters = nullptr;
    if (::getifaddrs(&adapters) != 0) {
        return address;
    }
    const std::unique_ptr<ifaddrs, decltype(&::freeifaddrs)> owner(adapters, &::freeifaddrs);

    // Each adapter has one AF_PACKET entry carrying its hardware address. Of
    // several usable adapters the last one listed is taken, so every run on a
    // machine carries the same address.
    for (const ifaddrs* adapter = adapters; adapter != nullptr; adapter = adapter->ifa_next) {
        if (adapter->ifa_addr == nullptr || adapter->ifa_addr->sa_family != AF_PACKET ||
            (adapter->ifa_flags & IFF_LOOPBACK) != 0) {
            continue;
        }
        const auto* link = reinterpret_cast<const sockaddr_ll*>(adapter->ifa_addr);
        if (link->sll_halen != address.size()) {
            continue;
        }
        MacAddress candidate{};
        std::copy_n(link->sll_addr, candidate.size(), candidate.begin());
        if (candidate != MacAddress{}) {
            address = candidate;
        }
    }
    return address;
}

} // namespace netlark
