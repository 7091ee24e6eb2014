#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace netlark {

namespace {

using Clock = std::chrono::steady_clock;

void closeIfOpen(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }
    // Built before the fork: another thread of the test may hold the heap's
    // lock at that moment, and the child would wait for it for ever.
    std::vector<std::string> copies{program};
    copies.insert(copies.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (m_pid == 0) {
        // If the test dies before it can stop the child, the kernel does.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(127);
        }
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    m_stdout = out[0];
    m_stderr = err[0];
}

ChildProcess::~ChildProcess() {
    if (!m_exitStatus) {
        stop();
    }
    closeIfOpen(m_stdout);
    closeIfOpen(m_stderr);
}

std::optional<std::string> ChildProcess::nextLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        const std::size_t newline = m_pending.find('\n');
        if (newline != std::string::npos) {
            std::string line = m_pending.substr(0, newline);
            m_pending.erase(0, newline + 1);
            return line;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || m_stdout < 0) {
            return std::nullopt;
        }
        pollfd readable{m_stdout, POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (ready <= 0) {
            continue;
        }
        char chunk[4096];
        const ssize_t got = ::read(m_stdout, chunk, sizeof chunk);
        if (got <= 0) {
            closeIfOpen(m_stdout);
            return std::nullopt;
        }
        m_pending.append(chunk, static_cast<std::size_t>(got));
    }
}

std::optional<std::string> ChildProcess::waitForLineStarting(const std::string& prefix,
                                                             std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        auto line = nextLine(std::max(left, std::chrono::milliseconds(0)));
        if (!line || line->starts_with(prefix)) {
            return line;
        }
    }
}

int ChildProcess::stop(int signal, std::chrono::milliseconds timeout) {
    if (!m_exitStatus) {
        ::kill(m_pid, signal);
    }
    return waitExit(timeout);
}

int ChildProcess::waitExit(std::chrono::milliseconds timeout) {
    if (m_exitStatus) {
        return *m_exitStatus;
    }
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(m_pid, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (done == 0) {
        ::kill(m_pid, SIGKILL);
        done = ::waitpid(m_pid, &status, 0);
    }
    if (done != m_pid) {
        m_exitStatus = -1;
    } else {
        recordExit(status);
    }
    return *m_exitStatus;
}

bool ChildProcess::isRunning() {
    int status = 0;
    if (!m_exitStatus && ::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        recordExit(status);
    }
    return !m_exitStatus;
}

void ChildProcess::recordExit(int status) {
    m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ChildProcess::errorOutput() {
    waitExit();
    std::string text;
    char chunk[4096];
    ssize_t got = 0;
    while (m_stderr >= 0 && (got = ::read(m_stderr, chunk, sizeof chunk)) > 0) {
        text.append(chunk, static_cast<std::size_t>(got));
    }
    return text;
}

} // namespace netlark
