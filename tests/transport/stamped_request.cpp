#include "stamped_request.h"

#include "udp_test_socket.h"

#include <algorithm>

namespace netlark::testing {

StampedRequest::StampedRequest(std::size_t size) : m_bytes(patternedBytes(size, 0x40)) {}

RequestBuilder StampedRequest::builder() {
    return [this](const MacAddress& senderMac) {
        std::ranges::copy(senderMac, m_bytes.begin());
        return std::span<const std::uint8_t>(m_bytes);
    };
}

std::vector<std::uint8_t> StampedRequest::builtFor(const MacAddress& senderMac) const {
    std::vector<std::uint8_t> bytes = m_bytes;
    std::ranges::copy(senderMac, bytes.begin());
    return bytes;
}

} // namespace netlark::testing
