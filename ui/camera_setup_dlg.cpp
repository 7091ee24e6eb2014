#include "ui/camera_setup_dlg.h"

#include "cameras/change_request.h"
#include "cameras/messages.h"
#include "cameras/received_datagram.h"
#include "cameras/row_addresses.h"
#include "transport/receiver.h"
#include "transport/request_sender.h"
#include "ui/about_dlg.h"
#include "ui/app_icon.h"
#include "ui/drain_pacer.h"
#include "ui/ip_address_field.h"
#include "ui/message_box.h"
#include "ui/repaint_pacer.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTreeView>
#include <algorithm>
#include <cstdint>
#include <span>

namespace netlark {

namespace {

/// Fills an address field from a row; an address the row lacks blanks it.
void setAddressField(IpAddressField& field, const std::optional<Ipv4Address>& address) {
    if (address) {
        field.set(*address);
    } else {
        field.clear();
    }
}

/// The pause between drains grows with the list, since the list lays out
/// every row again after each drain; it is capped so that the receiver's
/// ring still holds what a gigabit link brings in meanwhile.
constexpr std::chrono::nanoseconds DRAIN_PAUSE_PER_ROW{1000};
constexpr std::chrono::nanoseconds MAX_DRAIN_PAUSE{std::chrono::milliseconds(10)};

} // namespace

CCameraSetupDlg::CCameraSetupDlg(RequestSender& sender, Receiver& receiver,
                                 HostAdapterReader readHostAdapter,
                                 std::chrono::milliseconds guardPeriod, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_sender(sender), m_receiver(receiver), m_readHostAdapter(std::move(readHostAdapter)),
      m_controls(createCameraSetupControls(*this)),
      m_drainPacer(
          [this] { drainReceiver(); },
          [this] { return std::min(m_cameras.rowCount() * DRAIN_PAUSE_PER_ROW, MAX_DRAIN_PAUSE); }),
      m_hIcon(applicationIcon()) {
    setWindowTitle(QStringLiteral("New_Netlark(V2.04)"));
    m_guardTimer.setSingleShot(true);
    m_guardTimer.setInterval(guardPeriod);
    connect(&m_guardTimer, &QTimer::timeout, this, &CCameraSetupDlg::onTimer);
    connect(m_controls.rescan, &QPushButton::clicked, this, &CCameraSetupDlg::onRescan);
    connect(m_controls.change, &QPushButton::clicked, this, &CCameraSetupDlg::onChangeNetwork);
    connect(m_controls.exit, &QPushButton::clicked, this, &QDialog::accept);
    // Shift+F10 asks the focused control for its context menu, as the Menu key does.
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this), &QShortcut::activated, this,
            &CCameraSetupDlg::requestContextMenu);
    centreOnPrimaryScreen();
    onInitDialog();
}

CCameraSetupDlg::~CCameraSetupDlg() {
    m_receiver.stop();
}

void CCameraSetupDlg::onInitDialog() {
    refreshAdminFields();
    setWindowIcon(m_hIcon);
    m_controls.change->setEnabled(false); // until a camera is selected
    setUpColumns();

    if (!m_sender.open()) {
        showMessage(this, messages::CANNOT_OPEN_SEND_SOCKET);
        return;
    }
    if (!m_sender.enableBroadcast()) {
        showMessage(this, messages::SETSOCKOPT_ERROR);
        return;
    }
    m_hostMac = m_readHostAdapter();
    // The reply port is bound before the first request goes out, so a camera
    // that answers at once is not lost.
    m_receiver.bindSocket();
    if (!sendDiscoveryRequests()) {
        return;
    }
    m_receiver.start([this] { wakeFromReceiver(); });
    m_controls.rescan->setEnabled(false);
    m_guardTimer.start();
}

void CCameraSetupDlg::setUpColumns() {
    QTreeView& list = *m_controls.cameraList;
    list.setModel(&m_cameras);
    auto* pacer = new RepaintPacer(list);
    connect(&m_cameras, &QAbstractItemModel::rowsInserted, pacer, &RepaintPacer::contentChanged);
    list.setColumnWidth(COLUMN_SERIAL, 125);
    list.setColumnWidth(COLUMN_MAC, 135);
    list.setColumnWidth(COLUMN_IP, 135);
    for (int column = COLUMN_GATEWAY; column < CAMERA_COLUMN_COUNT; ++column) {
        list.setColumnHidden(column, true);
    }
    connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CCameraSetupDlg::onSelectionChanged);
    m_nCameraCount = 0;
}

bool CCameraSetupDlg::sendDiscoveryRequests() {
    // A Linux request carries the MAC of the adapter it leaves through, so it
    // is built again for each one.
    LinuxDatagram linuxDiscovery{};
    const RequestBuilder buildLinux = [&](const MacAddress& senderMac) {
        linuxDiscovery = buildLinuxDiscovery(senderMac);
        return std::span<const std::uint8_t>(linuxDiscovery);
    };
    const VxWorksRequest vxworksDiscovery = buildVxWorksDiscovery();
    const RequestBuilder buildVxWorks = [&](const MacAddress&) {
        return std::span<const std::uint8_t>(vxworksDiscovery);
    };
    // The second request is not tried when the first one failed.
    if (!m_sender.sendOnEveryInterface(buildLinux, m_hostMac) ||
        !m_sender.sendOnEveryInterface(buildVxWorks, m_hostMac)) {
        showMessage(this, messages::SENDTO_ERROR);
        return false;
    }
    return true;
}

void CCameraSetupDlg::onRescan() {
    m_cameras.clear();
    m_nCameraCount = 0;
    m_nSelectedRow.reset();
    m_strAdminId.clear();
    m_strAdminPassword.clear();
    for (IpAddressField* field :
         {m_controls.ipAddress, m_controls.gateway, m_controls.dns, m_controls.subnetMask}) {
        field->clear();
    }
    refreshAdminFields();
    if (!sendDiscoveryRequests()) {
        return; // Rescan and the guard stay as they were
    }
    m_controls.rescan->setEnabled(false);
    m_guardTimer.start();
}

void CCameraSetupDlg::onTimer() {
    m_guardTimer.stop();
    m_controls.rescan->setEnabled(true);
}

void CCameraSetupDlg::onSelectionChanged() {
    if (m_insertingCamera) {
        return; // the list restating its selection while a row goes in
    }
    if (const std::optional<int> row = selectedListRow()) {
        reportRow(*row);
    } else {
        m_nSelectedRow.reset();
    }
}

std::optional<int> CCameraSetupDlg::selectedListRow() const {
    const QModelIndexList rows = m_controls.cameraList->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    return rows.first().row();
}

void CCameraSetupDlg::reportRow(int row) {
    m_nSelectedRow = row;
    const RowAddresses addresses = rowAddresses(m_cameras.table().row(row));
    setAddressField(*m_controls.ipAddress, addresses.ip);
    setAddressField(*m_controls.gateway, addresses.gateway);
    setAddressField(*m_controls.subnetMask, addresses.subnetMask);
    setAddressField(*m_controls.dns, addresses.dns);
    // The ID and password are typed again for every camera.
    m_strAdminId.clear();
    m_strAdminPassword.clear();
    refreshAdminFields();
    m_controls.change->setEnabled(true);
}

void CCameraSetupDlg::onChangeNetwork() {
    m_strAdminId = m_controls.adminId->text().toLatin1().toStdString();
    m_strAdminPassword = m_controls.adminPassword->text().toLatin1().toStdString();

    const CameraTable& table = m_cameras.table();
    const CameraRow* selected =
        m_nSelectedRow && *m_nSelectedRow < table.size() ? &table.row(*m_nSelectedRow) : nullptr;
    const ConfigFormValues form{m_strAdminId,
                                m_strAdminPassword,
                                m_controls.ipAddress->read(),
                                m_controls.gateway->read(),
                                m_controls.subnetMask->read(),
                                m_controls.dns->read()};
    if (const std::optional<ChangeRefused> refused = changeRefusal(selected, form)) {
        showMessage(this, refused->message);
        return;
    }
    ChangeRequest request;
    const RequestBuilder build = [&](const MacAddress& senderMac) {
        request = buildChangeRequest(*selected, form, senderMac);
        return requestBytes(request);
    };
    if (!m_sender.sendOnEveryInterface(build, m_hostMac)) {
        showMessage(this, messages::SENDTO_ERROR);
    }
}

void CCameraSetupDlg::refreshAdminFields() {
    m_controls.adminId->setText(QString::fromStdString(m_strAdminId));
    m_controls.adminPassword->setText(QString::fromStdString(m_strAdminPassword));
}

void CCameraSetupDlg::wakeFromReceiver() {
    // Called on the receiver thread: the events are handled on the window's.
    QMetaObject::invokeMethod(&m_drainPacer, &DrainPacer::wake, Qt::QueuedConnection);
}

void CCameraSetupDlg::drainReceiver() {
    while (!m_closing && !m_handlingDatagram) {
        const ReceiveEvent* event = m_receiver.front();
        if (event == nullptr) {
            return;
        }
        m_handlingDatagram = true;
        handleReceiveEvent(*event);
        m_receiver.pop();
        m_handlingDatagram = false;
    }
}

void CCameraSetupDlg::handleReceiveEvent(const ReceiveEvent& event) {
    switch (event.kind) {
    case ReceiveEvent::Kind::Datagram:
        handleDatagram(event);
        break;
    case ReceiveEvent::Kind::ReceiveError:
        showMessage(this, messages::receiveFailed(event.result, event.error));
        break;
    case ReceiveEvent::Kind::SocketFailed:
        showMessage(this, messages::CANNOT_OPEN_RECEIVE_SOCKET);
        break;
    case ReceiveEvent::Kind::BindFailed:
        showMessage(this, messages::bindFailed(event.error));
        break;
    }
}

void CCameraSetupDlg::handleDatagram(const ReceiveEvent& event) {
    const DatagramAction action = actionForDatagram(event.bytes());
    if (const auto* camera = std::get_if<ListCamera>(&action)) {
        m_insertingCamera = true;
        m_cameras.insert(camera->row);
        m_insertingCamera = false;
        ++m_nCameraCount;
        // A row inserted above the selected camera moves it down: follow it,
        // leaving the form the user may be filling in as it is.
        m_nSelectedRow = selectedListRow();
    } else if (const auto* reply = std::get_if<ReportReply>(&action)) {
        showMessage(this, reply->message);
        if (reply->rescanAfter && !m_closing) {
            onRescan(); // once the message has been dismissed
        }
    }
}

void CCameraSetupDlg::done(int result) {
    m_closing = true;
    m_guardTimer.stop();
    // Whatever is open on top of the window closes with it, so that exec()
    // returns now rather than when the user would have dismissed it.
    for (QMenu* menu : findChildren<QMenu*>()) {
        menu->close();
    }
    for (QDialog* box : findChildren<QDialog*>()) {
        if (box->isVisible()) {
            box->done(QDialog::Rejected);
        }
    }
    QDialog::done(result);
}

void CCameraSetupDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addSeparator();
    const QAction* about = menu.addAction(QStringLiteral("&About Netlark..."));
    if (menu.exec(event->globalPos()) == about && !m_closing) {
        showAbout();
    }
}

void CCameraSetupDlg::requestContextMenu() {
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : this;
    const QPoint position = target->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, position, target->mapToGlobal(position));
    // A control without a menu of its own passes the request up to the window.
    QApplication::sendEvent(target, &request);
}

void CCameraSetupDlg::showAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CCameraSetupDlg::centreOnPrimaryScreen() {
    adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

} // namespace netlark
