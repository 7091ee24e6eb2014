#include "camera_setup_window.h"

#include "run_when.h"
#include "ui/about_dlg.h"
#include "ui/camera_setup_dlg.h"
#include "ui/ip_address_field.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <stdexcept>
#include <string>

namespace netlark::testing {

namespace {

template <typename Widget> Widget& child(const QObject& parent, const char* objectName) {
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(objectName));
    if (widget == nullptr) {
        throw std::logic_error(std::string("no control named ") + objectName);
    }
    return *widget;
}

} // namespace

QTreeView& CameraSetupWindow::list() const {
    return child<QTreeView>(m_dialog, "cameraList");
}

QAbstractItemModel& CameraSetupWindow::model() const {
    return *list().model();
}

QLineEdit& CameraSetupWindow::adminId() const {
    return child<QLineEdit>(m_dialog, "adminId");
}

QLineEdit& CameraSetupWindow::adminPassword() const {
    return child<QLineEdit>(m_dialog, "adminPassword");
}

IpAddressField& CameraSetupWindow::addressField(const char* objectName) const {
    return child<IpAddressField>(m_dialog, objectName);
}

QPushButton& CameraSetupWindow::button(const char* objectName) const {
    return child<QPushButton>(m_dialog, objectName);
}

QStringList CameraSetupWindow::rowTexts(int row) const {
    QStringList texts;
    for (int column = 0; column < model().columnCount(); ++column) {
        texts << model().index(row, column).data().toString();
    }
    return texts;
}

QString CameraSetupWindow::shown(const char* fieldName) const {
    QStringList octets;
    for (const QLineEdit* octet : addressField(fieldName).findChildren<QLineEdit*>()) {
        octets << octet->text();
    }
    return octets.join(QLatin1Char('.'));
}

void CameraSetupWindow::clickRow(int row) const {
    const QRect cell = list().visualRect(model().index(row, 0));
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, cell.center());
}

void CameraSetupWindow::typeCredentials(const QString& id, const QString& password) const {
    QTest::keyClicks(&adminId(), id);
    QTest::keyClicks(&adminPassword(), password);
}

void CameraSetupWindow::typeAddress(const char* fieldName, const QString& dotted) const {
    IpAddressField& field = addressField(fieldName);
    field.clear();
    field.findChildren<QLineEdit*>().first()->setFocus(Qt::TabFocusReason);
    // The field moves from octet to octet as the user types, so the keys
    // follow the focus.
    QTest::keyClicks(nullptr, dotted);
}

void CameraSetupWindow::press(const char* buttonName) const {
    QTest::mouseClick(&button(buttonName), Qt::LeftButton);
}

void CameraSetupWindow::answerAboutBox(AboutVisit& visit) {
    runWhen([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
            [&visit] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                for (const QAction* action : menu->actions()) {
                    visit.menuEntries << (action->isSeparator() ? "-" : action->text());
                }
                QTest::mouseClick(menu, Qt::LeftButton, {},
                                  menu->actionGeometry(menu->actions().last()).center());
            });
    runWhen([] { return qobject_cast<CAboutDlg*>(QApplication::activeModalWidget()) != nullptr; },
            [&visit] {
                auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
                visit.title = about->windowTitle();
                for (const QLabel* label : about->findChildren<QLabel*>()) {
                    visit.texts << label->text();
                }
                QTest::mouseClick(about->findChild<QPushButton*>(), Qt::LeftButton);
            });
}

} // namespace netlark::testing
