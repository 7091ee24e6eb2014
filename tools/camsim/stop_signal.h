#pragma once

namespace netlark {

/// SIGINT and SIGTERM, blocked and taken through a signalfd, so the serving
/// and burst loops notice them between datagrams and end cleanly.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    bool valid() const { return m_fd >= 0; }
    /// Readable once a stop signal has arrived, for poll().
    int fd() const { return m_fd; }
    /// True once a stop signal has arrived; does not wait.
    bool pending() const;

private:
    int m_fd = -1;
};

} // namespace netlark
