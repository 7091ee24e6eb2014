#include "app/camera_setup_app.h"

#include "app/program_receiver.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "transport/host_adapter.h"
#include "transport/receiver.h"
#include "transport/request_sender.h"
#include "ui/app_icon.h"
#include "ui/camera_setup_dlg.h"

#include <QApplication>
#include <QFileInfo>

namespace netlark {

namespace {

constexpr std::string_view INSTANCE_NAME = "NETWORK_CAMERA_NETLARK_003";

} // namespace

int CCameraSetupApp::run(int argc, char** argv) {
    // Taken before anything else, so a second copy leaves without a window.
    const std::optional<SingleInstanceLock> instance = SingleInstanceLock::acquire(INSTANCE_NAME);
    if (!instance) {
        return 0;
    }

    QApplication application(argc, argv);
    // Every message box is captioned with the program's file name.
    QApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName());
    QApplication::setWindowIcon(applicationIcon());

    // SIGTERM and SIGINT close the windows as the user would, so the run
    // ends the way it does after Exit. A message that start-up shows before
    // the main window runs closes as well, and the main window then never opens.
    const TerminationSignals termination([] { QApplication::closeAllWindows(); });
    UdpRequestSender sender;
    Receiver receiver(PROGRAM_RECEIVER_OPTIONS);
    CCameraSetupDlg window(sender, receiver, readHostAdapterAddress);
    if (!termination.received()) {
        window.exec();
    }
    receiver.stop();
    return 0;
}

} // namespace netlark
