#include "cameras/camera_row.h"
#include "sample_cameras.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace netlark {
namespace {

std::vector<std::string> texts(const CameraRow& row) {
    std::vector<std::string> result;
    for (int column = 0; column < CAMERA_COLUMN_COUNT; ++column) {
        result.emplace_back(row.text(column));
    }
    return result;
}

TEST(CameraRow, LinuxAnnouncementFillsAllNineColumns) {
    EXPECT_EQ(
        texts(rowFromAnnouncement(samples::linuxAnnouncement())),
        (std::vector<std::string>{"LX-0001", "00:1A:A0:BC:DE:FF", "10.0.0.5", "10.0.0.1",
                                  "255.255.254.0", "10.0.0.2", "Linux", "192.168.1.200", "554"}));
}

TEST(CameraRow, VxWorksAnnouncementLeavesTheCarriedPortEmpty) {
    EXPECT_EQ(
        texts(rowFromAnnouncement(samples::vxworksAnnouncement())),
        (std::vector<std::string>{"VX-0001", "00:40:8C:A0:B1:C2", "172.16.3.4", "172.16.0.1",
                                  "255.255.0.0", "172.16.0.53", "VxWorks", "172.16.9.9", ""}));
}

struct LinuxIpCase {
    std::uint16_t webPort;
    Ipv4Address ip;
    std::string column2;
};

class LinuxIpColumn : public ::testing::TestWithParam<LinuxIpCase> {};

// The web port shows only when it is not 80; the widest text still fits a cell.
TEST_P(LinuxIpColumn, ShowsTheWebPortUnlessItIs80) {
    LinuxAnnouncement announcement = samples::linuxAnnouncement();
    announcement.webPort = GetParam().webPort;
    announcement.settings.ip = GetParam().ip;
    EXPECT_EQ(rowFromAnnouncement(announcement).text(COLUMN_IP), GetParam().column2);
}

INSTANTIATE_TEST_SUITE_P(
    WebPorts, LinuxIpColumn,
    ::testing::Values(LinuxIpCase{80, {10, 0, 0, 5}, "10.0.0.5"},
                      LinuxIpCase{81, {10, 0, 0, 5}, "10.0.0.5:81"},
                      LinuxIpCase{0, {10, 0, 0, 5}, "10.0.0.5:0"},
                      LinuxIpCase{8080, {0, 0, 0, 0}, "0.0.0.0:8080"},
                      LinuxIpCase{65535, {255, 255, 255, 255}, "255.255.255.255:65535"}));

TEST(CameraRow, OctetsAndPortsPrintUnsigned) {
    LinuxAnnouncement announcement = samples::linuxAnnouncement();
    announcement.settings.gateway = {255, 128, 0, 255};
    announcement.carriedAddress = {255, 255, 255, 255};
    announcement.carriedPort = 65535;
    const CameraRow row = rowFromAnnouncement(announcement);
    EXPECT_EQ(row.text(COLUMN_GATEWAY), "255.128.0.255");
    EXPECT_EQ(row.text(COLUMN_CARRIED_ADDRESS), "255.255.255.255");
    EXPECT_EQ(row.text(COLUMN_CARRIED_PORT), "65535");
}

TEST(CameraRow, MacBytesPrintAsUpperCaseHexPairs) {
    VxWorksAnnouncement announcement = samples::vxworksAnnouncement();
    announcement.mac = {0x0A, 0xFF, 0xA0, 0x9F, 0x00, 0xBE};
    EXPECT_EQ(rowFromAnnouncement(announcement).text(COLUMN_MAC), "0A:FF:A0:9F:00:BE");
}

TEST(CameraRow, SerialsOfFullWidthAreKeptWhole) {
    LinuxAnnouncement linuxSample = samples::linuxAnnouncement();
    linuxSample.serial = decltype(linuxSample.serial)::from("ABCDEFGHIJKLMN");
    VxWorksAnnouncement vxworks = samples::vxworksAnnouncement();
    vxworks.serial = decltype(vxworks.serial)::from("ABCDEFGHIJKL");
    EXPECT_EQ(rowFromAnnouncement(linuxSample).text(COLUMN_SERIAL), "ABCDEFGHIJKLMN");
    EXPECT_EQ(rowFromAnnouncement(vxworks).text(COLUMN_SERIAL), "ABCDEFGHIJKL");
}

TEST(CellText, KeepsAtMostItsCapacity) {
    const std::string longText(40, 'x');
    EXPECT_EQ(CellText(longText).view(), longText.substr(0, CellText::CAPACITY));
    EXPECT_TRUE(CellText().empty());
}

} // namespace
} // namespace netlark
