#include "end_to_end_fixture.h"

#include <QString>

namespace netlark::testing {
namespace {

using namespace std::chrono_literals;

const std::string CHANGE_SUCCEEDED = "Successfully changed Internet Camera's IP address";
const std::string INVALID_CREDENTIALS = "Invalid ID or/and Password";
/// The addresses every change in these tests gives, as the emulator logs them.
const std::string NEW_ADDRESSES =
    R"("ip":"172.16.5.9","mask":"255.255.0.0","gateway":"172.16.0.1","dns":"1.1.1.1")";

class ChangeE2eTest : public EndToEndTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startCamsim(FLEET));
        // A short guard, so the tests can rescan soon after a change.
        ASSERT_NO_FATAL_FAILURE(openWindow(100ms));
        expectScanLogged();
        ASSERT_TRUE(waitForList(FLEET_ROWS));
    }

    /// Selects the camera, types the ID, the password and the new addresses
    /// into the form, and presses Change.
    void changeThroughTheForm(FleetRow row, const QString& id, const QString& password) {
        const CameraSetupWindow form = window();
        form.clickRow(row);
        form.typeCredentials(id, password);
        form.typeAddress("ipAddress", "172.16.5.9");
        form.typeAddress("gateway", "172.16.0.1");
        form.typeAddress("subnetMask", "255.255.0.0");
        form.typeAddress("dns", "1.1.1.1");
        form.press("change");
    }

    void rescan() {
        ASSERT_TRUE(waitForRescanEnabled());
        window().press("rescan");
        expectScanLogged();
    }
};

TEST_F(ChangeE2eTest, ALinuxCameraTakesItsNewAddressAndTheAutomaticRescanListsItThere) {
    changeThroughTheForm(CAM_30, "admin", "secret");

    // The carried address and port go back as the camera announced them.
    EXPECT_EQ(
        nextLogLine(),
        R"({"family":"linux","op":"set_network","admin_id":"admin","admin_password":"secret",)"
        R"("target_mac":"00:11:22:33:44:30",)" +
            NEW_ADDRESSES + R"(,"carried":"10.1.0.31","carried_port":8554,)" + linuxSenderFields() +
            R"(,"result":"done","camera":"CAM-30"})");
    expectScanLogged();
    std::vector<ListedRow> expected = FLEET_ROWS;
    expected[CAM_30] = {"CAM-30",     "00:11:22:33:44:30", "172.16.5.9:81",
                        "172.16.0.1", "255.255.0.0",       "1.1.1.1",
                        "Linux",      "10.1.0.31",         "8554"};
    EXPECT_TRUE(waitForList(expected));
    EXPECT_EQ(listed(), expected);
    EXPECT_EQ(shownMessages(), std::vector{CHANGE_SUCCEEDED});
}

TEST_F(ChangeE2eTest, AVxWorksCameraTakesItsNewAddressWhileTheListKeepsTheOldOne) {
    changeThroughTheForm(CAM_20, "root", "vx20pw");

    EXPECT_EQ(
        nextLogLine(),
        R"({"family":"vxworks","op":"set_network","admin_id":"root","admin_password":"vx20pw",)"
        R"("target_mac":"0A:1B:2C:3D:4E:20",)" +
            NEW_ADDRESSES + R"(,"carried":"192.168.7.20","result":"done","camera":"CAM-20"})");
    ASSERT_TRUE(messages.waitForCount(1));
    EXPECT_EQ(shownMessages(), std::vector{CHANGE_SUCCEEDED});
    // No rescan: the list still shows the address the camera has just left.
    EXPECT_EQ(listed(), FLEET_ROWS);

    ASSERT_NO_FATAL_FAILURE(rescan());
    std::vector<ListedRow> expected = FLEET_ROWS;
    expected[CAM_20] = {"CAM-20",     "0A:1B:2C:3D:4E:20", "172.16.5.9",
                        "172.16.0.1", "255.255.0.0",       "1.1.1.1",
                        "VxWorks",    "192.168.7.20",      ""};
    EXPECT_TRUE(waitForList(expected));
    EXPECT_EQ(listed(), expected);
}

TEST_F(ChangeE2eTest, AWrongPasswordIsRefusedAndTheNextScanShowsTheOldAddresses) {
    changeThroughTheForm(CAM_10, "admin", "guess");
    EXPECT_EQ(nextLogLine(),
              R"({"family":"linux","op":"set_network","admin_id":"admin","admin_password":"guess",)"
              R"("target_mac":"00:11:22:33:44:10",)" +
                  NEW_ADDRESSES + R"(,"carried":"192.168.5.10","carried_port":554,)" +
                  linuxSenderFields() + R"(,"result":"auth_fail","camera":"CAM-10"})");
    ASSERT_TRUE(messages.waitForCount(1));

    // Had the refusal started a rescan, its requests would be logged before this one.
    changeThroughTheForm(CAM_40, "root", "guess");
    EXPECT_EQ(
        nextLogLine(),
        R"({"family":"vxworks","op":"set_network","admin_id":"root","admin_password":"guess",)"
        R"("target_mac":"00:11:22:33:44:40",)" +
            NEW_ADDRESSES + R"(,"carried":"172.20.0.41","result":"auth_fail","camera":"CAM-40"})");
    ASSERT_TRUE(messages.waitForCount(2));
    EXPECT_EQ(shownMessages(), (std::vector{INVALID_CREDENTIALS, INVALID_CREDENTIALS}));

    ASSERT_NO_FATAL_FAILURE(rescan());
    EXPECT_TRUE(waitForList(FLEET_ROWS));
    EXPECT_EQ(listed(), FLEET_ROWS);
}

} // namespace
} // namespace netlark::testing
