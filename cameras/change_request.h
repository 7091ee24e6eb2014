#pragma once

#include "cameras/camera_row.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

#include <cstdint>
#include <optional>
#include <span>
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

/// Why no change request may go to the selected camera (nullptr: no camera
/// is selected), checking in this order: the family ("Invalid Camera"), ID
/// and password both present, then each address field complete (IP,
/// gateway, subnet mask, DNS). Nothing when the request may be built.
std::optional<ChangeRefused> changeRefusal(const CameraRow* selected, const ConfigFormValues& form);

using ChangeRequest = std::variant<LinuxDatagram, VxWorksRequest>;

/// Builds the change request in the selected camera's family, for a camera
/// and form changeRefusal() let through. A Linux request carries `senderMac`
/// as sender_mac, so a request sent on several adapters is built once for
/// each; a VxWorks request carries no sender.
ChangeRequest buildChangeRequest(const CameraRow& selected, const ConfigFormValues& form,
                                 const MacAddress& senderMac);

/// The request's bytes as they go on the wire.
std::span<const std::uint8_t> requestBytes(const ChangeRequest& request);

} // namespace netlark
