#pragma once

#include "protocol/addresses.h"
#include "ui/camera_setup_controls.h"
#include "ui/camera_table_model.h"
#include "ui/drain_pacer.h"

#include <QDialog>
#include <QIcon>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace netlark {

class Receiver;
class RequestSender;
struct ReceiveEvent;

/// The main window and the whole run: the camera list, the form, the scan
/// cycle with its guard timer, and the change command. Every request leaves
/// through `sender`, on every adapter; every reply arrives through
/// `receiver`, which the window drains one event at a time on its own thread.
class CCameraSetupDlg : public QDialog {
    Q_OBJECT
public:
    /// Rescan stays disabled this long after a scan has been sent.
    static constexpr std::chrono::milliseconds SCAN_GUARD_PERIOD{4000};

    using HostAdapterReader = std::function<MacAddress()>;

    /// Builds the window and starts the run (the first scan included); a
    /// step that fails shows its message and leaves the later steps undone.
    CCameraSetupDlg(RequestSender& sender, Receiver& receiver, HostAdapterReader readHostAdapter,
                    std::chrono::milliseconds guardPeriod = SCAN_GUARD_PERIOD,
                    QWidget* parent = nullptr);
    /// Stops the receiver before the window goes away.
    ~CCameraSetupDlg() override;

    /// Closing the window ends the run at once, also while a message or the
    /// About box is open on top of it.
    void done(int result) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void onInitDialog();
    void setUpColumns();
    bool sendDiscoveryRequests();
    void onRescan();
    void onTimer();
    void onSelectionChanged();
    void reportRow(int row);
    void onChangeNetwork();
    void refreshAdminFields();
    void wakeFromReceiver();
    void drainReceiver();
    void handleReceiveEvent(const ReceiveEvent& event);
    void handleDatagram(const ReceiveEvent& event);
    void requestContextMenu();
    void showAbout();
    void centreOnPrimaryScreen();
    std::optional<int> selectedListRow() const;

    RequestSender& m_sender;
    Receiver& m_receiver;
    HostAdapterReader m_readHostAdapter;

    CameraSetupControls m_controls;
    CameraTableModel m_cameras;
    DrainPacer m_drainPacer;
    QTimer m_guardTimer;
    QIcon m_hIcon;

    /// Carried by Linux requests where the sender finds no adapter of their own.
    MacAddress m_hostMac{};
    int m_nCameraCount = 0;
    /// The camera the user selected: follows it when rows are inserted above
    /// it, and is empty when nothing is selected or the list was cleared.
    std::optional<int> m_nSelectedRow;
    std::string m_strAdminId;
    std::string m_strAdminPassword;

    /// A received event is being handled; a message box's event loop must
    /// not start on the next one before the handler has returned.
    bool m_handlingDatagram = false;
    /// A camera is being added to the list: selection signals meanwhile are
    /// the list restating its selection, not the user choosing a row.
    bool m_insertingCamera = false;
    bool m_closing = false;
};

} // namespace netlark
