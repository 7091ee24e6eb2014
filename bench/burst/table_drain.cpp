#include "bench/burst/table_drain.h"

#include "bench/burst/camsim_burst.h"
#include "bench/burst/receive_buffer.h"
#include "cameras/camera_table.h"
#include "cameras/received_datagram.h"
#include "transport/receiver.h"

#include <condition_variable>
#include <mutex>

namespace netlark::bench {

namespace {

/// The receiver thread's wake, as a flag and a condition variable.
class WakeSignal {
public:
    void raise() {
        {
            const std::scoped_lock lock(m_mutex);
            m_raised = true;
        }
        m_changed.notify_one();
    }
    void waitFor(std::chrono::milliseconds timeout) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, timeout, [this] { return m_raised; });
        m_raised = false;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_raised = false;
};

} // namespace

Listing receiveWithTable(const BurstCase& burst, std::size_t ringCapacity) {
    Receiver receiver({.port = REPLY_PORT,
                       .ringCapacity = ringCapacity,
                       .socketBufferBytes = socketBufferRequest(burst.buffer)});
    WakeSignal wake;
    receiver.start([&wake] { wake.raise(); });
    Listing listing;
    listing.effectiveBuffer = effectiveReceiveBuffer(REPLY_PORT);

    const std::uint64_t dropsBefore = udpReceiveBufferErrors();
    CameraTable table;
    HandledTimes handled;
    const std::chrono::nanoseconds cpuBefore = processCpuTime();
    {
        CamsimBurst camsim(burst);
        std::optional<Clock::time_point> finishedAt;
        while (table.size() < static_cast<int>(burst.count)) {
            wake.waitFor(std::chrono::milliseconds(5));
            while (const ReceiveEvent* event = receiver.front()) {
                const DatagramAction action = actionForDatagram(event->bytes());
                if (const auto* camera = std::get_if<ListCamera>(&action)) {
                    table.insert(camera->row);
                    handled.note();
                }
                receiver.pop();
            }
            if (!finishedAt && camsim.finished()) {
                finishedAt = Clock::now();
            }
            if (finishedAt &&
                Clock::now() - std::max(*finishedAt, handled.last().value_or(*finishedAt)) >
                    QUIET_AFTER_BURST) {
                break;
            }
        }
        receiver.stop();
        listing.sent = camsim.waitForEnd();
    }
    listing.listed = table.size();
    listing.lastHandled = handled.last();
    listing.socketDrops = udpReceiveBufferErrors() - dropsBefore;
    listing.cpu = processCpuTime() - cpuBefore;
    return listing;
}

} // namespace netlark::bench
