#include "tools/camsim/burst_announcements.h"

namespace netlark {

namespace {

CameraFamily familyOf(BurstFamily family, std::uint32_t number) {
    switch (family) {
    case BurstFamily::Linux:
        return CameraFamily::Linux;
    case BurstFamily::VxWorks:
        return CameraFamily::VxWorks;
    case BurstFamily::Mixed:
        break;
    }
    return number % 2 == 1 ? CameraFamily::Linux : CameraFamily::VxWorks;
}

} // namespace

std::vector<Answer> burstAnnouncements(std::uint32_t count, BurstFamily family,
                                       const KeySource& nextKey) {
    std::vector<Answer> announcements;
    announcements.reserve(count);
    for (std::uint32_t number = 1; number <= count; ++number) {
        const EmulatedCamera camera = generatedCamera(familyOf(family, number), number);
        if (camera.family == CameraFamily::Linux) {
            announcements.emplace_back(
                encodeLinuxAnnouncement(linuxAnnouncementOf(camera), nextKey()));
        } else {
            announcements.emplace_back(encodeVxWorksAnnouncement(vxworksAnnouncementOf(camera)));
        }
    }
    return announcements;
}

} // namespace netlark
