#include "bench/burst/bare_loop.h"
#include "bench/burst/burst_options.h"
#include "bench/burst/burst_report.h"
#include "bench/burst/table_drain.h"
#include "bench/burst/window_drain.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/utsname.h>

using namespace netlark::bench;

namespace {

std::string firstLineOf(const char* path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

void printMachine(const BurstOptions& options) {
    utsname system{};
    ::uname(&system);
    std::printf("kernel %s, %ld CPUs, net.core.rmem_max %s, rmem_default %s; Receiver ring %zu "
                "slots\nload average at start: %s\n\n",
                system.release, sysconf(_SC_NPROCESSORS_ONLN),
                firstLineOf("/proc/sys/net/core/rmem_max").c_str(),
                firstLineOf("/proc/sys/net/core/rmem_default").c_str(), options.ringCapacity,
                firstLineOf("/proc/loadavg").c_str());
}

std::optional<Listing> receive(ReceivePath path, const BurstCase& burst,
                               const BurstOptions& options) {
    switch (path) {
    case ReceivePath::BareLoop:
    case ReceivePath::BareAgain:
        return receiveWithBareLoop(burst);
    case ReceivePath::Table:
        return receiveWithTable(burst, options.ringCapacity);
    case ReceivePath::Window:
        return receiveWithWindow(burst, options.ringCapacity);
    }
    return std::nullopt;
}

/// Each repetition runs every path once, starting one path further on, so
/// that no path always goes first (or always follows the same one).
CaseResults runCase(const BurstCase& burst, const BurstOptions& options) {
    CaseResults results{burst, {}};
    for (int r = 0; r < options.repeat; ++r) {
        auto& repetition = results.repetitions.emplace_back();
        for (std::size_t k = 0; k < options.paths.size(); ++k) {
            const ReceivePath path =
                options.paths[(k + static_cast<std::size_t>(r)) % options.paths.size()];
            repetition[static_cast<std::size_t>(path)] = receive(path, burst, options);
        }
    }
    return results;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        std::fputs(BURST_USAGE, stdout);
        return 0;
    }
    auto parsed = parseBurstOptions(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "netlark-bench-burst: %s\n%s", error->c_str(), BURST_USAGE);
        return 2;
    }
    const BurstOptions& options = std::get<BurstOptions>(parsed);

    printMachine(options);
    printTableHeader();
    for (const std::uint32_t count : options.counts) {
        for (const std::uint32_t rate : options.rates) {
            for (const BufferLimit buffer : options.buffers) {
                const BurstCase burst{count, rate == MAX_RATE ? std::nullopt : std::optional(rate),
                                      buffer};
                printCase(runCase(burst, options));
            }
        }
    }
    std::printf("\nload average at end: %s\n", firstLineOf("/proc/loadavg").c_str());
    return 0;
}
