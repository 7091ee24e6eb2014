#include "bench/burst_rows.h"
#include "cameras/camera_table.h"

#include <benchmark/benchmark.h>

namespace netlark {
namespace {

/// Lists `count` cameras in the sorted table, from empty. The time per insert
/// should grow like log n across the sizes, not like n.
void insertIntoTable(benchmark::State& state) {
    const auto rows = bench::shuffledBurstRows(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<CameraTable>();
        state.ResumeTiming();
        for (const CameraRow& row : rows) {
            benchmark::DoNotOptimize(table->insert(row));
        }
        state.PauseTiming();
        table.reset(); // freeing the rows is not part of listing them
        state.ResumeTiming();
    }
    state.counters["per_insert"] = benchmark::Counter(
        static_cast<double>(rows.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(insertIntoTable)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace netlark
