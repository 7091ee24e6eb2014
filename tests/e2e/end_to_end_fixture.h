#pragma once

#include "app/program_receiver.h"
#include "camera_setup_window.h"
#include "message_recorder.h"
#include "tests/tools/camsim_process.h"
#include "transport/receiver.h"
#include "transport/request_sender.h"
#include "ui/camera_setup_dlg.h"
#include "watchdog.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace netlark::testing {

/// The receiver as the program sets it up: up to 4096 datagrams may wait for
/// the window, and the socket asks for 4 MiB of buffer.

/// The nine texts of one listed camera.
using ListedRow = std::vector<std::string>;

/// The emulated cameras: two Linux and two VxWorks cameras whose serials
/// arrive in the order CAM-30, CAM-10, CAM-40, CAM-20, so the list has to sort
/// them. CAM-30 serves its web page on port 81.
extern const std::vector<std::string> FLEET;
/// The list the fleet gives, row by row in the window's order.
extern const std::vector<ListedRow> FLEET_ROWS;
enum FleetRow { CAM_10, CAM_20, CAM_30, CAM_40 };

/// The whole program in one process: the real window over the real request
/// sender and a receiver on port 1168 set up as the program sets it up, with
/// netlark-camsim as a child process playing the cameras. Messages are
/// recorded instead of shown.
class EndToEndTest : public ::testing::Test {
protected:
    /// Starts netlark-camsim and waits until it listens.
    void startCamsim(const std::vector<std::string>& args);
    /// Builds the window, which sends the first scan, and shows it.
    void openWindow(std::chrono::milliseconds guardPeriod = CCameraSetupDlg::SCAN_GUARD_PERIOD);
    void TearDown() override;

    /// The emulator's next log line; "(no line)" when none comes in time.
    std::string nextLogLine();
    /// `"sender_mac":"..","key":..` as the emulator logs a Linux request from
    /// the window: the host adapter's MAC and the program's fixed key.
    static std::string linuxSenderFields();
    /// Reads the two log lines of one scan: the Linux discovery request as
    /// the window sends it, then the VxWorks one, each answered by two cameras.
    void expectScanLogged();

    std::vector<ListedRow> listed() const;
    /// Waits until the list shows exactly `rows`.
    bool waitForList(const std::vector<ListedRow>& rows);
    std::vector<std::string> shownMessages() const;

    bool waitForRescanEnabled();

    CameraSetupWindow window() const { return CameraSetupWindow(*dialog); }

    /// A hang fails the test binary rather than blocking the run.
    Watchdog watchdog{std::chrono::seconds(240), "an end-to-end test"};
    MessageRecorder messages;
    UdpRequestSender sender;
    Receiver receiver{PROGRAM_RECEIVER_OPTIONS};
    std::unique_ptr<CamsimProcess> camsim;
    std::unique_ptr<CCameraSetupDlg> dialog;
};

} // namespace netlark::testing
