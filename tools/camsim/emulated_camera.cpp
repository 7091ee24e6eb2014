#include "tools/camsim/emulated_camera.h"

#include <cstdio>

namespace netlark {

namespace {

constexpr std::uint32_t FIRST_GENERATED_IP = 0xC0A80014; // 192.168.0.20

Ipv4Address octetsOf(std::uint32_t address) {
    return {static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
            static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
}

} // namespace

std::string_view familyName(CameraFamily family) {
    return family == CameraFamily::Linux ? "linux" : "vxworks";
}

std::size_t serialWidth(CameraFamily family) {
    return family == CameraFamily::Linux ? linux_layout::ANNOUNCE_SERIAL_WIDTH
                                         : vxworks_layout::ANNOUNCE_SERIAL_WIDTH;
}

EmulatedCamera generatedCamera(CameraFamily family, std::uint32_t number) {
    char serial[16];
    std::snprintf(serial, sizeof serial, "CAM%06u", number);
    EmulatedCamera camera;
    camera.family = family;
    camera.serial = serial;
    camera.mac = {0x02,
                  0x4E,
                  0x4C,
                  static_cast<std::uint8_t>(number >> 16),
                  static_cast<std::uint8_t>(number >> 8),
                  static_cast<std::uint8_t>(number)};
    camera.settings.ip = octetsOf(FIRST_GENERATED_IP + number - 1);
    camera.settings.subnetMask = {255, 255, 255, 0};
    camera.settings.gateway = {192, 168, 0, 1};
    camera.settings.dns = {192, 168, 0, 1};
    camera.carriedAddress = camera.settings.ip;
    return camera;
}

LinuxAnnouncement linuxAnnouncementOf(const EmulatedCamera& camera) {
    LinuxAnnouncement announcement;
    announcement.serial = decltype(announcement.serial)::from(camera.serial);
    announcement.webPort = camera.webPort;
    announcement.settings = camera.settings;
    announcement.carriedAddress = camera.carriedAddress;
    announcement.carriedPort = camera.carriedPort;
    announcement.mac = camera.mac;
    return announcement;
}

VxWorksAnnouncement vxworksAnnouncementOf(const EmulatedCamera& camera) {
    VxWorksAnnouncement announcement;
    announcement.serial = decltype(announcement.serial)::from(camera.serial);
    announcement.settings = camera.settings;
    announcement.carriedAddress = camera.carriedAddress;
    announcement.mac = camera.mac;
    return announcement;
}

} // namespace netlark
