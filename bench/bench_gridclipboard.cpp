// The grid's clipboard text on large blocks: copying a selection of rows x
// 10 cells, pasting the same text back, and pasting a foreign text far larger
// than the grid (the lines below the last row are never walked).
#include <benchmark/benchmark.h>

#include <QMimeData>

#include <memory>
#include <string>

#include "dnd/dataobject.h"
#include "dnd/datasource.h"
#include "gridctrl.h"
#include "support/gridbench.h"
#include "window/window.h"

namespace {

using gridbench::kColumns;

// The fixture with every cell filled.
struct Fixture : gridbench::Fixture {
    explicit Fixture(int rows) : gridbench::Fixture(rows) { Fill(); }
};

void BM_CopySelection(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)));
    f.grid.SetSelectedRange(1, 1, f.grid.GetRowCount() - 1, kColumns - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.grid.CopySelectionToDataSource());
}
BENCHMARK(BM_CopySelection)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PasteBlock(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)));
    f.grid.SetSelectedRange(1, 1, f.grid.GetRowCount() - 1, kColumns - 1);
    const std::unique_ptr<QMimeData> data = f.grid.CopySelectionToDataSource()->CreateMimeData();
    platform::DataObject object;
    object.Attach(data.get());
    for (auto _ : state)
        benchmark::DoNotOptimize(f.grid.PasteTextAtCell(CCellID(1, 1), &object, FALSE));
}
BENCHMARK(BM_PasteBlock)->Arg(1000)->Unit(benchmark::kMillisecond);

// Lines of foreign text into a 100-row grid.
void BM_PasteHugeText(benchmark::State& state) {
    Fixture f(100);
    QString text;
    for (int line = 0; line < state.range(0); ++line)
        text += QStringLiteral("a\tb\tc\n");
    QMimeData data;
    data.setText(text);
    platform::DataObject object;
    object.Attach(&data);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.grid.PasteTextAtCell(CCellID(1, 1), &object, FALSE));
}
BENCHMARK(BM_PasteHugeText)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
