#include "bench/burst/window_drain.h"

#include "bench/burst/camsim_burst.h"
#include "bench/burst/receive_buffer.h"
#include "transport/receiver.h"
#include "transport/request_sender.h"
#include "ui/camera_setup_dlg.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QTreeView>

namespace netlark::bench {

namespace {

/// A burst that takes longer than this has hung (a message box, say).
constexpr auto GIVE_UP = std::chrono::seconds(60);

/// The window's discovery requests go nowhere: the emulator's burst does
/// not wait for them.
class SilentSender final : public RequestSender {
public:
    bool open() override { return true; }
    bool enableBroadcast() override { return true; }
    bool sendOnEveryInterface(const RequestBuilder&, const MacAddress&) override { return true; }
};

} // namespace

Listing receiveWithWindow(const BurstCase& burst, std::size_t ringCapacity) {
    SilentSender sender;
    Receiver receiver({.port = REPLY_PORT,
                       .ringCapacity = ringCapacity,
                       .socketBufferBytes = socketBufferRequest(burst.buffer)});
    CCameraSetupDlg window(sender, receiver, [] { return MacAddress{}; });
    window.show();
    QApplication::processEvents();
    Listing listing;
    listing.effectiveBuffer = effectiveReceiveBuffer(REPLY_PORT);

    const QAbstractItemModel& rows = *window.findChild<QTreeView*>()->model();
    HandledTimes handled;
    QObject::connect(&rows, &QAbstractItemModel::rowsInserted, &window,
                     [&handled] { handled.note(); });

    const std::uint64_t dropsBefore = udpReceiveBufferErrors();
    const std::chrono::nanoseconds cpuBefore = processCpuTime();
    CamsimBurst camsim(burst);
    const Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> finishedAt;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (!finishedAt && camsim.finished()) {
            finishedAt = Clock::now();
        }
        const bool quiet =
            finishedAt &&
            Clock::now() - std::max(*finishedAt, handled.last().value_or(*finishedAt)) >
                QUIET_AFTER_BURST;
        if (Clock::now() - start > GIVE_UP) {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
            loop.quit();
        }
        if (rows.rowCount() >= static_cast<int>(burst.count) || quiet) {
            loop.quit();
        }
    });
    check.start(5);
    loop.exec();
    check.stop();

    listing.listed = rows.rowCount();
    listing.lastHandled = handled.last();
    listing.sent = camsim.waitForEnd();
    listing.socketDrops = udpReceiveBufferErrors() - dropsBefore;
    listing.cpu = processCpuTime() - cpuBefore;
    return listing;
}

} // namespace netlark::bench
