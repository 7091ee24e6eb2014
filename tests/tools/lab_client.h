#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace netlark {

/// What Netlark does on the wire, reduced to a test's needs: broadcasts
/// requests to 255.255.255.255:7890 and receives replies on port 1168. Only
/// for use inside the lab's private network namespace.
class LabClient {
public:
    LabClient();
    ~LabClient();
    LabClient(const LabClient&) = delete;
    LabClient& operator=(const LabClient&) = delete;

    bool send(std::span<const std::uint8_t> datagram);

    /// The next reply, or nullopt when none comes within `timeout`.
    std::optional<std::vector<std::uint8_t>> receive(std::chrono::milliseconds timeout);

private:
    int m_sendFd = -1;
    int m_receiveFd = -1;
};

} // namespace netlark
