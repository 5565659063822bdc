// The grid control at the sizes its goals name, each scenario painting with
// OnDraw into a 1600 x 1000 memory context:
//   B1 filling 100k x 10 cells (1 fixed row and column), with the peak
//      resident memory as a counter;
//   B2 a full paint at the top, middle and bottom of 100k rows and of 1k;
//   B3 500 pages down with a paint each, EnsureVisible of the last row, Ctrl+End;
//   B4 sorting 100k rows of random text, numbers, sorted, reversed, equal and
//      organ-pipe columns;
//   B5 virtual mode: 10M rows, a frame, and the display requests and cache
//      hints a frame costs, as counters;
//   B6 saving and loading 100k x 10 as a text file (the load auto-sizes the
//      columns);
//   B7 select all and copy of 100k x 10, and a paste of a 10k x 10 block
//      whose cell changes the owner allows;
//   B8 removing 100k rows three ways;
//   B9 AutoSize of 100k x 10;
//   B10 printing 10k rows to a PDF file at 300 dpi, with the pages as a counter.
// Run in a Release build; each scenario repeats and reports its median.
#include <benchmark/benchmark.h>

#include "draw/bitmap.h"
#include "dnd/clipboard.h"
#include "dnd/dataobject.h"
#include "dnd/datasource.h"
#include "draw/dc.h"
#include "gridctrl.h"
#include "draw/memorydc.h"
#include "base/messages.h"
#include "window/window.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using platform::Rect;

constexpr int kColumns = 10;
constexpr int kRows = 100000;
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
constexpr int kRepetitions = 5;

// The process's peak resident memory in MB (VmHWM), -1 when unreadable.
double PeakResidentMb() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    double mb = -1;
    while (std::fgets(line, sizeof line, status)) {
        long kb = 0;
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) mb = static_cast<double>(kb) / 1024.0;
    }
    std::fclose(status);
    return mb;
}

// The owner of a grid: in virtual mode it answers each display request with
// a text of the cell and counts requests and cache hints.
class Owner : public platform::Window {
  public:
    Owner() {
        Create(platform::WS_OVERLAPPED, Rect(0, 0, kWidth + 40, kHeight + 40), nullptr, 0);
        ShowWindow(platform::SW_SHOW);
    }
    ~Owner() override { DestroyWindow(); }

    long displayRequests = 0;
    long cacheHints = 0;

  protected:
    platform::BOOL OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                            platform::LRESULT* result) override {
        if (Window::OnNotify(wParam, lParam, result)) return platform::TRUE;
        auto* header = reinterpret_cast<platform::NMHDR*>(lParam);
        if (header->code == platform::LVN_GETDISPINFO) {
            auto* item = reinterpret_cast<NMGRIDITEM*>(lParam);
            ++displayRequests;
            char text[32];
            std::snprintf(text, sizeof text, "r%d c%d", item->item.row, item->item.col);
            item->item.strText = text;
        } else if (header->code == platform::LVN_ODCACHEHINT) {
            ++cacheHints;
        }
        *result = 0;
        return platform::TRUE;
    }
};

// A shown grid of kWidth x kHeight in its owner.
struct Fixture {
    explicit Fixture(int rows = 0, int cols = kColumns) {
        grid.Create(Rect(0, 0, kWidth, kHeight), &owner, 1000);
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        if (rows > 0) grid.SetFixedRowCount(1);
        if (cols > 0) grid.SetFixedColumnCount(1);
    }
    ~Fixture() { grid.DestroyWindow(); }

    // Every cell gets a text of its place, "row.column" (100k x 10 make a
    // file of about 8 MB).
    void Fill() {
        char text[32];
        for (int row = 0; row < grid.GetRowCount(); ++row)
            for (int col = 0; col < grid.GetColumnCount(); ++col) {
                std::snprintf(text, sizeof text, "%d.%d", row, col);
                grid.SetItemText(row, col, text);
            }
    }

    Owner owner;
    CGridCtrl grid;
};

// A memory context with a kWidth x kHeight bitmap selected.
struct Canvas {
    Canvas() {
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        dc.SelectObject(&bitmap);
    }
    // The bitmap outlives the context that draws on it.
    platform::Bitmap bitmap;
    platform::MemDc dc;
};

// ---- B1: filling 100k x 10 ----

void BM_B1_Fill100kx10(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<Fixture>();
        state.ResumeTiming();
        f->grid.SetRowCount(kRows);
        f->grid.SetColumnCount(kColumns);
        f->grid.SetFixedRowCount(1);
        f->grid.SetFixedColumnCount(1);
        f->Fill();
        state.PauseTiming();
        state.counters["peak_rss_MB"] = PeakResidentMb();
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_B1_Fill100kx10)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// ---- B2: full paints ----

void BM_B2_FullPaint(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)));
    f.Fill();
    const int rows = f.grid.GetRowCount();
    const int where = static_cast<int>(state.range(1)); // 0 top, 1 middle, 2 bottom
    f.grid.EnsureVisible(where == 0 ? 1 : where == 1 ? rows / 2 : rows - 1, 1);
    Canvas canvas;
    for (auto _ : state)
        f.grid.OnDraw(&canvas.dc);
}
BENCHMARK(BM_B2_FullPaint)
    ->ArgsProduct({{1000, kRows}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// ---- B3: moving through 100k rows ----

void BM_B3_PageDownAndPaint500(benchmark::State& state) {
    Fixture f(kRows);
    f.Fill();
    Canvas canvas;
    for (auto _ : state) {
        state.PauseTiming();
        f.grid.SetFocusCell(1, 1);
        f.grid.EnsureVisible(1, 1);
        state.ResumeTiming();
        for (int page = 0; page < 500; ++page) {
            f.grid.SendMessage(platform::WM_KEYDOWN, platform::VK_NEXT, 0);
            f.grid.OnDraw(&canvas.dc);
        }
    }
    if (f.grid.GetFocusCell().row <= 1) state.SkipWithError("the focus did not move");
}
BENCHMARK(BM_B3_PageDownAndPaint500)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

void BM_B3_EnsureVisibleLastRow(benchmark::State& state) {
    Fixture f(kRows);
    f.Fill();
    for (auto _ : state) {
        state.PauseTiming();
        f.grid.SetScrollPos32(platform::SB_VERT, 0);
        state.ResumeTiming();
        f.grid.EnsureVisible(kRows - 1, 1);
    }
    if (!f.grid.IsCellVisible(kRows - 1, 1)) state.SkipWithError("the last row is not in view");
}
BENCHMARK(BM_B3_EnsureVisibleLastRow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

void BM_B3_CtrlEnd(benchmark::State& state) {
    Fixture f(kRows);
    f.Fill();
    QWidget* widget = f.grid.GetClientWidget();
    for (auto _ : state) {
        state.PauseTiming();
        f.grid.SetFocusCell(1, 1);
        f.grid.SetScrollPos32(platform::SB_VERT, 0);
        state.ResumeTiming();
        QTest::keyClick(widget, Qt::Key_End, Qt::ControlModifier);
    }
    if (f.grid.GetFocusCell().row != kRows - 1)
        state.SkipWithError("Ctrl+End did not reach the end");
}
BENCHMARK(BM_B3_CtrlEnd)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// ---- B4: sorting 100k rows ----

enum Pattern { kRandomText, kNumeric, kSorted, kReversed, kEqual, kOrganPipe };

// The text of column 1 in row (1-based below the fixed row) for a pattern.
std::string SortText(Pattern pattern, int row, std::mt19937& random) {
    char text[32];
    switch (pattern) {
    case kRandomText: {
        std::uniform_int_distribution<int> letter('a', 'z');
        std::string s(8, ' ');
        for (char& c : s)
            c = static_cast<char>(letter(random));
        return s;
    }
    case kNumeric:
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(random() % 1000000));
        return text;
    case kSorted:
        std::snprintf(text, sizeof text, "%08d", row);
        return text;
    case kReversed:
        std::snprintf(text, sizeof text, "%08d", kRows - row);
        return text;
    case kEqual:
        return "same";
    case kOrganPipe:
        std::snprintf(text, sizeof text, "%08d", row < kRows / 2 ? row : kRows - row);
        return text;
    }
    return {};
}

void BM_B4_Sort(benchmark::State& state) {
    const auto pattern = static_cast<Pattern>(state.range(0));
    Fixture f(kRows, 2);
    std::vector<std::string> texts;
    std::mt19937 random(12345);
    for (int row = 1; row < kRows; ++row)
        texts.push_back(SortText(pattern, row, random));
    if (pattern == kNumeric) f.grid.SetCompareFunction(CGridCtrl::CompareCellNumbers);
    for (auto _ : state) {
        state.PauseTiming();
        for (int row = 1; row < kRows; ++row)
            f.grid.SetItemText(row, 1, texts[static_cast<size_t>(row - 1)].c_str());
        state.ResumeTiming();
        f.grid.SortItems(1, platform::TRUE);
    }
}
BENCHMARK(BM_B4_Sort)
    ->DenseRange(kRandomText, kOrganPipe)
    ->ArgNames({"pattern"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// ---- B5: virtual mode ----

void BM_B5_VirtualSetRowCount10M(benchmark::State& state) {
    Fixture f(0, 0);
    f.grid.SetVirtualMode(platform::TRUE);
    f.grid.SetColumnCount(kColumns);
    for (auto _ : state) {
        state.PauseTiming();
        f.grid.SetRowCount(0);
        state.ResumeTiming();
        f.grid.SetRowCount(10000000);
    }
}
BENCHMARK(BM_B5_VirtualSetRowCount10M)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

void BM_B5_VirtualFrame(benchmark::State& state) {
    Fixture f(0, 0);
    f.grid.SetVirtualMode(platform::TRUE);
    f.grid.SetRowCount(10000000);
    f.grid.SetColumnCount(kColumns);
    f.grid.SetFixedRowCount(1);
    f.grid.SetFixedColumnCount(1);
    f.grid.EnsureVisible(5000000, 1);
    Canvas canvas;
    f.owner.displayRequests = 0;
    f.owner.cacheHints = 0;
    long frames = 0;
    for (auto _ : state) {
        f.grid.OnDraw(&canvas.dc);
        ++frames;
    }
    const CCellSpan visible = f.grid.GetVisibleNonFixedCellRange();
    const int shownRows = visible.GetMaxRow() - visible.GetMinRow() + 1 + 1; // and the fixed row
    const int shownCols = visible.GetMaxCol() - visible.GetMinCol() + 1 + 1; // and the fixed column
    state.counters["display_requests_per_frame"] =
        static_cast<double>(f.owner.displayRequests) / static_cast<double>(frames);
    state.counters["cache_hints_per_frame"] =
        static_cast<double>(f.owner.cacheHints) / static_cast<double>(frames);
    state.counters["visible_cells"] = shownRows * shownCols;
}
BENCHMARK(BM_B5_VirtualFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// ---- B6: the text file ----

void BM_B6_SaveToFile(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("grid.csv")).toStdString();
    Fixture f(kRows);
    f.Fill();
    for (auto _ : state)
        if (!f.grid.SaveToFile(path.c_str())) state.SkipWithError("the save failed");
    state.counters["file_MB"] =
        static_cast<double>(QFileInfo(QString::fromStdString(path)).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_B6_SaveToFile)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

void BM_B6_LoadFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("grid.csv")).toStdString();
    {
        Fixture source(kRows);
        source.Fill();
        source.grid.SaveToFile(path.c_str());
    }
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.grid.DeleteAllItems();
        state.ResumeTiming();
        if (!f.grid.LoadFromFile(path.c_str())) state.SkipWithError("the load failed");
    }
    if (f.grid.GetRowCount() != kRows) state.SkipWithError("rows missing");
}
BENCHMARK(BM_B6_LoadFromFile)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// ---- B7: the clipboard ----

// A clipboard in memory for the run, so the desktop's is left alone.
struct ClipboardInMemory {
    ClipboardInMemory() : previous(platform::InstallClipboard(&memory)) {}
    ~ClipboardInMemory() { platform::InstallClipboard(previous); }
    platform::MemoryClipboard memory;
    platform::Clipboard* previous;
};

void BM_B7_SelectAllAndCopy(benchmark::State& state) {
    ClipboardInMemory clipboard;
    Fixture f(kRows);
    f.Fill();
    for (auto _ : state) {
        f.grid.OnEditSelectAll();
        f.grid.OnEditCopy();
    }
    if (!clipboard.memory.Data()) state.SkipWithError("nothing copied");
}
BENCHMARK(BM_B7_SelectAllAndCopy)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

void BM_B7_Paste10kBlock(benchmark::State& state) {
    constexpr int kBlockRows = 10000;
    // The block: 10k lines of 10 tab-separated fields.
    std::string text;
    char field[32];
    for (int row = 0; row < kBlockRows; ++row)
        for (int col = 0; col < kColumns; ++col) {
            std::snprintf(field, sizeof field, "p%d.%d%c", row, col,
                          col + 1 < kColumns ? '\t' : '\n');
            text += field;
        }
    QMimeData data;
    data.setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    platform::DataObject object;
    object.Attach(&data);
    Fixture f(kBlockRows + 1, kColumns + 1);
    for (auto _ : state)
        if (!f.grid.PasteTextAtCell(CCellID(1, 1), &object, platform::FALSE))
            state.SkipWithError("the paste failed");
    if (f.grid.GetItemText(kBlockRows, kColumns) != "p9999.9") state.SkipWithError("not pasted");
}
BENCHMARK(BM_B7_Paste10kBlock)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// ---- B8: removing 100k rows ----

// 0 DeleteNonFixedRows, 1 SetRowCount(0), 2 DeleteAllItems.
void BM_B8_Remove100k(benchmark::State& state) {
    const int way = static_cast<int>(state.range(0));
    Fixture f(1);
    for (auto _ : state) {
        state.PauseTiming();
        if (f.grid.GetColumnCount() == 0) f.grid.SetColumnCount(kColumns);
        f.grid.SetRowCount(kRows);
        f.grid.SetFixedRowCount(1);
        state.ResumeTiming();
        if (way == 0)
            f.grid.DeleteNonFixedRows();
        else if (way == 1)
            f.grid.SetRowCount(0);
        else
            f.grid.DeleteAllItems();
    }
    if (f.grid.GetRowCount() > 1) state.SkipWithError("rows left");
}
BENCHMARK(BM_B8_Remove100k)
    ->DenseRange(0, 2)
    ->ArgNames({"way"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// ---- B9: AutoSize of 100k x 10 ----

void BM_B9_AutoSize(benchmark::State& state) {
    Fixture f(kRows);
    f.Fill();
    for (auto _ : state)
        f.grid.AutoSize();
}
BENCHMARK(BM_B9_AutoSize)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// ---- B10: printing to PDF ----

void BM_B10_Print10kToPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    Fixture f(10000);
    f.Fill();
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(300);
        printer.setOutputFileName(path);
        platform::Dc dc(&printer);
        f.grid.Print(&dc);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no PDF");
        return;
    }
    const QByteArray pdf = file.readAll();
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    state.counters["pages"] = static_cast<double>(QString::fromLatin1(pdf).count(page));
    state.counters["pdf_MB"] = static_cast<double>(pdf.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_B10_Print10kToPdf)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
