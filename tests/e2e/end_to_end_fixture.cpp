#include "end_to_end_fixture.h"

#include "protocol/linux_datagram.h"
#include "tools/camsim/address_format.h"
#include "transport/host_adapter.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTest>

namespace netlark::testing {

namespace {

using namespace std::chrono_literals;

/// Long enough for a loaded machine; a wait that runs out fails the test.
constexpr int WAIT_MS = 20000;
constexpr auto LOG_WAIT = 20s;

} // namespace

const std::vector<std::string> FLEET = {
    "--camera",
    "family=linux,serial=CAM-30,mac=00:11:22:33:44:30,ip=10.1.0.30,mask=255.255.0.0,"
    "gateway=10.1.0.1,dns=10.1.0.2,web-port=81,carried=10.1.0.31,carried-port=8554,"
    "id=admin,password=secret",
    "--camera",
    "family=linux,serial=CAM-10,mac=00:11:22:33:44:10,ip=192.168.5.10,mask=255.255.255.0,"
    "gateway=192.168.5.1,dns=8.8.8.8,id=admin,password=lxpass",
    "--camera",
    "family=vxworks,serial=CAM-40,mac=00:11:22:33:44:40,ip=172.20.0.40,mask=255.255.240.0,"
    "gateway=172.20.0.1,dns=172.20.0.2,carried=172.20.0.41,id=root,password=vxpass",
    "--camera",
    "family=vxworks,serial=CAM-20,mac=0a:1b:2c:3d:4e:20,ip=192.168.7.20,mask=255.255.255.128,"
    "gateway=192.168.7.1,dns=9.9.9.9,id=root,password=vx20pw",
};

const std::vector<ListedRow> FLEET_ROWS = {
    {"CAM-10", "00:11:22:33:44:10", "192.168.5.10", "192.168.5.1", "255.255.255.0", "8.8.8.8",
     "Linux", "192.168.5.10", "554"},
    {"CAM-20", "0A:1B:2C:3D:4E:20", "192.168.7.20", "192.168.7.1", "255.255.255.128", "9.9.9.9",
     "VxWorks", "192.168.7.20", ""},
    {"CAM-30", "00:11:22:33:44:30", "10.1.0.30:81", "10.1.0.1", "255.255.0.0", "10.1.0.2", "Linux",
     "10.1.0.31", "8554"},
    {"CAM-40", "00:11:22:33:44:40", "172.20.0.40", "172.20.0.1", "255.255.240.0", "172.20.0.2",
     "VxWorks", "172.20.0.41", ""},
};

void EndToEndTest::startCamsim(const std::vector<std::string>& args) {
    camsim = std::make_unique<CamsimProcess>(args);
    ASSERT_TRUE(camsim->waitForLineStarting(R"({"event":"ready","port":7890)", LOG_WAIT))
        << camsim->errorOutput();
}

void EndToEndTest::openWindow(std::chrono::milliseconds guardPeriod) {
    dialog =
        std::make_unique<CCameraSetupDlg>(sender, receiver, readHostAdapterAddress, guardPeriod);
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
}

void EndToEndTest::TearDown() {
    dialog.reset();
    if (camsim) {
        EXPECT_EQ(camsim->stop(), 0) << camsim->errorOutput();
    }
}

std::string EndToEndTest::nextLogLine() {
    // The window goes on handling events meanwhile: a request it sends in
    // answer to a reply (the rescan after a change) leaves from its event loop.
    std::optional<std::string> line;
    const bool logged = QTest::qWaitFor(
        [&] {
            line = camsim->nextLine(5ms);
            return line.has_value();
        },
        WAIT_MS);
    return logged ? *line : "(no line)";
}

std::string EndToEndTest::linuxSenderFields() {
    const MacAddress hostMac = readHostAdapterAddress();
    EXPECT_NE(hostMac, MacAddress{}) << "the lab has no adapter with a MAC address";
    return R"("sender_mac":")" + macText(hostMac) + R"(","key":)" +
           std::to_string(NETLARK_REQUEST_KEY);
}

void EndToEndTest::expectScanLogged() {
    EXPECT_EQ(nextLogLine(),
              R"({"family":"linux","op":"discover",)" + linuxSenderFields() + R"(,"answers":2})");
    EXPECT_EQ(nextLogLine(), R"({"family":"vxworks","op":"discover","answers":2})");
}

std::vector<ListedRow> EndToEndTest::listed() const {
    std::vector<ListedRow> rows;
    for (int row = 0; row < window().model().rowCount(); ++row) {
        ListedRow& texts = rows.emplace_back();
        for (const QString& text : window().rowTexts(row)) {
            texts.push_back(text.toStdString());
        }
    }
    return rows;
}

bool EndToEndTest::waitForList(const std::vector<ListedRow>& rows) {
    return QTest::qWaitFor([&] { return listed() == rows; }, WAIT_MS);
}

std::vector<std::string> EndToEndTest::shownMessages() const {
    std::vector<std::string> texts;
    for (const QString& text : messages.texts()) {
        texts.push_back(text.toStdString());
    }
    return texts;
}

bool EndToEndTest::waitForRescanEnabled() {
    return QTest::qWaitFor([&] { return window().button("rescan").isEnabled(); }, WAIT_MS);
}

} // namespace netlark::testing
