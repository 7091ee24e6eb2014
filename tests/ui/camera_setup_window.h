#pragma once

#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace netlark {

class CCameraSetupDlg;
class IpAddressField;

namespace testing {

/// The main window as a test drives it: its controls found by object name,
/// and the few things a user does with them.
class CameraSetupWindow {
public:
    explicit CameraSetupWindow(CCameraSetupDlg& dialog) : m_dialog(dialog) {}

    QTreeView& list() const;
    QAbstractItemModel& model() const;
    QLineEdit& adminId() const;
    QLineEdit& adminPassword() const;
    IpAddressField& addressField(const char* objectName) const;
    QPushButton& button(const char* objectName) const;

    /// The texts of one listed camera, column by column.
    QStringList rowTexts(int row) const;
    /// What an address field shows, octet by octet: "10.0.0.5", "..." when blank.
    QString shown(const char* fieldName) const;

    /// Selects a row the way a user does, with a click.
    void clickRow(int row) const;
    void typeCredentials(const QString& id, const QString& password) const;
    /// Types a dotted address into a blanked address field, key by key.
    void typeAddress(const char* fieldName, const QString& dotted) const;
    void press(const char* buttonName) const;

    /// What the context menu and the About box showed.
    struct AboutVisit {
        QStringList menuEntries; // "-" for a separator
        QString title;
        QStringList texts;
    };
    /// Readies the answers to the next context menu and About box, for while
    /// their own exec() runs: the menu's last entry, About, is clicked, and
    /// the box is read into `visit` and closed with OK.
    static void answerAboutBox(AboutVisit& visit);

private:
    CCameraSetupDlg& m_dialog;
};

} // namespace testing
} // namespace netlark
