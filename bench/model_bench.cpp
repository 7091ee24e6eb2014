#include "bench/burst_rows.h"
#include "ui/camera_table_model.h"

#include <QApplication>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <memory>

namespace netlark {
namespace {

/// A list set up like the window's: flat, uniform row heights, the six
/// hidden columns hidden, shown (offscreen) so that it lays out and paints.
std::unique_ptr<QTreeView> shownList(CameraTableModel& model) {
    auto list = std::make_unique<QTreeView>();
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setModel(&model);
    for (int column = COLUMN_GATEWAY; column < CAMERA_COLUMN_COUNT; ++column) {
        list->setColumnHidden(column, true);
    }
    list->setFixedSize(420, 200);
    list->show();
    QApplication::processEvents();
    return list;
}

void reportPerInsert(benchmark::State& state, std::size_t rows) {
    state.counters["per_insert"] = benchmark::Counter(
        static_cast<double>(rows),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

/// Lists `count` cameras in the model with no view attached.
void insertIntoModel(benchmark::State& state) {
    const auto rows = bench::shuffledBurstRows(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<CameraTableModel>();
        state.ResumeTiming();
        for (const CameraRow& row : rows) {
            benchmark::DoNotOptimize(model->insert(row));
        }
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    reportPerInsert(state, rows.size());
}

/// Lists `count` cameras in the model under a shown list, letting the event
/// loop run (layout, paint) every `range(1)` rows (0: only at the end). The
/// window's loop turns after every drain of the receiver, and the list lays
/// out all its rows again after each turn in which rows were inserted.
void insertIntoShownList(benchmark::State& state) {
    const auto rows = bench::shuffledBurstRows(static_cast<std::size_t>(state.range(0)));
    const auto rowsPerEventLoopTurn = static_cast<std::size_t>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<CameraTableModel>();
        auto list = shownList(*model);
        state.ResumeTiming();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            model->insert(rows[i]);
            if (rowsPerEventLoopTurn != 0 && (i + 1) % rowsPerEventLoopTurn == 0) {
                QApplication::processEvents();
            }
        }
        QApplication::processEvents();
        state.PauseTiming();
        list.reset();
        model.reset();
        state.ResumeTiming();
    }
    reportPerInsert(state, rows.size());
    state.counters["rows_per_turn"] = static_cast<double>(rowsPerEventLoopTurn);
}

BENCHMARK(insertIntoModel)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(insertIntoShownList)
    ->ArgsProduct({{1'000, 10'000, 100'000}, {0}})
    ->ArgsProduct({{1'000, 10'000}, {32}})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace netlark

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
