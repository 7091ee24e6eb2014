// Netlark on a host with two adapters, each the only way to a segment of its
// own, and no default route: a laptop with Wi-Fi and Ethernet, or a camera
// switch without a gateway. The real window, request sender and receiver run
// under tests/lab/two-segments; behind each adapter an emulator plays one
// camera of each family.

#include "camera_setup_window.h"
#include "cameras/camera_row.h"
#include "cameras/messages.h"
#include "camsim_process.h"
#include "lab_segment.h"
#include "message_recorder.h"
#include "protocol/linux_datagram.h"
#include "transport/host_adapter.h"
#include "transport/receiver.h"
#include "transport/request_sender.h"
#include "ui/camera_setup_dlg.h"
#include "ui/ip_address_field.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace netlark::testing {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Serials = std::vector<std::string>;

constexpr int ARRIVES_MS = 10000;
/// Once the expected cameras are listed, a duplicate would arrive within this.
constexpr int QUIET_MS = 500;
constexpr std::chrono::milliseconds GUARD{200};

const Serials EVERY_CAMERA{"LX-A", "LX-B", "VX-A", "VX-B"};

/// The emulator's arguments for segment `letter`, whose subnet is 10.`subnet`.0.0/24:
/// a Linux camera at .20 and a VxWorks camera at .30.
std::vector<std::string> camerasOf(const std::string& letter, int subnet) {
    const std::string net = "10." + std::to_string(subnet) + ".0.";
    const std::string macPrefix = "00:1A:0" + std::to_string(subnet) + ":00:00:0";
    const std::string network = ",mask=255.255.255.0,gateway=" + net + "1,dns=" + net + "1";
    return {"--camera",
            "family=linux,serial=LX-" + letter + ",mac=" + macPrefix + "1,ip=" + net + "20" +
                network + ",id=admin,password=secret",
            "--camera",
            "family=vxworks,serial=VX-" + letter + ",mac=" + macPrefix + "2,ip=" + net + "30" +
                network + ",id=root,password=vxpass"};
}

std::string linuxDiscoverLine(const std::string& senderMac) {
    return R"({"family":"linux","op":"discover","sender_mac":")" + senderMac + R"(","key":)" +
           std::to_string(NETLARK_REQUEST_KEY) + R"(,"answers":1})";
}

const std::string VXWORKS_DISCOVER_LINE = R"({"family":"vxworks","op":"discover","answers":1})";

/// What the emulator logged from now until it fell quiet.
std::vector<std::string> logLines(CamsimProcess& camsim) {
    std::vector<std::string> lines;
    while (const auto line = camsim.nextLine(std::chrono::milliseconds(QUIET_MS))) {
        lines.push_back(*line);
    }
    return lines;
}

std::vector<std::string> changeLines(const std::vector<std::string>& lines) {
    std::vector<std::string> changes;
    std::ranges::copy_if(lines, std::back_inserter(changes), [](const std::string& line) {
        return line.find(R"("op":"set_network")") != std::string::npos;
    });
    return changes;
}

std::string senderMacField(const LabSegment& segment) {
    return R"("sender_mac":")" + segment.macText + '"';
}

class SegmentsE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_camerasA = m_a.startCamsim(camerasOf("A", 1));
        m_camerasB = m_b.startCamsim(camerasOf("B", 2));
        m_dialog =
            std::make_unique<CCameraSetupDlg>(m_sender, m_receiver, readHostAdapterAddress, GUARD);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void TearDown() override {
        m_dialog.reset();
        EXPECT_TRUE(m_a.setAdapterUp(true));
        EXPECT_TRUE(m_b.setAdapterUp(true));
    }

    CameraSetupWindow window() const { return CameraSetupWindow(*m_dialog); }

    const QAbstractItemModel& rows() const { return window().model(); }

    Serials listedSerials() const {
        Serials serials;
        for (int row = 0; row < rows().rowCount(); ++row) {
            serials.push_back(rows().index(row, COLUMN_SERIAL).data().toString().toStdString());
        }
        std::ranges::sort(serials);
        return serials;
    }

    /// Waits until `expected` are listed, then a while longer for any camera
    /// listed twice or not at all; returns what is listed then.
    Serials listedOnceSettled(const Serials& expected) const {
        if (QTest::qWaitFor([&] { return listedSerials() == expected; }, ARRIVES_MS)) {
            QTest::qWait(QUIET_MS);
        }
        return listedSerials();
    }

    int rowOf(const std::string& serial) const {
        for (int row = 0; row < rows().rowCount(); ++row) {
            if (rows().index(row, COLUMN_SERIAL).data().toString().toStdString() == serial) {
                return row;
            }
        }
        throw std::logic_error("no camera " + serial + " listed");
    }

    std::string listedIp(const std::string& serial) const {
        return rows().index(rowOf(serial), COLUMN_IP).data().toString().toStdString();
    }

    /// Selects the camera's row, types its credentials, gives it `newIp` and
    /// presses Change, as a user would.
    void changeThroughWindow(const std::string& serial, const char* id, const char* password,
                             const Ipv4Address& newIp) {
        const CameraSetupWindow form = window();
        form.clickRow(rowOf(serial));
        form.typeCredentials(id, password);
        form.addressField("ipAddress").set(newIp);
        form.press("change");
    }

    void pressRescanOnceAllowed() {
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return window().button("rescan").isEnabled(); }, ARRIVES_MS));
        window().press("rescan");
    }

    std::vector<std::string> shownMessages() const {
        std::vector<std::string> texts;
        for (const QString& text : m_messages.texts()) {
            texts.push_back(text.toStdString());
        }
        return texts;
    }

    const LabSegment m_a = LabSegment::fromEnvironment("A");
    const LabSegment m_b = LabSegment::fromEnvironment("B");
    MessageRecorder m_messages;
    std::unique_ptr<CamsimProcess> m_camerasA;
    std::unique_ptr<CamsimProcess> m_camerasB;
    UdpRequestSender m_sender;
    Receiver m_receiver;
    std::unique_ptr<CCameraSetupDlg> m_dialog;
};

TEST_F(SegmentsE2eTest, AScanListsTheCamerasOfBothSegmentsAskedWithEachAdaptersOwnMac) {
    EXPECT_EQ(listedOnceSettled(EVERY_CAMERA), EVERY_CAMERA);

    // One copy of each request reached each segment, the Linux one built for
    // the adapter it left through.
    EXPECT_THAT(logLines(*m_camerasA),
                ElementsAre(linuxDiscoverLine(m_a.macText), VXWORKS_DISCOVER_LINE));
    EXPECT_THAT(logLines(*m_camerasB),
                ElementsAre(linuxDiscoverLine(m_b.macText), VXWORKS_DISCOVER_LINE));
    EXPECT_THAT(shownMessages(), IsEmpty());
}

TEST_F(SegmentsE2eTest, ALinuxCameraTakesTheChangeFromItsOwnSegmentAndIsListedAnew) {
    ASSERT_EQ(listedOnceSettled(EVERY_CAMERA), EVERY_CAMERA);
    logLines(*m_camerasA);
    logLines(*m_camerasB);

    changeThroughWindow("LX-B", "admin", "secret", {10, 2, 0, 21});

    ASSERT_TRUE(m_messages.waitForCount(1));
    EXPECT_THAT(shownMessages(), ElementsAre(messages::CHANGE_SUCCEEDED));
    // The acceptance starts a scan, which finds the camera at its new address.
    EXPECT_EQ(listedOnceSettled(EVERY_CAMERA), EVERY_CAMERA);
    EXPECT_EQ(listedIp("LX-B"), "10.2.0.21");
    EXPECT_THAT(changeLines(logLines(*m_camerasB)),
                ElementsAre(AllOf(HasSubstr(senderMacField(m_b)), HasSubstr(R"("ip":"10.2.0.21")"),
                                  HasSubstr(R"("result":"done","camera":"LX-B")"))));
    // The copy through the other adapter met no such camera and got no answer.
    EXPECT_THAT(changeLines(logLines(*m_camerasA)),
                ElementsAre(AllOf(HasSubstr(senderMacField(m_a)),
                                  HasSubstr(R"("result":"unknown_camera")"))));
    EXPECT_THAT(shownMessages(), ElementsAre(messages::CHANGE_SUCCEEDED)) << "one answer only";
}

TEST_F(SegmentsE2eTest, AVxWorksCameraTakesTheChangeFromItsOwnSegment) {
    ASSERT_EQ(listedOnceSettled(EVERY_CAMERA), EVERY_CAMERA);
    logLines(*m_camerasA);
    logLines(*m_camerasB);

    changeThroughWindow("VX-A", "root", "vxpass", {10, 1, 0, 31});

    ASSERT_TRUE(m_messages.waitForCount(1));
    EXPECT_THAT(
        changeLines(logLines(*m_camerasA)),
        ElementsAre(AllOf(HasSubstr(R"("family":"vxworks")"), HasSubstr(R"("ip":"10.1.0.31")"),
                          HasSubstr(R"("result":"done","camera":"VX-A")"))));
    EXPECT_THAT(changeLines(logLines(*m_camerasB)),
                ElementsAre(HasSubstr(R"("result":"unknown_camera")")));
    EXPECT_THAT(shownMessages(), ElementsAre(messages::CHANGE_SUCCEEDED));
}

TEST_F(SegmentsE2eTest, AnAdapterThatIsDownHidesOnlyItsCamerasAndIsNoError) {
    ASSERT_EQ(listedOnceSettled(EVERY_CAMERA), EVERY_CAMERA);
    logLines(*m_camerasB);
    ASSERT_TRUE(m_b.setAdapterUp(false));

    pressRescanOnceAllowed();

    EXPECT_EQ(listedOnceSettled({"LX-A", "VX-A"}), (Serials{"LX-A", "VX-A"}));
    EXPECT_THAT(logLines(*m_camerasB), IsEmpty()) << "nothing went out through " << m_b.adapter;
    EXPECT_THAT(shownMessages(), IsEmpty());
}

// With no adapter left the request takes the routing table's way, and this
// host has no route for it: that, and only that, is a failed send.
TEST_F(SegmentsE2eTest, WithEveryAdapterDownTheScanIsReportedAsNotSent) {
    ASSERT_EQ(listedOnceSettled(EVERY_CAMERA), EVERY_CAMERA);
    ASSERT_TRUE(m_a.setAdapterUp(false));
    ASSERT_TRUE(m_b.setAdapterUp(false));

    pressRescanOnceAllowed();

    EXPECT_THAT(shownMessages(), ElementsAre(messages::SENDTO_ERROR));
    EXPECT_THAT(listedSerials(), IsEmpty());
    EXPECT_TRUE(window().button("rescan").isEnabled()) << "no scan went out";
}

} // namespace
} // namespace netlark::testing
