#include "tools/camsim/stop_signal.h"

#include <csignal>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace netlark {

StopSignal::StopSignal() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) == 0) {
        m_fd = signalfd(-1, &signals, SFD_CLOEXEC);
    }
}

StopSignal::~StopSignal() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool StopSignal::pending() const {
    pollfd waiting{m_fd, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0;
}

} // namespace netlark
