#pragma once

#include "cameras/camera_row.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace netlark {

/// Nothing to do: a Linux datagram with a bad marker or an impossible length,
/// or a datagram of a length neither family uses.
struct IgnoreDatagram {
    bool operator==(const IgnoreDatagram&) const = default;
};

/// A camera announced itself: list it.
struct ListCamera {
    CameraRow row;
    bool operator==(const ListCamera&) const = default;
};

/// Tell the user; `rescanAfter` asks for a rescan once the message is dismissed
/// (a Linux camera that accepted a change).
struct ReportReply {
    std::string_view message;
    bool rescanAfter = false;
    bool operator==(const ReportReply&) const = default;
};

using DatagramAction = std::variant<IgnoreDatagram, ListCamera, ReportReply>;

/// What the window does with a received datagram of 40 bytes or more,
/// dispatched by its length: 124 bytes Linux, 40 bytes VxWorks, anything else
/// ignored. Allocates nothing.
DatagramAction actionForDatagram(std::span<const std::uint8_t> datagram);

} // namespace netlark
