#pragma once

class QDialog;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace netlark {

class IpAddressField;

/// The controls of the main window, laid out in the window. They are created
/// in the order the Tab key visits them: the list, the ID and password, the
/// IP, gateway and subnet mask fields, Rescan, Change, Exit, and last the DNS
/// field (which sits above the buttons but is reached after them).
struct CameraSetupControls {
    QTreeView* cameraList = nullptr;
    QLineEdit* adminId = nullptr;
    QLineEdit* adminPassword = nullptr;
    IpAddressField* ipAddress = nullptr;
    IpAddressField* gateway = nullptr;
    IpAddressField* subnetMask = nullptr;
    QPushButton* rescan = nullptr;
    QPushButton* change = nullptr;
    QPushButton* exit = nullptr;
    IpAddressField* dns = nullptr;
};

/// Creates the controls in `dialog` and lays them out; the dialog gets a
/// fixed size.
CameraSetupControls createCameraSetupControls(QDialog& dialog);

} // namespace netlark
