// The `netlark` program run as a child in the lab on the offscreen platform,
// where a message box stays open until something closes it.

#include "child_process.h"
#include "datagram_stream.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"
#include "tests/transport/udp_test_socket.h"
#include "transport/ports.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>

namespace netlark::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A Qt program may take a while to start on a loaded machine; ending it may not.
constexpr auto START_LIMIT = 10s;
constexpr auto CLOSE_LIMIT = 1s;
constexpr int KILLED_BY_SIGKILL = 128 + SIGKILL;

bool isLinuxDiscovery(const std::vector<std::uint8_t>& bytes) {
    LinuxDatagram datagram{};
    if (bytes.size() != datagram.size()) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), datagram.begin());
    return std::holds_alternative<LinuxDiscoveryRequest>(decodeLinuxRequest(datagram));
}

bool isVxWorksDiscovery(const std::vector<std::uint8_t>& bytes) {
    VxWorksRequest datagram{};
    if (bytes.size() != datagram.size()) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), datagram.begin());
    return std::holds_alternative<VxWorksDiscoveryRequest>(decodeVxWorksRequest(datagram));
}

// Binding the reply port fails with EADDRINUSE while a running copy holds it.
bool replyPortHeldElsewhere() {
    const FileDescriptor socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(REPLY_PORT);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    return ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
           errno == EADDRINUSE;
}

// The process has a handler of its own for `signal` (its SigCgt mask).
bool catchesSignal(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("SigCgt:")) {
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0;
        }
    }
    return false;
}

class NetlarkProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "netlark-runtime-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_runtimeDirectory = pattern;
        // A lock of this test's own, apart from any copy the user is running.
        ::setenv("XDG_RUNTIME_DIR", m_runtimeDirectory.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    void TearDown() override { fs::remove_all(m_runtimeDirectory); }

    static std::unique_ptr<ChildProcess> startNetlark() {
        return std::make_unique<ChildProcess>(NETLARK_PATH, std::vector<std::string>{});
    }

    /// Waits for a copy's first scan: its Linux and its VxWorks discovery
    /// request, which go out once the window has been set up.
    ::testing::AssertionResult firstScanSent() {
        bool linuxSeen = false;
        bool vxworksSeen = false;
        const auto deadline = Clock::now() + START_LIMIT;
        while (!(linuxSeen && vxworksSeen)) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms) {
                return ::testing::AssertionFailure() << "discovery requests seen: Linux "
                                                     << linuxSeen << ", VxWorks " << vxworksSeen;
            }
            if (const auto datagram = m_discoveryPort.receive(left)) {
                linuxSeen = linuxSeen || isLinuxDiscovery(*datagram);
                vxworksSeen = vxworksSeen || isVxWorksDiscovery(*datagram);
            }
        }
        return ::testing::AssertionSuccess();
    }

    fs::path m_runtimeDirectory;
    UdpTestSocket m_discoveryPort = UdpTestSocket::boundTo(DISCOVERY_PORT);
};

struct Closing {
    const char* name;
    int signal;
    DatagramStream::Kind stream;
};

void PrintTo(const Closing& closing, std::ostream* out) {
    *out << closing.name;
}

class ClosingTest : public NetlarkProcessTest, public ::testing::WithParamInterface<Closing> {};

TEST_P(ClosingTest, EndsTheProcessWithinASecond) {
    const auto netlark = startNetlark();
    ASSERT_TRUE(firstScanSent());
    const DatagramStream stream(GetParam().stream);
    stream.waitUntilSent(2000);

    EXPECT_EQ(netlark->stop(GetParam().signal, CLOSE_LIMIT), 0)
        << KILLED_BY_SIGKILL << " means it still ran " << CLOSE_LIMIT.count()
        << " s after the signal; stderr:\n"
        << netlark->errorOutput();
}

INSTANTIATE_TEST_SUITE_P(
    Signals, ClosingTest,
    ::testing::Values(Closing{"TermWhileAnnouncementsStreamIn", SIGTERM,
                              DatagramStream::Kind::Announcements},
                      Closing{"TermWhileAMessageIsOpen", SIGTERM, DatagramStream::Kind::Mixed},
                      Closing{"InterruptWhileAMessageIsOpen", SIGINT, DatagramStream::Kind::Mixed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NetlarkProcessTest, ClosingWhileTheStartUpMessageIsOpenEndsTheProcess) {
    // In a network namespace of its own, with no route at all, the first
    // discovery request cannot be sent: "sendto error" opens before the window.
    ChildProcess netlark(UNSHARE_PATH, {"--net", "--", NETLARK_PATH});
    const auto deadline = Clock::now() + START_LIMIT;
    while (!catchesSignal(netlark.pid(), SIGTERM) && Clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(catchesSignal(netlark.pid(), SIGTERM)) << "the program did not start";

    EXPECT_EQ(netlark.stop(SIGTERM, CLOSE_LIMIT), 0) << netlark.errorOutput();
}

TEST_F(NetlarkProcessTest, SecondCopyLeavesSilentlyAndTheFirstRunsOn) {
    const auto first = startNetlark();
    ASSERT_TRUE(firstScanSent());
    EXPECT_TRUE(fs::exists(m_runtimeDirectory / "NETWORK_CAMERA_NETLARK_003"));

    ChildProcess second(NETLARK_PATH, {});
    EXPECT_EQ(second.waitExit(START_LIMIT), 0);
    EXPECT_EQ(second.errorOutput(), "");
    // Whatever the second copy had sent would be queued by now.
    EXPECT_EQ(m_discoveryPort.receive(0ms), std::nullopt) << "the second copy scanned";

    EXPECT_TRUE(first->isRunning());
    EXPECT_TRUE(replyPortHeldElsewhere()) << "the first copy lost its reply port";
    EXPECT_EQ(first->stop(SIGTERM, CLOSE_LIMIT), 0);
}

TEST_F(NetlarkProcessTest, CopyStartedAfterAKilledOneRuns) {
    const auto killed = startNetlark();
    ASSERT_TRUE(firstScanSent());
    ASSERT_EQ(killed->stop(SIGKILL), KILLED_BY_SIGKILL);

    const auto next = startNetlark();
    EXPECT_TRUE(firstScanSent()) << "the lock of the killed copy was left behind";
    EXPECT_TRUE(next->isRunning());
    EXPECT_EQ(next->stop(SIGTERM, CLOSE_LIMIT), 0);
}

} // namespace
} // namespace netlark::testing
