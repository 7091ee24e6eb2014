#include "camera_setup_fixture.h"
#include "ui/ip_address_field.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace netlark::testing {
namespace {

const QStringList LINUX_ROW{"LX-0002",  "00:1A:2B:3C:4D:5E", "10.0.0.5:81",
                            "10.0.0.1", "255.255.255.0",     "8.8.4.4",
                            "Linux",    "10.0.0.5",          "554"};
const QStringList VXWORKS_ROW{"vx-0001",     "00:0B:0C:0D:0E:0F", "192.168.1.20",
                              "192.168.1.1", "255.255.0.0",       "1.1.1.1",
                              "VxWorks",     "192.168.1.20",      ""};

class CameraListTest : public CameraSetupTest {
protected:
    void SetUp() override { openDialog(std::chrono::milliseconds(50)); }
};

TEST_F(CameraListTest, ListsCamerasOfBothFamiliesInSerialOrder) {
    announce(vxworksCamera("vx-0001"));
    announce(linuxCamera("LX-0002"));
    announce(vxworksCamera("B-0003"));
    ASSERT_TRUE(waitForRows(3));

    EXPECT_EQ(window().rowTexts(0)[0], "B-0003");
    EXPECT_EQ(window().rowTexts(1), LINUX_ROW);
    EXPECT_EQ(window().rowTexts(2), VXWORKS_ROW);
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(CameraListTest, SelectingARowFillsTheFormAndAsksForTheCredentialsAgain) {
    announce(linuxCamera("LX-0002"));
    ASSERT_TRUE(waitForRows(1));
    window().adminId().setText("typed");
    window().adminPassword().setText("before");

    window().clickRow(0);

    EXPECT_EQ(window().shown("ipAddress"), "10.0.0.5") << "the web port is dropped";
    EXPECT_EQ(window().shown("gateway"), "10.0.0.1");
    EXPECT_EQ(window().shown("subnetMask"), "255.255.255.0");
    EXPECT_EQ(window().shown("dns"), "8.8.4.4");
    EXPECT_EQ(window().adminId().text(), "");
    EXPECT_EQ(window().adminPassword().text(), "");
    EXPECT_TRUE(window().button("change").isEnabled());
}

TEST_F(CameraListTest, ACameraInsertedAboveTheSelectionLeavesTheSelectionAndTheFormAlone) {
    announce(linuxCamera("M-SELECTED"));
    ASSERT_TRUE(waitForRows(1));
    window().clickRow(0);
    window().adminId().setText("admin");

    announce(vxworksCamera("A-ABOVE"));
    ASSERT_TRUE(waitForRows(2));

    const QModelIndexList selected = window().list().selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 1);
    EXPECT_EQ(selected[0].data().toString(), "M-SELECTED");
    EXPECT_EQ(window().adminId().text(), "admin") << "an arrival is not a selection";
    EXPECT_EQ(window().shown("ipAddress"), "10.0.0.5");
}

TEST_F(CameraListTest, ACameraThatAnswersTwiceIsListedTwice) {
    announce(linuxCamera("LX-0002"));
    announce(linuxCamera("LX-0002"));
    ASSERT_TRUE(waitForRows(2));
    EXPECT_EQ(window().rowTexts(0), window().rowTexts(1));
}

TEST_F(CameraListTest, CamerasAreListedWhileAMessageIsOpen) {
    messages.whileOpen = [&](const QString&) {
        announce(linuxCamera("LX-0002"));
        EXPECT_TRUE(waitForRows(1)) << "the list must not wait for the message";
    };
    sender.failSendNumber = sender.sendAttempts + 1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().button("rescan").isEnabled(); }, 10000));
    window().press("rescan");

    EXPECT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(window().model().rowCount(), 1);
}

} // namespace
} // namespace netlark::testing
