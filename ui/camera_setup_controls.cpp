#include "ui/camera_setup_controls.h"

#include "protocol/change_request_fields.h"
#include "ui/ip_address_field.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace netlark {

namespace {

// Sizes in pixels, about what the classic dialog-unit layout gave.
constexpr int LIST_HEIGHT = 170;
constexpr int VISIBLE_COLUMNS_WIDTH = 125 + 135 + 135;
constexpr int LABEL_WIDTH = 150;
constexpr int ADMIN_FIELD_WIDTH = 110;
constexpr int ADDRESS_FIELD_WIDTH = 190;
constexpr int ADMIN_TEXT_MARGIN = 10;

QTreeView* createCameraList(QWidget* parent) {
    auto* list = new QTreeView(parent);
    list->setObjectName(QStringLiteral("cameraList"));
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    // Wide enough for the three visible columns beside a vertical scroll bar.
    const int frame = list->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, list);
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setFixedSize(VISIBLE_COLUMNS_WIDTH + 2 * frame + scrollBar, LIST_HEIGHT);
    return list;
}

QLineEdit* createAdminTextField(const QString& objectName, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setMaxLength(static_cast<int>(ADMIN_TEXT_WIDTH));
    // Printable ASCII only, so every character typed is one byte of the request.
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x20-\\x7E]*")), field));
    field->setTextMargins(ADMIN_TEXT_MARGIN, 0, ADMIN_TEXT_MARGIN, 0);
    field->setFixedWidth(ADMIN_FIELD_WIDTH);
    return field;
}

IpAddressField* createAddressField(const QString& objectName, const QString& name,
                                   QWidget* parent) {
    auto* field = new IpAddressField(name, parent);
    field->setObjectName(objectName);
    field->setFixedWidth(ADDRESS_FIELD_WIDTH);
    return field;
}

QPushButton* createButton(const QString& objectName, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    return button;
}

void addFormRow(QGridLayout& form, const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(LABEL_WIDTH);
    label->setBuddy(field); // screen readers name the field after its label
    const int row = form.rowCount();
    form.addWidget(label, row, 0);
    form.addWidget(field, row, 1, Qt::AlignLeft);
}

} // namespace

CameraSetupControls createCameraSetupControls(QDialog& dialog) {
    auto* mainBox = new QGroupBox(&dialog);
    auto* exitBox = new QGroupBox(&dialog);

    CameraSetupControls c;
    c.cameraList = createCameraList(mainBox);
    c.adminId = createAdminTextField(QStringLiteral("adminId"), mainBox);
    c.adminPassword = createAdminTextField(QStringLiteral("adminPassword"), mainBox);
    c.adminPassword->setEchoMode(QLineEdit::Password);
    c.ipAddress =
        createAddressField(QStringLiteral("ipAddress"), QStringLiteral("IP Address"), mainBox);
    c.gateway =
        createAddressField(QStringLiteral("gateway"), QStringLiteral("Gateway Address"), mainBox);
    c.subnetMask = createAddressField(QStringLiteral("subnetMask"),
                                      QStringLiteral("Subnet Mask Address"), mainBox);
    c.rescan =
        createButton(QStringLiteral("rescan"), QStringLiteral("Rescan Internet Camera"), mainBox);
    c.change = createButton(QStringLiteral("change"),
                            QStringLiteral("Change Network Configurations"), mainBox);
    c.exit = createButton(QStringLiteral("exit"), QStringLiteral("Exit"), exitBox);
    c.exit->setDefault(true); // Enter in any field closes the window
    c.dns =
        createAddressField(QStringLiteral("dns"), QStringLiteral("DNS Server Address"), mainBox);

    // The address fields are as tall as the text fields beside them.
    for (IpAddressField* field : {c.ipAddress, c.gateway, c.subnetMask, c.dns}) {
        field->setFixedHeight(c.adminId->sizeHint().height());
    }

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setColumnStretch(1, 1);
    addFormRow(*form, QStringLiteral("Admin's ID :"), c.adminId);
    addFormRow(*form, QStringLiteral("Admin's Password :"), c.adminPassword);
    addFormRow(*form, QStringLiteral("IP Address :"), c.ipAddress);
    addFormRow(*form, QStringLiteral("Gateway Address :"), c.gateway);
    addFormRow(*form, QStringLiteral("Subnet Mask Address :"), c.subnetMask);
    addFormRow(*form, QStringLiteral("DNS Server Address :"), c.dns);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(c.rescan);
    buttons->addSpacing(12);
    buttons->addWidget(c.change);
    buttons->addStretch();

    auto* main = new QVBoxLayout(mainBox);
    main->addWidget(c.cameraList);
    main->addSpacing(4);
    main->addLayout(form);
    main->addSpacing(8);
    main->addLayout(buttons);

    auto* exitRow = new QHBoxLayout(exitBox);
    exitRow->setContentsMargins(6, 4, 6, 4);
    exitRow->addStretch();
    exitRow->addWidget(c.exit);
    exitRow->addStretch();

    auto* window = new QVBoxLayout(&dialog);
    window->setSizeConstraint(QLayout::SetFixedSize);
    window->addWidget(mainBox);
    window->addWidget(exitBox);
    return c;
}

} // namespace netlark
