#pragma once

#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

// One announcement of each family, with every field distinct so a value read
// from the wrong place shows.
namespace netlark::samples {

inline LinuxAnnouncement linuxAnnouncement() {
    LinuxAnnouncement announcement;
    announcement.serial = decltype(announcement.serial)::from("LX-0001");
    announcement.webPort = 80;
    announcement.settings.ip = {10, 0, 0, 5};
    announcement.settings.subnetMask = {255, 255, 254, 0};
    announcement.settings.gateway = {10, 0, 0, 1};
    announcement.settings.dns = {10, 0, 0, 2};
    announcement.carriedAddress = {192, 168, 1, 200};
    announcement.carriedPort = 554;
    announcement.mac = {0x00, 0x1A, 0xA0, 0xBC, 0xDE, 0xFF};
    return announcement;
}

inline VxWorksAnnouncement vxworksAnnouncement() {
    VxWorksAnnouncement announcement;
    announcement.serial = decltype(announcement.serial)::from("VX-0001");
    announcement.mac = {0x00, 0x40, 0x8C, 0xA0, 0xB1, 0xC2};
    announcement.settings.ip = {172, 16, 3, 4};
    announcement.settings.subnetMask = {255, 255, 0, 0};
    announcement.settings.gateway = {172, 16, 0, 1};
    announcement.settings.dns = {172, 16, 0, 53};
    announcement.carriedAddress = {172, 16, 9, 9};
    return announcement;
}

} // namespace netlark::samples
