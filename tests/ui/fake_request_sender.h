#pragma once

#include "transport/request_sender.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace netlark::testing {

/// Records every request instead of sending it, and fails the steps a test
/// asks it to.
class FakeRequestSender final : public RequestSender {
public:
    bool failOpen = false;
    bool failBroadcast = false;
    /// The send with this number (1 for the first) fails and records nothing.
    std::optional<int> failSendNumber;

    std::vector<std::vector<std::uint8_t>> sent;
    int sendAttempts = 0;

    bool open() override;
    bool enableBroadcast() override;
    bool send(std::span<const std::uint8_t> datagram) override;
};

} // namespace netlark::testing
