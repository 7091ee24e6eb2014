#pragma once

#include "transport/file_descriptor.h"

#include <QSocketNotifier>
#include <csignal>
#include <functional>
#include <memory>

namespace netlark {

/// SIGTERM and SIGINT, turned into a call on the thread that runs the event
/// loop: a signal handler may do next to nothing, so it only writes a byte to
/// a pipe that a socket notifier watches. Needs a running QApplication; one
/// at a time per process.
class TerminationSignals {
public:
    /// From now on each of the signals calls `onSignal` from the event loop,
    /// also from a message box's, instead of ending the process.
    explicit TerminationSignals(std::function<void()> onSignal);
    /// The signals end the process again, as they did before.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    /// A signal has been handled.
    bool received() const { return m_received; }

private:
    void drain();

    FileDescriptor m_readEnd;
    FileDescriptor m_writeEnd;
    std::function<void()> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previousTerminate {};
    struct sigaction m_previousInterrupt {};
    bool m_received = false;
};

} // namespace netlark
