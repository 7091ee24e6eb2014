#pragma once

#include "protocol/addresses.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace netlark {

enum class CameraFamily { Linux, VxWorks };

/// "linux" or "vxworks", as options and log lines spell the families.
std::string_view familyName(CameraFamily family);

/// The longest serial a family's announcement can carry.
std::size_t serialWidth(CameraFamily family);

/// One emulated camera: what it announces and the credentials it accepts.
struct EmulatedCamera {
    CameraFamily family = CameraFamily::Linux;
    std::string serial;
    MacAddress mac{};
    NetworkSettings settings;
    std::uint16_t webPort = 80; // announced by the Linux family only
    Ipv4Address carriedAddress{};
    std::uint16_t carriedPort = 554; // announced and changed by the Linux family only
    std::string adminId = "admin";
    std::string adminPassword = "admin";
};

/// Camera number `number` (from 1) of a generated set. Distinct numbers give
/// distinct serials ("CAM000001"), MACs (02:4E:4C:00:00:01, locally
/// administered) and IP addresses (192.168.0.20 onwards).
EmulatedCamera generatedCamera(CameraFamily family, std::uint32_t number);

LinuxAnnouncement linuxAnnouncementOf(const EmulatedCamera& camera);
VxWorksAnnouncement vxworksAnnouncementOf(const EmulatedCamera& camera);

} // namespace netlark
