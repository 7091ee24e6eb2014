#include "camera_setup_fixture.h"
#include "cameras/messages.h"
#include "ui/ip_address_field.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <algorithm>

namespace netlark::testing {
namespace {

constexpr int LINUX_ROW = 0;   // "LX-0002"
constexpr int VXWORKS_ROW = 1; // "vx-0001"

class ChangeNetworkTest : public CameraSetupTest {
protected:
    void SetUp() override {
        openDialog(std::chrono::milliseconds(50));
        announce(linuxCamera("LX-0002"));
        announce(vxworksCamera("vx-0001"));
        ASSERT_TRUE(waitForRows(2));
    }

    std::size_t sentAtStart = 2;

    std::string onlyMessage() const {
        return messages.texts().size() == 1 ? messages.texts()[0].toStdString() : "";
    }
};

/// The Linux camera's change request as the form holds it after the user
/// typed "admin", "secret" and the IP address 10.0.0.77.
ChangeRequestFields linuxChangeTo77() {
    ChangeRequestFields expected;
    expected.adminId = "admin";
    expected.adminPassword = "secret";
    expected.targetMac = linuxCamera("").mac;
    expected.settings = linuxCamera("").settings;
    expected.settings.ip = {10, 0, 0, 77};
    expected.carriedAddress = linuxCamera("").carriedAddress;
    expected.carriedPort = 554;
    return expected;
}

TEST_F(ChangeNetworkTest, SendsTheLinuxRequestForTheSelectedCamera) {
    window().clickRow(LINUX_ROW);
    window().typeCredentials("admin", "secret");
    window().addressField("ipAddress").set({10, 0, 0, 77});

    window().press("change");

    ASSERT_EQ(sender.sent.size(), sentAtStart + 1);
    EXPECT_EQ(sender.sent.back().bytes, bytesOf(buildLinuxChange(linuxChangeTo77(), HOST_MAC)));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ChangeNetworkTest, TheLinuxRequestIsBuiltForEachAdapterItLeavesThrough) {
    sender.adapterMacs = {WIFI_MAC, ETHERNET_MAC};
    window().clickRow(LINUX_ROW);
    window().typeCredentials("admin", "secret");
    window().addressField("ipAddress").set({10, 0, 0, 77});

    window().press("change");

    ASSERT_EQ(sender.sent.size(), sentAtStart + 2);
    EXPECT_EQ(sender.sent[sentAtStart].bytes,
              bytesOf(buildLinuxChange(linuxChangeTo77(), WIFI_MAC)));
    EXPECT_EQ(sender.sent[sentAtStart + 1].bytes,
              bytesOf(buildLinuxChange(linuxChangeTo77(), ETHERNET_MAC)));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ChangeNetworkTest, SendsTheVxWorksRequestWithATenCharacterPassword) {
    window().clickRow(VXWORKS_ROW);
    window().typeCredentials("root", "0123456789");

    window().press("change");

    ChangeRequestFields expected;
    expected.adminId = "root";
    expected.adminPassword = "0123456789";
    expected.targetMac = vxworksCamera("").mac;
    expected.settings = vxworksCamera("").settings;
    expected.carriedAddress = vxworksCamera("").carriedAddress;
    ASSERT_EQ(sender.sent.size(), sentAtStart + 1);
    EXPECT_EQ(sender.sent.back().bytes, bytesOf(buildVxWorksChange(expected)));
}

TEST_F(ChangeNetworkTest, TheCredentialFieldsTakeAtMostTenPrintableAsciiCharacters) {
    // Key events that carry their text: QTest types ASCII only.
    for (const QChar character : QString::fromUtf8("ab\u00e9\tc")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(&window().adminId(), &press);
    }
    QTest::keyClicks(&window().adminPassword(), "0123456789ABC");
    EXPECT_EQ(window().adminId().text(), "abc");
    EXPECT_EQ(window().adminPassword().text(), "0123456789");
}

struct MissingCredentials {
    const char* name;
    const char* id;
    const char* password;
};

class MissingCredentialsTest : public ChangeNetworkTest,
                               public ::testing::WithParamInterface<MissingCredentials> {};

TEST_P(MissingCredentialsTest, AreReportedAndNothingIsSent) {
    for (const int row : {LINUX_ROW, VXWORKS_ROW}) {
        window().clickRow(row);
        window().typeCredentials(GetParam().id, GetParam().password);
        window().press("change");
    }
    ASSERT_EQ(messages.texts().size(), 2u);
    for (const QString& text : messages.texts()) {
        EXPECT_EQ(text.toStdString(), messages::CREDENTIALS_MISSING);
    }
    EXPECT_EQ(sender.sent.size(), sentAtStart);
}

INSTANTIATE_TEST_SUITE_P(Fields, MissingCredentialsTest,
                         ::testing::Values(MissingCredentials{"IdOnly", "admin", ""},
                                           MissingCredentials{"PasswordOnly", "", "secret"},
                                           MissingCredentials{"Neither", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct IncompleteAddress {
    const char* field;
    std::string_view message;
};

class IncompleteAddressTest : public ChangeNetworkTest,
                              public ::testing::WithParamInterface<IncompleteAddress> {};

TEST_P(IncompleteAddressTest, IsRefusedWithItsMessageAndNothingIsSent) {
    for (const int row : {LINUX_ROW, VXWORKS_ROW}) {
        window().clickRow(row);
        window().typeCredentials("admin", "secret");
        window().addressField(GetParam().field).findChildren<QLineEdit*>().at(2)->clear();
        window().press("change");
    }
    ASSERT_EQ(messages.texts().size(), 2u);
    for (const QString& text : messages.texts()) {
        EXPECT_EQ(text.toStdString(), GetParam().message);
    }
    EXPECT_EQ(sender.sent.size(), sentAtStart);
}

INSTANTIATE_TEST_SUITE_P(Fields, IncompleteAddressTest,
                         ::testing::Values(IncompleteAddress{"ipAddress", messages::INVALID_IP},
                                           IncompleteAddress{"gateway", messages::INVALID_GATEWAY},
                                           IncompleteAddress{"subnetMask",
                                                             messages::INVALID_SUBNET_MASK},
                                           IncompleteAddress{"dns", messages::INVALID_DNS}),
                         [](const auto& info) { return std::string(info.param.field); });

TEST_F(ChangeNetworkTest, WithoutASelectedCameraSaysInvalidCamera) {
    window().clickRow(LINUX_ROW);
    const QRect row = window().list().visualRect(window().model().index(LINUX_ROW, 0));
    QTest::mouseClick(window().list().viewport(), Qt::LeftButton, Qt::ControlModifier,
                      row.center());
    ASSERT_TRUE(window().list().selectionModel()->selectedRows().isEmpty());
    window().typeCredentials("admin", "secret");

    window().press("change");
    EXPECT_EQ(onlyMessage(), messages::INVALID_CAMERA);
    EXPECT_EQ(sender.sent.size(), sentAtStart);
}

TEST_F(ChangeNetworkTest, ARescanForgetsTheSelectedCamera) {
    window().clickRow(LINUX_ROW);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().button("rescan").isEnabled(); }, 10000));
    window().press("rescan");
    announce(linuxCamera("LX-0002"));
    ASSERT_TRUE(waitForRows(1));
    const std::size_t sentBefore = sender.sent.size();

    window().typeCredentials("admin", "secret");
    window().press("change");

    EXPECT_TRUE(window().button("change").isEnabled());
    EXPECT_EQ(onlyMessage(), messages::INVALID_CAMERA)
        << "the camera now in the same row was never chosen";
    EXPECT_EQ(sender.sent.size(), sentBefore);
}

TEST_F(ChangeNetworkTest, TheRequestGoesToTheSelectedCameraAfterOthersArriveAboveIt) {
    window().clickRow(VXWORKS_ROW);
    window().typeCredentials("root", "pass");
    announce(linuxCamera("A-FIRST"));
    announce(linuxCamera("B-SECOND"));
    ASSERT_TRUE(waitForRows(4));

    window().press("change");

    ASSERT_EQ(sender.sent.size(), sentAtStart + 1);
    const std::vector<std::uint8_t>& bytes = sender.sent.back().bytes;
    ASSERT_EQ(bytes.size(), VXWORKS_REQUEST_SIZE);
    VxWorksRequest sent{};
    std::copy(bytes.begin(), bytes.end(), sent.begin());
    const auto request = decodeVxWorksRequest(sent);
    const auto* change = std::get_if<VxWorksChangeRequest>(&request);
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->targetMac, vxworksCamera("").mac);
    EXPECT_EQ(change->adminPassword.view(), "pass") << "the typed credentials were kept";
}

TEST_F(ChangeNetworkTest, AFailedSendIsReported) {
    window().clickRow(LINUX_ROW);
    window().typeCredentials("admin", "secret");
    sender.failSendNumber = sender.sendAttempts + 1;
    window().press("change");
    EXPECT_EQ(onlyMessage(), messages::SENDTO_ERROR);
}

} // namespace
} // namespace netlark::testing
