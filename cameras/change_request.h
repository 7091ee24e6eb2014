#pragma once

#include "cameras/camera_row.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

#include <string_view>
#include <variant>

namespace netlark {

/// One IPv4 address field of the form as read: its four octets (a blank octet
/// reads as 0) and how many of them are filled.
struct AddressFieldValue {
    Ipv4Address octets{};
    int filled = 0;
};

/// The form's values when Change Network Configurations is pressed.
struct ConfigFormValues {
    std::string_view adminId;
    std::string_view adminPassword;
    AddressFieldValue ip;
    AddressFieldValue gateway;
    AddressFieldValue subnetMask;
    AddressFieldValue dns;
};

/// The request cannot be built; show this message and send nothing.
struct ChangeRefused {
    std::string_view message;
    bool operator==(const ChangeRefused&) const = default;
};

using ChangeRequest = std::variant<ChangeRefused, LinuxDatagram, VxWorksRequest>;

/// Builds the change request for the selected camera (nullptr: no camera is
/// selected), checking in this order: the family ("Invalid Camera"), ID and
/// password both present, then each address field complete (IP, gateway,
/// subnet mask, DNS). Linux requests carry `hostMac` as sender_mac.
ChangeRequest buildChangeRequest(const CameraRow* selected, const ConfigFormValues& form,
                                 const MacAddress& hostMac);

} // namespace netlark
