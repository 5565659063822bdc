// The grid's costly paths on large grids: a full paint at the top, middle and
// bottom of 1k and 100k rows, scrolling the last row into view, deleting
// every non-fixed row, auto-sizing 100k x 10 cells, and appending rows one
// by one (scroll bars reset per insert).
#include <benchmark/benchmark.h>

#include <QImage>

#include <string>

#include "draw/dc.h"
#include "gridctrl.h"
#include "support/gridbench.h"
#include "window/window.h"

namespace {

using gridbench::kColumns;
using gridbench::Fixture;

void BM_FullPaint(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)));
    f.Fill();
    // 0 top, 1 middle, 2 bottom
    const int where = static_cast<int>(state.range(1));
    f.grid.EnsureVisible(where == 0   ? 1
                         : where == 1 ? f.grid.GetRowCount() / 2
                                      : f.grid.GetRowCount() - 1,
                         1);
    QImage image(600, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        platform::Dc dc(&image);
        f.grid.OnDraw(&dc);
    }
}
BENCHMARK(BM_FullPaint)->ArgsProduct({{1000, 100000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

void BM_EnsureVisibleLastRow(benchmark::State& state) {
    Fixture f(100000);
    for (auto _ : state) {
        f.grid.SetScrollPos32(platform::SB_VERT, 0);
        f.grid.EnsureVisible(99999, 1);
    }
    if (!f.grid.IsCellVisible(99999, 1)) state.SkipWithError("the last row is not in view");
}
BENCHMARK(BM_EnsureVisibleLastRow)->Unit(benchmark::kMillisecond);

void BM_DeleteNonFixedRows(benchmark::State& state) {
    Fixture f(1);
    for (auto _ : state) {
        state.PauseTiming();
        f.grid.SetRowCount(100001);
        state.ResumeTiming();
        f.grid.DeleteNonFixedRows();
    }
    if (f.grid.GetRowCount() != 1) state.SkipWithError("rows left");
}
BENCHMARK(BM_DeleteNonFixedRows)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AutoSize(benchmark::State& state) {
    Fixture f(100000);
    f.Fill();
    for (auto _ : state)
        f.grid.AutoSize();
}
BENCHMARK(BM_AutoSize)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_InsertRows(benchmark::State& state) {
    Fixture f(1);
    for (auto _ : state) {
        state.PauseTiming();
        f.grid.SetRowCount(1);
        state.ResumeTiming();
        for (int i = 0; i < 20000; ++i)
            f.grid.InsertRow("row");
    }
}
BENCHMARK(BM_InsertRows)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
