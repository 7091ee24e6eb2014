#pragma once

#include <string>
#include <sys/types.h>

namespace netlark::bench {

/// The Netlark program started as a child: offscreen, with a runtime
/// directory of its own (so its single-instance lock meets no other copy),
/// ended with SIGTERM and reaped when this object goes.
class ProgramProcess {
public:
    ProgramProcess(const std::string& program, const std::string& runtimeDirectory);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    pid_t pid() const { return m_pid; }
    /// True while the child has not ended.
    bool running();

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
};

/// A fresh private directory, removed with everything in it when this goes.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace netlark::bench
