#pragma once

#include "camera_setup_window.h"
#include "fake_request_sender.h"
#include "message_recorder.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"
#include "tests/transport/udp_test_socket.h"
#include "transport/receiver.h"
#include "ui/camera_setup_dlg.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <span>
#include <vector>

namespace netlark::testing {

inline constexpr MacAddress HOST_MAC{0x02, 0x4E, 0x4C, 0x00, 0x00, 0x01};
/// Two adapters a laptop may send on at once.
inline constexpr MacAddress WIFI_MAC{0x02, 0x57, 0x49, 0x46, 0x49, 0x01};
inline constexpr MacAddress ETHERNET_MAC{0x02, 0x45, 0x54, 0x48, 0x00, 0x02};

/// A Linux camera "serial" at 10.0.0.5, web port 81, gateway 10.0.0.1, mask
/// 255.255.255.0, DNS 8.8.4.4, carrying 10.0.0.5:554, MAC 00:1A:2B:3C:4D:5E.
LinuxAnnouncement linuxCamera(std::string_view serial);
/// A VxWorks camera "serial" at 192.168.1.20, gateway 192.168.1.1, mask
/// 255.255.0.0, DNS 1.1.1.1, carrying 192.168.1.20, MAC 00:0B:0C:0D:0E:0F.
VxWorksAnnouncement vxworksCamera(std::string_view serial);

template <typename Bytes> std::vector<std::uint8_t> bytesOf(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

/// The main window over a fake sender and a real receiver on port 1168; a
/// test socket plays the cameras.
class CameraSetupTest : public ::testing::Test {
protected:
    /// Builds the window (which starts the run) and shows it.
    void openDialog(std::chrono::milliseconds guardPeriod = CCameraSetupDlg::SCAN_GUARD_PERIOD);
    void TearDown() override;

    void announce(const LinuxAnnouncement& announcement);
    void announce(const VxWorksAnnouncement& announcement);
    void sendToReplyPort(std::span<const std::uint8_t> datagram);

    bool waitForRows(int count);

    CameraSetupWindow window() const { return CameraSetupWindow(*dialog); }

    FakeRequestSender sender;
    MessageRecorder messages;
    Receiver receiver;
    UdpTestSocket camera;
    std::unique_ptr<CCameraSetupDlg> dialog;
};

} // namespace netlark::testing
