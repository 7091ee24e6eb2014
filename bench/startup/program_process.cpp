#include "bench/startup/program_process.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace netlark::bench {

ProgramProcess::ProgramProcess(const std::string& program, const std::string& runtimeDirectory) {
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (m_pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(127);
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ::setenv("XDG_RUNTIME_DIR", runtimeDirectory.c_str(), 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
}

ProgramProcess::~ProgramProcess() {
    if (!m_reaped) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
}

bool ProgramProcess::running() {
    if (!m_reaped && ::waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
        m_reaped = true;
    }
    return !m_reaped;
}

TemporaryDirectory::TemporaryDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "netlark-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_path = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace netlark::bench
