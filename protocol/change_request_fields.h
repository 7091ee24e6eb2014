#pragma once

#include "protocol/addresses.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace netlark {

/// Width of the admin ID and password fields in both families' change requests.
inline constexpr std::size_t ADMIN_TEXT_WIDTH = 10;

/// The values of a change request common to both families. The admin texts are
/// sent byte for byte, at most 10 bytes each.
struct ChangeRequestFields {
    std::string_view adminId;
    std::string_view adminPassword;
    MacAddress targetMac{};
    NetworkSettings settings;
    Ipv4Address carriedAddress{};
    std::uint16_t carriedPort = 0; // carried by the Linux family only
};

} // namespace netlark
