#include "lab_segment.h"

#include "transport/file_descriptor.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <stdexcept>

namespace netlark::testing {

namespace {

std::string labValue(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        throw std::runtime_error(name + " is not set: run under tests/lab/two-segments");
    }
    return value;
}

/// Moves this thread into another network namespace while it lives: a child
/// process forked meanwhile starts, and stays, in that namespace.
class NetworkNamespaceVisit {
public:
    explicit NetworkNamespaceVisit(const std::string& namespaceFile)
        : m_home(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC)) {
        const FileDescriptor visited(::open(namespaceFile.c_str(), O_RDONLY | O_CLOEXEC));
        if (!m_home.isOpen() || !visited.isOpen() || ::setns(visited.get(), CLONE_NEWNET) != 0) {
            throw std::runtime_error("cannot enter " + namespaceFile + ": " + std::strerror(errno));
        }
    }
    ~NetworkNamespaceVisit() {
        if (::setns(m_home.get(), CLONE_NEWNET) != 0) {
            std::abort(); // the rest of the test would run in the wrong network
        }
    }
    NetworkNamespaceVisit(const NetworkNamespaceVisit&) = delete;
    NetworkNamespaceVisit& operator=(const NetworkNamespaceVisit&) = delete;

private:
    FileDescriptor m_home;
};

} // namespace

LabSegment LabSegment::fromEnvironment(const std::string& letter) {
    const std::string prefix = "NETLARK_SEGMENT_" + letter + "_";
    std::string mac = labValue(prefix + "MAC");
    std::ranges::transform(mac, mac.begin(), [](unsigned char c) { return std::toupper(c); });
    return {labValue(prefix + "NETNS"), labValue(prefix + "IFACE"), mac};
}

std::unique_ptr<CamsimProcess> LabSegment::startCamsim(const std::vector<std::string>& args) const {
    std::unique_ptr<CamsimProcess> camsim;
    {
        const NetworkNamespaceVisit visit(namespaceFile);
        camsim = std::make_unique<CamsimProcess>(args);
    }
    if (!camsim->waitForLineStarting(R"({"event":"ready","port":7890)", std::chrono::seconds(5))) {
        ADD_FAILURE() << "the emulator behind " << adapter
                      << " did not start: " << camsim->errorOutput();
    }
    return camsim;
}

bool LabSegment::setAdapterUp(bool up) const {
    const std::string command = "ip link set dev " + adapter + (up ? " up" : " down");
    return std::system(command.c_str()) == 0;
}

} // namespace netlark::testing
