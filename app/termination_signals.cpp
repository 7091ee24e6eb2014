#include "app/termination_signals.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace netlark {

namespace {

// The pipe's write end, for the handler; -1 when no object is listening.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");

void onTerminationSignal(int) {
    const int savedErrno = errno;
    const char wakeUp = 1;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe.load(), &wakeUp, 1);
    errno = savedErrno;
}

// A signal ignored when the program started (as in a background job of a
// plain shell) stays ignored, as it would for any other program.
void takeOver(int signal, struct sigaction& previous) {
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, &previous);
    if (previous.sa_handler == SIG_IGN) {
        ::sigaction(signal, &previous, nullptr);
    }
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : m_onSignal(std::move(onSignal)) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return; // the signals keep ending the process at once
    }
    m_readEnd = FileDescriptor(ends[0]);
    m_writeEnd = FileDescriptor(ends[1]);
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd.get(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { drain(); });
    signalPipe = m_writeEnd.get();
    takeOver(SIGTERM, m_previousTerminate);
    takeOver(SIGINT, m_previousInterrupt);
}

TerminationSignals::~TerminationSignals() {
    if (!m_writeEnd.isOpen()) {
        return;
    }
    ::sigaction(SIGTERM, &m_previousTerminate, nullptr);
    ::sigaction(SIGINT, &m_previousInterrupt, nullptr);
    signalPipe = -1;
}

void TerminationSignals::drain() {
    char wakeUps[64];
    while (::read(m_readEnd.get(), wakeUps, sizeof wakeUps) > 0) {
    }
    m_received = true;
    m_onSignal();
}

} // namespace netlark
