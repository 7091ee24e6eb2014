#include "ui/about_dlg.h"

#include "ui/app_icon.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

namespace netlark {

namespace {
QLabel* plainLabel(const QString& text, QWidget* parent) {
    // Plain text: an ampersand is shown as it is, never taken as a shortcut.
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About Netlark"));

    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(plainLabel(QStringLiteral("Netlark Version 2.04"), this), 0, 1);
    layout->addWidget(
        plainLabel(QStringLiteral("Finds IP cameras and sets their addresses."), this), 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnMinimumWidth(1, 200);
}

} // namespace netlark
