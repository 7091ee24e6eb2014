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

    void typeCredentials(const QString& id, const QString& password) {
        QTest::keyClicks(&adminId(), id);
        QTest::keyClicks(&adminPassword(), password);
    }

    void pressChange() { QTest::mouseClick(&button("change"), Qt::LeftButton); }

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
    clickRow(LINUX_ROW);
    typeCredentials("admin", "secret");
    addressField("ipAddress").set({10, 0, 0, 77});

    pressChange();

    ASSERT_EQ(sender.sent.size(), sentAtStart + 1);
    EXPECT_EQ(sender.sent.back().bytes, bytesOf(buildLinuxChange(linuxChangeTo77(), HOST_MAC)));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ChangeNetworkTest, TheLinuxRequestIsBuiltForEachAdapterItLeavesThrough) {
    sender.adapterMacs = {WIFI_MAC, ETHERNET_MAC};
    clickRow(LINUX_ROW);
    typeCredentials("admin", "secret");
    addressField("ipAddress").set({10, 0, 0, 77});

    pressChange();

    ASSERT_EQ(sender.sent.size(), sentAtStart + 2);
    EXPECT_EQ(sender.sent[sentAtStart].bytes,
              bytesOf(buildLinuxChange(linuxChangeTo77(), WIFI_MAC)));
    EXPECT_EQ(sender.sent[sentAtStart + 1].bytes,
              bytesOf(buildLinuxChange(linuxChangeTo77(), ETHERNET_MAC)));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ChangeNetworkTest, SendsTheVxWorksRequestWithATenCharacterPassword) {
    clickRow(VXWORKS_ROW);
    typeCredentials("root", "0123456789");

    pressChange();

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
        QApplication::sendEvent(&adminId(), &press);
    }
    QTest::keyClicks(&adminPassword(), "0123456789ABC");
    EXPECT_EQ(adminId().text(), "abc");
    EXPECT_EQ(adminPassword().text(), "0123456789");
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
        clickRow(row);
        typeCredentials(GetParam().id, GetParam().password);
        pressChange();
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
        clickRow(row);
        typeCredentials("admin", "secret");
        addressField(GetParam().field).findChildren<QLineEdit*>().at(2)->clear();
        pressChange();
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
    clickRow(LINUX_ROW);
    const QRect row = list().visualRect(model().index(LINUX_ROW, 0));
    QTest::mouseClick(list().viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
    ASSERT_TRUE(list().selectionModel()->selectedRows().isEmpty());
    typeCredentials("admin", "secret");

    pressChange();
    EXPECT_EQ(onlyMessage(), messages::INVALID_CAMERA);
    EXPECT_EQ(sender.sent.size(), sentAtStart);
}

TEST_F(ChangeNetworkTest, ARescanForgetsTheSelectedCamera) {
    clickRow(LINUX_ROW);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button("rescan").isEnabled(); }, 10000));
    QTest::mouseClick(&button("rescan"), Qt::LeftButton);
    announce(linuxCamera("LX-0002"));
    ASSERT_TRUE(waitForRows(1));
    const std::size_t sentBefore = sender.sent.size();

    typeCredentials("admin", "secret");
    pressChange();

    EXPECT_TRUE(button("change").isEnabled());
    EXPECT_EQ(onlyMessage(), messages::INVALID_CAMERA)
        << "the camera now in the same row was never chosen";
    EXPECT_EQ(sender.sent.size(), sentBefore);
}

TEST_F(ChangeNetworkTest, TheRequestGoesToTheSelectedCameraAfterOthersArriveAboveIt) {
    clickRow(VXWORKS_ROW);
    typeCredentials("root", "pass");
    announce(linuxCamera("A-FIRST"));
    announce(linuxCamera("B-SECOND"));
    ASSERT_TRUE(waitForRows(4));

    pressChange();

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
    clickRow(LINUX_ROW);
    typeCredentials("admin", "secret");
    sender.failSendNumber = sender.sendAttempts + 1;
    pressChange();
    EXPECT_EQ(onlyMessage(), messages::SENDTO_ERROR);
}

} // namespace
} // namespace netlark::testing
