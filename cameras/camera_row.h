#pragma once

#include "cameras/cell_text.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

#include <array>

namespace netlark {

/// The nine columns of the camera table; 0-2 are shown, 3-8 are hidden.
enum CameraColumn : int {
    COLUMN_SERIAL = 0,
    COLUMN_MAC = 1,
    COLUMN_IP = 2, // "a.b.c.d", or "a.b.c.d:port" for a Linux web port other than 80
    COLUMN_GATEWAY = 3,
    COLUMN_SUBNET_MASK = 4,
    COLUMN_DNS = 5,
    COLUMN_FAMILY = 6, // "Linux" or "VxWorks"
    COLUMN_CARRIED_ADDRESS = 7,
    COLUMN_CARRIED_PORT = 8, // Linux only, empty for VxWorks
    CAMERA_COLUMN_COUNT = 9,
};

inline constexpr std::string_view FAMILY_LINUX = "Linux";
inline constexpr std::string_view FAMILY_VXWORKS = "VxWorks";

/// The nine column texts of one discovered camera.
struct CameraRow {
    std::array<CellText, CAMERA_COLUMN_COUNT> cells;

    std::string_view text(int column) const {
        return cells[static_cast<std::size_t>(column)].view();
    }
    bool operator==(const CameraRow&) const = default;
};

CameraRow rowFromAnnouncement(const LinuxAnnouncement& announcement);
CameraRow rowFromAnnouncement(const VxWorksAnnouncement& announcement);

} // namespace netlark
