#include "cameras/received_datagram.h"
#include "support/allocation_counter.h"
#include "tools/camsim/burst_announcements.h"

#include <benchmark/benchmark.h>
#include <variant>

namespace netlark {
namespace {

/// One announcement of the family exactly as the emulator sends it in a burst.
std::vector<std::uint8_t> announcementBytes(BurstFamily family) {
    const auto announcements = burstAnnouncements(1, family, [] { return 0x5EED5EEDu; });
    const auto bytes = answerBytes(announcements.front());
    return {bytes.begin(), bytes.end()};
}

/// The window's work per received announcement before the row is inserted:
/// dispatch by length, decode, and the nine row texts. Heap allocations are
/// counted across all iterations and reported per datagram.
void decodeAnnouncement(benchmark::State& state, BurstFamily family) {
    const std::vector<std::uint8_t> datagram = announcementBytes(family);
    if (!std::holds_alternative<ListCamera>(actionForDatagram(datagram))) {
        state.SkipWithError("the sample is not an announcement");
        return;
    }
    std::size_t allocations = 0;
    {
        const testing::AllocationCounter counter;
        for (auto _ : state) {
            benchmark::DoNotOptimize(datagram.data());
            DatagramAction action = actionForDatagram(datagram);
            benchmark::DoNotOptimize(action);
        }
        allocations = counter.count();
    }
    state.counters["allocs_per_datagram"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["bytes"] = static_cast<double>(datagram.size());
}

BENCHMARK_CAPTURE(decodeAnnouncement, linux_124_bytes, BurstFamily::Linux);
BENCHMARK_CAPTURE(decodeAnnouncement, vxworks_40_bytes, BurstFamily::VxWorks);

} // namespace
} // namespace netlark
