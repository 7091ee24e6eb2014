#pragma once

#include "protocol/addresses.h"
#include "transport/request_sender.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace netlark::testing {

/// Stands in for a request built per adapter: patterned bytes whose first
/// six are the sender MAC it was built for.
class StampedRequest {
public:
    explicit StampedRequest(std::size_t size);

    /// Builds into this object, which must outlive the builder's use.
    RequestBuilder builder();
    /// The bytes of the request built for `senderMac`.
    std::vector<std::uint8_t> builtFor(const MacAddress& senderMac) const;

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace netlark::testing
