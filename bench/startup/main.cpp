#include "bench/startup/process_status.h"
#include "bench/startup/temporary_directory.h"
#include "camsim_process.h"
#include "child_process.h"
#include "transport/file_descriptor.h"
#include "transport/ports.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <vector>

using namespace netlark;
using namespace netlark::bench;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto REQUEST_TIMEOUT = std::chrono::seconds(20);

struct StartupOptions {
    std::string program = NETLARK_PROGRAM_PATH;
    int repeat = 10;
    int burst = 10'000;
};

constexpr const char* USAGE =
    R"(Usage: netlark-bench-startup [--program PATH] [--repeat N] [--burst N] [--smoke]
Starts the Netlark program offscreen and times it from process start to its
first discovery request on UDP port 7890 (N times); then has netlark-camsim
burst N announcements (default 10000, mixed, as fast as it can) at one running
copy and reads its peak resident memory. Run it inside tests/lab/netns-run.
)";

/// A socket where the program's discovery requests arrive, as a camera's would.
FileDescriptor discoveryListener() {
    FileDescriptor socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const int on = 1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(DISCOVERY_PORT);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!socket.isOpen() ||
        ::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        std::perror("netlark-bench-startup: cannot listen on port 7890");
        std::exit(1);
    }
    return socket;
}

/// Waits for the first request; false when none comes in time.
bool awaitRequest(const FileDescriptor& socket) {
    pollfd readable{socket.get(), POLLIN, 0};
    const int timeoutMs = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(REQUEST_TIMEOUT).count());
    if (::poll(&readable, 1, timeoutMs) != 1) {
        return false;
    }
    std::uint8_t datagram[256];
    return ::recv(socket.get(), datagram, sizeof datagram, 0) > 0;
}

/// Waits until the process has used no CPU for `still` (it has handled
/// everything that arrived), or `limit` has passed.
void awaitIdle(pid_t pid, std::chrono::milliseconds still, std::chrono::seconds limit) {
    const auto deadline = Clock::now() + limit;
    auto ticks = cpuTicks(pid);
    auto stillSince = Clock::now();
    while (Clock::now() < deadline && Clock::now() - stillSince < still) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto now = cpuTicks(pid);
        if (now != ticks) {
            ticks = now;
            stillSince = Clock::now();
        }
    }
}

double megabytes(std::optional<std::uint64_t> kilobytes) {
    return kilobytes ? static_cast<double>(*kilobytes) / 1024.0 : -1.0;
}

void timeStartup(const StartupOptions& options) {
    std::vector<double> times;
    for (int run = 0; run < options.repeat; ++run) {
        const FileDescriptor listener = discoveryListener();
        const Clock::time_point start = Clock::now();
        const ChildProcess program(options.program, {});
        if (!awaitRequest(listener)) {
            std::fprintf(stderr, "netlark-bench-startup: no discovery request within %lld s\n",
                         static_cast<long long>(REQUEST_TIMEOUT.count()));
            std::exit(1);
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::string each;
    for (const double time : times) {
        each += (each.empty() ? "" : ", ") + std::to_string(static_cast<int>(time + 0.5));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "| process start to first discovery request (ms), %d runs: %s | %.1f | %.1f | %.1f |\n",
        options.repeat, each.c_str(), times.front(), times[times.size() / 2], times.back());
}

void measureMemory(const StartupOptions& options) {
    const FileDescriptor listener = discoveryListener();
    ChildProcess program(options.program, {});
    if (!awaitRequest(listener)) {
        std::fprintf(stderr, "netlark-bench-startup: the program sent no request\n");
        std::exit(1);
    }
    awaitIdle(program.pid(), std::chrono::milliseconds(300), std::chrono::seconds(5));
    const auto idlePeak = statusKilobytes(program.pid(), "VmHWM");

    CamsimProcess camsim(
        {"--burst", std::to_string(options.burst), "--rate", "max", "--family", "mixed"});
    const auto report =
        camsim.waitForLineStarting("{\"event\":\"burst\"", std::chrono::seconds(60));
    camsim.waitExit();
    awaitIdle(program.pid(), std::chrono::milliseconds(500), std::chrono::seconds(30));
    const auto burstPeak = statusKilobytes(program.pid(), "VmHWM");
    const auto resident = statusKilobytes(program.pid(), "VmRSS");
    if (!program.isRunning()) {
        std::fprintf(stderr, "netlark-bench-startup: the program ended during the burst\n");
        std::exit(1);
    }
    std::printf("| peak resident memory (VmHWM), started and idle (MB) | %.1f | | |\n",
                megabytes(idlePeak));
    std::printf("| peak resident memory (VmHWM) after a %d-camera burst (MB) | %.1f | | |\n",
                options.burst, megabytes(burstPeak));
    std::printf("| resident memory (VmRSS) after the burst (MB) | %.1f | | |\n",
                megabytes(resident));
    std::printf("\nemulator: %s\n", report ? report->c_str() : "(no report)");
}

} // namespace

int main(int argc, char** argv) {
    StartupOptions options;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--smoke") {
            options.repeat = 2;
            options.burst = 1'000;
        } else if (args[i] == "--program" && hasValue) {
            options.program = args[++i];
        } else if (args[i] == "--repeat" && hasValue) {
            options.repeat = std::max(1, std::atoi(args[++i].c_str()));
        } else if (args[i] == "--burst" && hasValue) {
            options.burst = std::max(1, std::atoi(args[++i].c_str()));
        } else {
            std::fputs(USAGE, args[i] == "--help" ? stdout : stderr);
            return args[i] == "--help" ? 0 : 2;
        }
    }
    // Offscreen, and with a runtime directory of its own, so that the
    // program's single-instance lock meets no copy the user is running. Each
    // copy has ended before the next starts.
    const TemporaryDirectory runtime;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    std::printf("| measure | min | median | max |\n|---|---|---|---|\n");
    timeStartup(options);
    measureMemory(options);
    return 0;
}
