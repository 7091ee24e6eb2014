#pragma once

#include <chrono>
#include <csignal>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace netlark {

/// A program run as a child process with the test's environment, its stdout
/// and stderr read through pipes. Every wait is bounded, and the child is
/// always ended and reaped: by stop(), by the destructor, or by the kernel if
/// the test process dies.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }

    /// The next stdout line, or nullopt when none comes within `timeout` or
    /// stdout has closed.
    std::optional<std::string> nextLine(std::chrono::milliseconds timeout);

    /// Reads lines until one starts with `prefix`; returns it, or nullopt on timeout.
    std::optional<std::string> waitForLineStarting(const std::string& prefix,
                                                   std::chrono::milliseconds timeout);

    /// Sends `signal` and returns the exit status (see waitExit()).
    int stop(int signal = SIGTERM, std::chrono::milliseconds timeout = std::chrono::seconds(5));

    /// Waits for the child to end; SIGKILL after `timeout`. Returns the exit
    /// code, or 128 + signal number when a signal ended it.
    int waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(5));

    /// The child has not ended yet (it is not waited for).
    bool isRunning();

    /// All of stderr once the child has ended.
    std::string errorOutput();

private:
    void recordExit(int status);

    pid_t m_pid = -1;
    int m_stdout = -1;
    int m_stderr = -1;
    std::string m_pending;
    std::optional<int> m_exitStatus;
};

} // namespace netlark
