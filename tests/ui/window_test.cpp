#include "camera_setup_fixture.h"
#include "run_when.h"
#include "ui/ip_address_field.h"
#include "watchdog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <atomic>
#include <optional>
#include <thread>

namespace netlark::testing {
namespace {

using namespace std::chrono_literals;

class WindowTest : public CameraSetupTest {
protected:
    void SetUp() override {
        openDialog(50ms);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    /// The control that has the focus, naming an address field for its octets.
    static QString focusedControl() {
        const QWidget* focused = QApplication::focusWidget();
        if (focused == nullptr) {
            return {};
        }
        if (qobject_cast<const IpAddressField*>(focused->parentWidget()) != nullptr) {
            return focused->parentWidget()->objectName();
        }
        return focused->objectName();
    }
};

TEST_F(WindowTest, TabVisitsTheControlsInWindowOrderWithDnsLast) {
    announce(linuxCamera("LX-0002"));
    ASSERT_TRUE(waitForRows(1));
    window().clickRow(0); // enables Change
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().button("rescan").isEnabled(); }, 10000));

    window().list().setFocus(Qt::TabFocusReason);
    QStringList visited{focusedControl()};
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusedControl();
    }

    EXPECT_EQ(visited,
              (QStringList{"cameraList", "adminId", "adminPassword", "ipAddress", "gateway",
                           "subnetMask", "rescan", "change", "exit", "dns", "cameraList"}));
}

TEST_F(WindowTest, FieldsAreNamedByTheirLabels) {
    QMap<QString, QString> labelOf;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            labelOf[label->buddy()->objectName()] = label->text();
        }
    }
    EXPECT_EQ(labelOf, (QMap<QString, QString>{{"adminId", "Admin's ID :"},
                                               {"adminPassword", "Admin's Password :"},
                                               {"ipAddress", "IP Address :"},
                                               {"gateway", "Gateway Address :"},
                                               {"subnetMask", "Subnet Mask Address :"},
                                               {"dns", "DNS Server Address :"}}));
    EXPECT_EQ(window().adminPassword().echoMode(), QLineEdit::Password);
    EXPECT_EQ(window().addressField("dns").findChildren<QLineEdit*>().at(0)->accessibleName(),
              "DNS Server Address octet 1");
}

struct ClosingKey {
    const char* name;
    Qt::Key key;
    QDialog::DialogCode result;
};

class ClosingKeyTest : public WindowTest, public ::testing::WithParamInterface<ClosingKey> {};

TEST_P(ClosingKeyTest, ClosesTheWindowFromThePasswordField) {
    const Watchdog watchdog(30s, "closing the window with a key");
    QTimer::singleShot(0, dialog.get(), [&] {
        window().adminPassword().setFocus();
        QTest::keyClicks(&window().adminPassword(), "secret");
        QTest::keyClick(&window().adminPassword(), GetParam().key);
    });
    EXPECT_EQ(dialog->exec(), GetParam().result);
    EXPECT_EQ(sender.sent.size(), 2u) << "closing sends nothing";
}

INSTANTIATE_TEST_SUITE_P(Keys, ClosingKeyTest,
                         ::testing::Values(ClosingKey{"Enter", Qt::Key_Return, QDialog::Accepted},
                                           ClosingKey{"Escape", Qt::Key_Escape, QDialog::Rejected}),
                         [](const auto& info) { return std::string(info.param.name); });

// The Menu key is turned into a context menu request by the platform plugin,
// which the offscreen platform does not do; Shift+F10 is the window's own.
enum class MenuRequest { RightClick, ShiftF10 };

std::string name(MenuRequest request) {
    switch (request) {
    case MenuRequest::RightClick:
        return "RightClick";
    case MenuRequest::ShiftF10:
        return "ShiftF10";
    }
    return {};
}

class WindowMenuTest : public WindowTest, public ::testing::WithParamInterface<MenuRequest> {
protected:
    void requestMenu() {
        window().list().setFocus(); // a control with no menu of its own
        switch (GetParam()) {
        case MenuRequest::RightClick: {
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                         dialog->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(dialog.get(), &rightClick);
            break;
        }
        case MenuRequest::ShiftF10:
            QTest::keyClick(dialog->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
            break;
        }
    }
};

TEST_P(WindowMenuTest, OpensTheAboutBoxWhichClosesWithOk) {
    CameraSetupWindow::AboutVisit about;
    CameraSetupWindow::answerAboutBox(about);

    const Watchdog watchdog(30s, "the context menu and the About box");
    requestMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !about.title.isEmpty(); }, 10000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }, 10000));

    EXPECT_EQ(about.menuEntries, (QStringList{"-", "&About Netlark..."}));
    EXPECT_EQ(about.title, "About Netlark");
    EXPECT_TRUE(about.texts.contains("Netlark Version 2.04"));
}

INSTANTIATE_TEST_SUITE_P(Requests, WindowMenuTest,
                         ::testing::Values(MenuRequest::RightClick, MenuRequest::ShiftF10),
                         [](const auto& info) { return name(info.param); });

/// Sends announcements to the reply port as fast as it can until destroyed.
class AnnouncementStream {
public:
    AnnouncementStream()
        : m_thread([this] {
              UdpTestSocket socket;
              const LinuxDatagram datagram = encodeLinuxAnnouncement(linuxCamera("STREAM"), 0x5EED);
              while (!m_stop) {
                  socket.sendTo(REPLY_PORT, datagram);
              }
          }) {}
    ~AnnouncementStream() {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

TEST_F(WindowTest, ClosingWhileAnnouncementsStreamInEndsTheRunPromptly) {
    const AnnouncementStream stream;
    runWhen([&] { return window().model().rowCount() > 100; }, [&] { window().press("exit"); });

    const Watchdog watchdog(30s, "exec() while announcements stream in");
    EXPECT_EQ(dialog->exec(), QDialog::Accepted);
}

TEST_F(WindowTest, ClosingWhileAMessageForADatagramIsOpenEndsTheRunPromptly) {
    const ScopedMessageHook realBoxes({}); // the real box, with its own event loop
    std::optional<AnnouncementStream> stream;
    QString caption;
    runWhen([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
            [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                caption = box->windowTitle();
                EXPECT_EQ(box->icon(), QMessageBox::Warning);
                EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
                EXPECT_EQ(box->text(), "recvfrom error = 12,0");
                // Cameras keep answering while the box waits for the user.
                stream.emplace();
                QTimer::singleShot(200, dialog.get(), [&] { dialog->close(); });
            });
    sendToReplyPort(std::vector<std::uint8_t>(12, 0));

    const Watchdog watchdog(30s, "exec() while a message box is open");
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_EQ(caption, QApplication::applicationName());
    EXPECT_EQ(dialog->findChild<QMessageBox*>(), nullptr);
}

} // namespace
} // namespace netlark::testing
