#include "transport/host_adapter.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace netlark {
namespace {

// The hardware addresses of the non-loopback adapters, in the order `ip link`
// lists them (the kernel's link dump, which getifaddrs reads as well).
std::vector<MacAddress> listedAdapterAddresses() {
    std::vector<MacAddress> addresses;
    const std::unique_ptr<FILE, decltype(&::pclose)> ip(::popen("ip -o link show", "r"), &::pclose);
    if (!ip) {
        ADD_FAILURE() << "cannot run ip";
        return addresses;
    }
    char line[1024];
    while (std::fgets(line, sizeof line, ip.get()) != nullptr) {
        const std::string text = line;
        const auto ether = text.find("link/ether ");
        if (ether == std::string::npos || text.find("LOOPBACK") != std::string::npos) {
            continue;
        }
        MacAddress mac{};
        if (std::sscanf(text.c_str() + ether, "link/ether %hhx:%hhx:%hhx:%hhx:%hhx:%hhx", &mac[0],
                        &mac[1], &mac[2], &mac[3], &mac[4], &mac[5]) == 6) {
            addresses.push_back(mac);
        }
    }
    return addresses;
}

TEST(HostAdapterAddress, IsTheLastListedAdapters) {
    const std::vector<MacAddress> listed = listedAdapterAddresses();
    // The lab's veth pair: two adapters with different random addresses, so
    // taking the first one instead of the last would show.
    ASSERT_EQ(listed.size(), 2u);
    ASSERT_NE(listed.front(), listed.back());

    EXPECT_EQ(readHostAdapterAddress(), listed.back());
}

} // namespace
} // namespace netlark
