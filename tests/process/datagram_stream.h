#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace netlark::testing {

/// Sends datagrams to 127.0.0.1:1168 from a thread of its own, paced like a
/// busy site, until it is destroyed.
class DatagramStream {
public:
    enum class Kind {
        /// Linux and VxWorks announcements, each camera a new one.
        Announcements,
        /// Announcements among datagrams that raise a message each (too short,
        /// too long, a bad checksum, an unknown opcode, a change reported
        /// done), junk of every length from 0 to 2,000 bytes and empty ones.
        Mixed,
    };

    explicit DatagramStream(Kind kind);
    ~DatagramStream();
    DatagramStream(const DatagramStream&) = delete;
    DatagramStream& operator=(const DatagramStream&) = delete;

    /// Waits until `count` datagrams have left.
    void waitUntilSent(std::size_t count) const;

private:
    void run(Kind kind);

    std::atomic<bool> m_stop{false};
    std::atomic<std::size_t> m_sent{0};
    std::thread m_thread;
};

} // namespace netlark::testing
