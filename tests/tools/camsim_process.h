#pragma once

#include <chrono>
#include <csignal>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace netlark {

/// netlark-camsim run as a child process, its stdout and stderr read through
/// pipes. Every wait is bounded, and the child is always ended and reaped: by
/// stop(), by the destructor, or by the kernel if the test process dies.
class CamsimProcess {
public:
    explicit CamsimProcess(const std::vector<std::string>& args);
    ~CamsimProcess();
    CamsimProcess(const CamsimProcess&) = delete;
    CamsimProcess& operator=(const CamsimProcess&) = delete;

    /// The next stdout line, or nullopt when none comes within `timeout` or
    /// stdout has closed.
    std::optional<std::string> nextLine(std::chrono::milliseconds timeout);

    /// Reads lines until one starts with `prefix`; returns it, or nullopt on timeout.
    std::optional<std::string> waitForLineStarting(const std::string& prefix,
                                                   std::chrono::milliseconds timeout);

    /// Sends `signal` and returns the exit status (see waitExit()).
    int stop(int signal = SIGTERM);

    /// Waits for the child to end; SIGKILL after `timeout`. Returns the exit
    /// code, or 128 + signal number when a signal ended it.
    int waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(5));

    /// All of stderr once the child has ended.
    std::string errorOutput();

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    int m_stderr = -1;
    std::string m_pending;
    std::optional<int> m_exitStatus;
};

} // namespace netlark
