#include "protocol/byte_fields.h"
#include "tools/camsim/burst_announcements.h"

#include <gtest/gtest.h>
#include <set>

namespace netlark {
namespace {

TEST(BurstAnnouncementsTest, MixedBurstAlternatesFamiliesWithDistinctSerialsAndMacs) {
    std::uint32_t key = 40;
    const auto announcements = burstAnnouncements(1000, BurstFamily::Mixed, [&] { return key++; });

    ASSERT_EQ(announcements.size(), 1000u);
    std::set<std::string> serials;
    std::set<MacAddress> macs;
    for (std::size_t i = 0; i < announcements.size(); ++i) {
        if (i % 2 == 0) {
            const auto& datagram = std::get<LinuxDatagram>(announcements[i]);
            // Each Linux announcement is scrambled with a key of its own.
            EXPECT_EQ(fields::readU32(datagram, linux_layout::KEY), 40 + i / 2);
            const auto announcement = std::get<LinuxAnnouncement>(decodeLinuxReply(datagram));
            serials.emplace(announcement.serial.view());
            macs.insert(announcement.mac);
        } else {
            const auto announcement = std::get<VxWorksAnnouncement>(
                decodeVxWorksReply(std::get<VxWorksReply>(announcements[i])));
            serials.emplace(announcement.serial.view());
            macs.insert(announcement.mac);
        }
    }
    EXPECT_EQ(serials.size(), 1000u);
    EXPECT_EQ(macs.size(), 1000u);
}

TEST(BurstAnnouncementsTest, TheLargestBurstsSerialsStillFitTheNarrowerField) {
    // VxWorks serials have 12 characters; the last camera of the largest
    // burst must not lose digits, or serials would repeat.
    const auto camera = generatedCamera(CameraFamily::VxWorks, MAX_BURST);
    const auto announcement = std::get<VxWorksAnnouncement>(
        decodeVxWorksReply(encodeVxWorksAnnouncement(vxworksAnnouncementOf(camera))));
    EXPECT_EQ(announcement.serial.view(), "CAM1000000");
}

} // namespace
} // namespace netlark
