#pragma once

#include "protocol/addresses.h"
#include "transport/request_sender.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace netlark::testing {

/// Records every request instead of sending it, built for each adapter it
/// pretends to have, and fails the steps a test asks it to.
class FakeRequestSender final : public RequestSender {
public:
    /// One copy of a request, as built for one adapter.
    struct Datagram {
        MacAddress builtFor{};
        std::vector<std::uint8_t> bytes;
    };

    bool failOpen = false;
    bool failBroadcast = false;
    /// The MACs of the adapters every request goes out on, in order. None:
    /// each request goes out once, built for the fallback MAC, as a real
    /// sender does where it finds no adapter.
    std::vector<MacAddress> adapterMacs;
    /// The request with this number (1 for the first) fails and records nothing.
    std::optional<int> failSendNumber;

    /// Runs inside every send before it returns, as a camera that answers at once.
    std::function<void()> whileSending;

    /// Every copy sent, request after request, adapter after adapter.
    std::vector<Datagram> sent;
    int sendAttempts = 0;

    bool open() override;
    bool enableBroadcast() override;
    bool sendOnEveryInterface(const RequestBuilder& buildFor,
                              const MacAddress& fallbackMac) override;
};

} // namespace netlark::testing
