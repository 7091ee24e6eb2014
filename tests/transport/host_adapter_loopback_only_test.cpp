#include "transport/host_adapter.h"

#include <gtest/gtest.h>

namespace netlark {
namespace {

// Runs in a lab whose only adapter is loopback.
TEST(HostAdapterAddress, IsAllZeroWithoutAnAdapter) {
    EXPECT_EQ(readHostAdapterAddress(), MacAddress{});
}

} // namespace
} // namespace netlark
