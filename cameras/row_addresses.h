#pragma once

#include "cameras/camera_row.h"
#include "protocol/addresses.h"

#include <optional>

namespace netlark {

/// The addresses the form shows when a row is selected; nullopt leaves that
/// field blank.
struct RowAddresses {
    std::optional<Ipv4Address> ip; // the web port of the IP cell is dropped
    std::optional<Ipv4Address> gateway;
    std::optional<Ipv4Address> subnetMask;
    std::optional<Ipv4Address> dns;
};

RowAddresses rowAddresses(const CameraRow& row);

} // namespace netlark
