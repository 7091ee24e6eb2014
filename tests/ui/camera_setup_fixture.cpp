#include "camera_setup_fixture.h"

#include <QAbstractItemModel>
#include <QTest>

namespace netlark::testing {

namespace {

constexpr std::uint32_t CAMERA_KEY = 0x13572468;

} // namespace

LinuxAnnouncement linuxCamera(std::string_view serial) {
    LinuxAnnouncement camera;
    camera.serial = FieldText<linux_layout::ANNOUNCE_SERIAL_WIDTH>::from(serial);
    camera.webPort = 81;
    camera.settings = {.ip = {10, 0, 0, 5},
                       .subnetMask = {255, 255, 255, 0},
                       .gateway = {10, 0, 0, 1},
                       .dns = {8, 8, 4, 4}};
    camera.carriedAddress = {10, 0, 0, 5};
    camera.carriedPort = 554;
    camera.mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    return camera;
}

VxWorksAnnouncement vxworksCamera(std::string_view serial) {
    VxWorksAnnouncement camera;
    camera.serial = FieldText<vxworks_layout::ANNOUNCE_SERIAL_WIDTH>::from(serial);
    camera.mac = {0x00, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F};
    camera.settings = {.ip = {192, 168, 1, 20},
                       .subnetMask = {255, 255, 0, 0},
                       .gateway = {192, 168, 1, 1},
                       .dns = {1, 1, 1, 1}};
    camera.carriedAddress = {192, 168, 1, 20};
    return camera;
}

void CameraSetupTest::openDialog(std::chrono::milliseconds guardPeriod) {
    dialog = std::make_unique<CCameraSetupDlg>(
        sender, receiver, [] { return HOST_MAC; }, guardPeriod);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
}

void CameraSetupTest::TearDown() {
    dialog.reset();
}

void CameraSetupTest::announce(const LinuxAnnouncement& announcement) {
    sendToReplyPort(encodeLinuxAnnouncement(announcement, CAMERA_KEY));
}

void CameraSetupTest::announce(const VxWorksAnnouncement& announcement) {
    sendToReplyPort(encodeVxWorksAnnouncement(announcement));
}

void CameraSetupTest::sendToReplyPort(std::span<const std::uint8_t> datagram) {
    camera.sendTo(REPLY_PORT, datagram);
}

bool CameraSetupTest::waitForRows(int count) {
    return QTest::qWaitFor([&] { return window().model().rowCount() >= count; }, 10000);
}

} // namespace netlark::testing
