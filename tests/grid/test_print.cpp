// Printing the grid into PDF files in a temporary folder, read back from the
// drawing-call log: which texts each page got and where on the page they
// landed, against the page layout worked out from the print font's metrics on
// the same printer. The print dialog is answered by a hook.
#include "fakeowner.h"
#include "gridfixture.h"
#include "pdfpages.h"
#include "printrecord.h"

#include "gridctrl.h"

#include "base/clock.h"
#include "draw/dc.h"
#include "draw/dccalllog.h"
#include "draw/font.h"
#include "base/muldiv.h"
#include "dialogs/printdialog.h"
#include "dialogs/printinfo.h"
#include "base/stringtable.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using namespace platform;
using grid_test::FakeOwner;
using grid_test::PrintedJob;
using grid_test::ReadPrintedJob;
using grid_test::TestGrid;

namespace {

constexpr UINT kFooterLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kBandCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kBandRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kPrinterDpi = 300;
constexpr int kFixedRowHeight = 25;
constexpr int kFixedColWidth = 30;

// A grid whose print-layout option the test sets.
class PrintGrid : public TestGrid {
  public:
    using TestGrid::TestGrid;
    void SetPrintLayout(BOOL on) { m_bWysiwygPrinting = on; }
};

std::string CellText(int row, int col) {
    char text[32];
    if (row == 0)
        std::snprintf(text, sizeof text, "h%d", col);
    else
        std::snprintf(text, sizeof text, "r%dc%d", row, col);
    return text;
}

// A grid in an owner titled "Owner Text", fixed row 0 of kFixedRowHeight and
// fixed column 0 of kFixedColWidth, every cell named by CellText, no grid
// lines (so that a text's rectangle is its cell's less the cell margin).
struct PrintFixture {
    PrintFixture(int rows, int cols, bool window = true) : grid(rows, cols, 1, 1) {
        owner.SetWindowText("Owner Text");
        if (window) grid.Create(Rect(0, 0, 300, 200), &owner, 1000);
        grid.SetGridLines(GVL_NONE);
        SetRowHeights(20);
        grid.SetColumnWidth(0, kFixedColWidth);
        for (int c = 1; c < cols; ++c)
            grid.SetColumnWidth(c, 60);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                grid.SetItemText(r, c, CellText(r, c).c_str());
    }
    void SetRowHeights(int height) {
        grid.SetRowHeight(0, kFixedRowHeight);
        for (int r = 1; r < grid.GetRowCount(); ++r)
            grid.SetRowHeight(r, height);
    }
    int Margin() { return static_cast<int>(grid.GetCell(1, 1)->GetMargin()); }

    FakeOwner owner;
    PrintGrid grid;
};

// A PDF printer at kPrinterDpi on A4 with a context on it.
struct PdfPrinter {
    PdfPrinter() : printer(QPrinter::HighResolution) {
        path = dir.filePath(QStringLiteral("grid.pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(kPrinterDpi);
        printer.setPageSize(QPageSize(QPageSize::A4));
        dc = std::make_unique<Dc>(&printer);
    }
    QTemporaryDir dir;
    QString path;
    QPrinter printer;
    std::unique_ptr<Dc> dc;
};

// The figures a page is laid out with, measured on the printer's context
// with the print font.
struct PageFigures {
    int cw = 0; // average character width
    int ch = 0; // line height
    Size paper;
};

PageFigures Measure(Dc& dc) {
    Font font;
    font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                    CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    Font* old = dc.SelectObject(&font);
    const Size sample =
        dc.GetTextExtent("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXY", 52);
    dc.SelectObject(old);
    return {sample.cx / 52, sample.cy, Size(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES))};
}

// The logical page of a job without the print-layout option: the grid's
// width and the margins across, the paper's proportions down.
Size PageWithoutLayout(CGridCtrl& grid, const PageFigures& f) {
    const int width = grid.GetVirtualWidth() + 8 * f.cw;
    return Size(width, MulDiv(width, f.paper.cy, f.paper.cx));
}

// Room for the non-fixed rows: the page less the fixed row, 2 lines of
// header, 2 of footer and 2 gaps.
int RowRoom(const Size& page, const PageFigures& f) {
    return page.cy - kFixedRowHeight - 6 * f.ch;
}

// The page (from 1) each text was printed on, 0 when none, -1 when on more.
int PageOf(const PrintedJob& job, const std::string& text) {
    int found = 0;
    for (std::size_t p = 0; p < job.pages.size(); ++p)
        if (job.pages[p].Find(text)) found = found ? -1 : static_cast<int>(p) + 1;
    return found;
}

class GridPrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearStringResources();
        SetStringResource(AFX_IDS_APP_TITLE, "Grid Title");
        previousClock = SetClock(&clock);
    }
    void TearDown() override {
        SetClock(previousClock);
        ClearStringResources();
        SetPrintOutputFile(QString());
        SetPrintDialogRunner(nullptr);
        TakeTraces();
    }

    // Wednesday 4 March 2026, 05:06:07 local time.
    ManualClock clock{QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC),
                      QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC)};
    const Clock* previousClock = nullptr;
};

TEST_F(GridPrintTest, APageHasTheHeaderGapHeadingsRowsAndFooterFourCharactersIn) {
    PrintFixture fx(4, 3);
    PdfPrinter pdf;
    const PageFigures f = Measure(*pdf.dc);
    ASSERT_GT(f.cw, 0);
    ASSERT_GT(f.ch, 0);
    const Size page = PageWithoutLayout(fx.grid, f);
    const int m = fx.Margin();

    DcCallLog log;
    fx.grid.Print(pdf.dc.get());
    const PrintedJob job = ReadPrintedJob(log);

    EXPECT_EQ(job.calls, (std::vector<std::string>{"StartDoc", "StartPage", "EndPage", "EndDoc"}));
    EXPECT_EQ(job.docName, "Grid Title");
    ASSERT_EQ(job.pages.size(), 1u);
    const grid_test::PrintedPage& p = job.pages[0];

    // Header: 2 lines, between the left and right margins of 4 characters.
    const Rect header(4 * f.cw, 0, page.cx - 4 * f.cw, 2 * f.ch);
    ASSERT_NE(p.Find("Owner Text"), nullptr);
    EXPECT_EQ(p.Find("Owner Text")->rect, header);
    EXPECT_EQ(p.Find("Owner Text")->format, kBandCentre);
    ASSERT_NE(p.Find("Grid Title"), nullptr);
    EXPECT_EQ(p.Find("Grid Title")->rect, header);
    EXPECT_EQ(p.Find("Grid Title")->format, kBandRight);

    // Headings after a gap of 1 line, the rows below them; fixed column 0
    // at the left margin.
    const int headingsTop = 3 * f.ch;
    const int left = 4 * f.cw;
    const struct {
        const char* text;
        int left, top;
    } cells[] = {
        {"h0", left + m, headingsTop},
        {"h2", left + kFixedColWidth + 60 + m, headingsTop},
        {"r1c0", left + m, headingsTop + kFixedRowHeight},
        {"r1c1", left + kFixedColWidth + m, headingsTop + kFixedRowHeight},
        {"r3c2", left + kFixedColWidth + 60 + m, headingsTop + kFixedRowHeight + 40},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.text);
        ASSERT_NE(p.Find(c.text), nullptr);
        EXPECT_EQ(p.Find(c.text)->rect.left, c.left);
        EXPECT_EQ(p.Find(c.text)->rect.top, c.top);
    }

    // Footer: the last 2 lines of the page.
    const Rect footer(4 * f.cw, page.cy - 2 * f.ch, page.cx - 4 * f.cw, page.cy);
    ASSERT_NE(p.Find("Page 1 of 1"), nullptr);
    EXPECT_EQ(p.Find("Page 1 of 1")->rect, footer);
    EXPECT_EQ(p.Find("Page 1 of 1")->format, kFooterLeft);
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 4;
    when.tm_wday = 3;
    when.tm_yday = 62;
    when.tm_hour = 5;
    when.tm_min = 6;
    when.tm_sec = 7;
    char stamp[128];
    std::strftime(stamp, sizeof stamp, "%c", &when);
    ASSERT_NE(p.Find(stamp), nullptr) << stamp;
    EXPECT_EQ(p.Find(stamp)->rect, footer);
    EXPECT_EQ(p.Find(stamp)->format, kBandRight);
    EXPECT_EQ(PdfPages(pdf.path), 1);
}

TEST_F(GridPrintTest, GridLinesAndRulesLieOnTheCellEdgesOfThePage) {
    PrintFixture fx(3, 3);
    fx.grid.SetGridLines(GVL_BOTH);
    PdfPrinter pdf;
    const PageFigures f = Measure(*pdf.dc);
    const Size page = PageWithoutLayout(fx.grid, f);
    DcCallLog log;
    fx.grid.Print(pdf.dc.get());
    const PrintedJob job = ReadPrintedJob(log);
    ASSERT_EQ(job.pages.size(), 1u);
    const std::vector<grid_test::PrintedLine>& lines = job.pages[0].lines;

    const int l = 4 * f.cw; // the page's left edge inside the margin
    const int w = page.cx - 8 * f.cw;
    const int t = 3 * f.ch;            // top of the headings
    const int r = t + kFixedRowHeight; // top of the rows
    const int c = l + kFixedColWidth;  // left of the non-fixed columns
    const struct {
        const char* name;
        Point from, to;
    } expected[] = {
        {"header rule", {l, 2 * f.ch}, {l + w, 2 * f.ch}},
        {"footer rule", {l, page.cy - 2 * f.ch}, {l + w, page.cy - 2 * f.ch}},
        {"heading row's top", {l, t}, {l + kFixedColWidth - 1, t}},
        {"heading row's left edge", {l - 1, t}, {l - 1, t + kFixedRowHeight - 1}},
        {"row heading's left edge", {l, r - 1}, {l, r + 19}},
        {"row heading's top", {l, r - 1}, {l + kFixedColWidth - 1, r - 1}},
        {"cell 1,1 bottom", {c - 1, r + 19}, {c + 59, r + 19}},
        {"cell 1,1 right", {c + 59, r}, {c + 59, r + 19}},
        {"cell 1,2 right", {c + 119, r}, {c + 119, r + 19}},
        {"cell 2,1 right", {c + 59, r + 19}, {c + 59, r + 39}},
        {"cell 2,2 bottom", {c + 59, r + 39}, {c + 119, r + 39}},
    };
    for (const auto& e : expected) {
        const grid_test::PrintedLine line{e.from, e.to};
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << e.name;
    }
    // Nothing right of the last column or below the last row.
    for (const auto& line : lines) {
        EXPECT_LE(std::max(line.from.x, line.to.x), l + w);
        EXPECT_LE(std::max(line.from.y, line.to.y), page.cy);
    }
}

TEST_F(GridPrintTest, TheDocumentIsNamedByTheTitleElseByTheNearestParentWithText) {
    const struct {
        const char* title;
        const char* docName;
        bool titleInHeader;
    } cases[] = {
        {"Grid Title", "Grid Title", true},
        {"", "Owner Text", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        SetStringResource(AFX_IDS_APP_TITLE, c.title);
        PrintFixture fx(3, 2);
        PdfPrinter pdf;
        DcCallLog log;
        fx.grid.Print(pdf.dc.get());
        const PrintedJob job = ReadPrintedJob(log);
        EXPECT_EQ(job.docName, c.docName);
        ASSERT_EQ(job.pages.size(), 1u);
        EXPECT_NE(job.pages[0].Find("Owner Text"), nullptr);
        EXPECT_EQ(job.pages[0].Find("Grid Title") != nullptr, c.titleInHeader);
    }
}

TEST_F(GridPrintTest, WithoutTheLayoutOptionPagesFollowTheRowsAndHoldEveryColumn) {
    PrintFixture fx(2, 5);
    PdfPrinter pdf;
    const PageFigures f = Measure(*pdf.dc);
    const int room = RowRoom(PageWithoutLayout(fx.grid, f), f);
    const int perPage = room / 20;
    ASSERT_GT(perPage, 1);
    // Two full pages and one row on a third.
    fx.grid.SetRowCount(1 + 2 * perPage + 1);
    fx.SetRowHeights(20);
    for (int r = 1; r < fx.grid.GetRowCount(); ++r)
        for (int c = 0; c < 5; ++c)
            fx.grid.SetItemText(r, c, CellText(r, c).c_str());

    DcCallLog log;
    fx.grid.Print(pdf.dc.get());
    const PrintedJob job = ReadPrintedJob(log);
    ASSERT_EQ(job.pages.size(), 3u);
    EXPECT_EQ(PdfPages(pdf.path), 3);
    for (int r = 1; r < fx.grid.GetRowCount(); ++r) {
        SCOPED_TRACE(r);
        const int expectedPage = (r - 1) / perPage + 1;
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(PageOf(job, CellText(r, c)), expectedPage) << c;
    }
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const int firstRow = p * perPage + 1;
        ASSERT_NE(job.pages[p].Find(CellText(firstRow, 1)), nullptr);
        EXPECT_EQ(job.pages[p].Find(CellText(firstRow, 1))->rect.top, 3 * f.ch + kFixedRowHeight);
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(job.pages[p].Count(CellText(0, c)), 1) << c;
    }
    ASSERT_NE(job.pages[1].Find("Page 2 of 3"), nullptr);
    EXPECT_EQ(job.pages[1].Find("Page 2 of 3")->format, kFooterLeft);
}

TEST_F(GridPrintTest, WithTheLayoutOptionPagesRunAcrossFirstThenDown) {
    PrintFixture fx(6, 5);
    fx.grid.SetPrintLayout(TRUE);
    PdfPrinter pdf;
    const PageFigures f = Measure(*pdf.dc);
    const QWidget* screen = fx.grid.GetClientWidget();
    const Size page(screen->logicalDpiX() * f.paper.cx / kPrinterDpi * 3 / 4,
                    screen->logicalDpiY() * f.paper.cy / kPrinterDpi * 3 / 4);
    const int columnRoom = page.cx - kFixedColWidth - 8 * f.cw;
    const int rowRoom = RowRoom(page, f);
    ASSERT_GT(columnRoom, 20);
    ASSERT_GT(rowRoom, 30);
    // Two columns to a column page, three rows to a row page: 2 x 2 pages.
    for (int c = 1; c < 5; ++c)
        fx.grid.SetColumnWidth(c, columnRoom / 2);
    fx.SetRowHeights(rowRoom / 3);

    DcCallLog log;
    fx.grid.Print(pdf.dc.get());
    const PrintedJob job = ReadPrintedJob(log);
    ASSERT_EQ(job.pages.size(), 4u);
    EXPECT_EQ(PdfPages(pdf.path), 4);
    const struct {
        const char* text;
        int page;
    } cases[] = {
        {"r1c1", 1}, {"r1c2", 1}, {"r3c2", 1}, {"r1c3", 2}, {"r1c4", 2},
        {"r3c4", 2}, {"r4c1", 3}, {"r5c2", 3}, {"r4c3", 4}, {"r5c4", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageOf(job, c.text), c.page) << c.text;
    // The fixed column and the fixed row repeat on the pages they belong to.
    EXPECT_NE(job.pages[1].Find("r1c0"), nullptr);
    EXPECT_NE(job.pages[3].Find("r4c0"), nullptr);
    EXPECT_NE(job.pages[1].Find("h0"), nullptr);
    ASSERT_NE(job.pages[1].Find("h3"), nullptr);
    // The page's first non-fixed column starts right after the fixed one.
    const int firstCellLeft = 4 * f.cw + kFixedColWidth + fx.Margin();
    EXPECT_EQ(job.pages[1].Find("h3")->rect.left, firstCellLeft);
    ASSERT_NE(job.pages[1].Find("r1c3"), nullptr);
    EXPECT_EQ(job.pages[1].Find("r1c3")->rect.left, firstCellLeft);
    EXPECT_NE(job.pages[2].Find("Page 3 of 4"), nullptr);
}

TEST_F(GridPrintTest, RowsAndColumnsLargerThanAPagePrintOnAPageOfTheirOwn) {
    // Sizes of the non-fixed rows (columns) as parts of the room a page has
    // for them: room * num / den + plus; a negative num stands for the rest
    // of the room after room * -num / den, plus plus.
    struct Part {
        int num, den, plus;
    };
    constexpr Part kQuarter{1, 4, 0};
    struct Case {
        const char* name;
        bool columns;
        std::vector<Part> sizes;
        std::vector<int> pages; // the page of each row (column)
    };
    const std::vector<Case> cases = {
        {"tall row in the middle", false, {kQuarter, {2, 1, 0}, kQuarter}, {1, 2, 3}},
        {"tall first row", false, {{2, 1, 0}, kQuarter}, {1, 2}},
        {"rows ending one past the room", false, {{1, 2, 0}, {-1, 2, 1}}, {1, 2}},
        {"rows filling the room", false, {{1, 2, 0}, {-1, 2, 0}, kQuarter}, {1, 1, 2}},
        {"wide first column", true, {{2, 1, 0}, kQuarter, kQuarter}, {1, 2, 2}},
        {"wide middle column", true, {kQuarter, {3, 1, 0}, kQuarter}, {1, 2, 3}},
        {"columns ending one past the room", true, {{1, 2, 0}, {-1, 2, 1}}, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = static_cast<int>(c.sizes.size());
        PrintFixture fx(c.columns ? 2 : n + 1, c.columns ? n + 1 : 2);
        if (c.columns) fx.grid.SetPrintLayout(TRUE);
        PdfPrinter pdf;
        const PageFigures f = Measure(*pdf.dc);
        const QWidget* screen = fx.grid.GetClientWidget();
        const int columnRoom =
            screen->logicalDpiX() * f.paper.cx / kPrinterDpi * 3 / 4 - kFixedColWidth - 8 * f.cw;
        const int rowRoom = RowRoom(PageWithoutLayout(fx.grid, f), f);
        const int room = c.columns ? columnRoom : rowRoom;
        for (int i = 0; i < n; ++i) {
            const Part& part = c.sizes[static_cast<std::size_t>(i)];
            const int size = part.num < 0 ? room - room * -part.num / part.den + part.plus
                                          : room * part.num / part.den + part.plus;
            if (c.columns)
                fx.grid.SetColumnWidth(i + 1, size);
            else
                fx.grid.SetRowHeight(i + 1, size);
        }
        // Without the layout option the page grows with the grid's width;
        // rows were sized for the width it has.
        DcCallLog log;
        fx.grid.Print(pdf.dc.get());
        const PrintedJob job = ReadPrintedJob(log);
        EXPECT_EQ(job.calls.back(), "EndDoc");
        EXPECT_EQ(static_cast<int>(job.pages.size()), c.pages.back());
        for (int i = 0; i < n; ++i) {
            const std::string text = c.columns ? CellText(1, i + 1) : CellText(i + 1, 1);
            EXPECT_EQ(PageOf(job, text), c.pages[static_cast<std::size_t>(i)]) << text;
        }
    }
}

TEST_F(GridPrintTest, ARowTallerThanThePageIsCutAtTheBottomOfItsBand) {
    // The steps driven by hand on an image, as a framework would, so that
    // the printed pixels can be read: a 20-unit row, then a red one of twice
    // the room a page has.
    constexpr COLORREF kRed = RGB(255, 0, 0);
    PrintFixture fx(3, 2);
    QImage paper(600, 800, QImage::Format_RGB32);
    paper.fill(Qt::white);
    paper.setDotsPerMeterX(3780); // 96 per inch
    paper.setDotsPerMeterY(3780);
    auto dc = std::make_unique<Dc>(&paper);
    const PageFigures f = Measure(*dc);
    const Size page = PageWithoutLayout(fx.grid, f);
    const int room = RowRoom(page, f);
    fx.grid.SetRowHeight(2, 2 * room);
    fx.grid.SetItemBkColour(2, 1, kRed);

    PrintInfo info;
    fx.grid.OnBeginPrinting(dc.get(), &info);
    EXPECT_EQ(info.GetMaxPage(), 2u);
    info.m_nCurPage = 2;
    fx.grid.OnPrint(dc.get(), &info);
    fx.grid.OnEndPrinting(dc.get(), &info);
    dc.reset();

    // Device pixels of a logical point of the page.
    auto at = [&](int x, int y) {
        return FromQColor(paper.pixelColor(x * 600 / page.cx, y * 800 / page.cy));
    };
    const int cellX = 4 * f.cw + kFixedColWidth + 30;
    const int rowsTop = 3 * f.ch + kFixedRowHeight;
    EXPECT_EQ(at(cellX, rowsTop + 2), kRed);
    EXPECT_EQ(at(cellX, rowsTop + room - 2), kRed);
    // The gap above the footer stays clear.
    EXPECT_EQ(at(cellX, rowsTop + room + 2), RGB(255, 255, 255));
}

TEST_F(GridPrintTest, APageWithNoRoomForRowsStillPrintsEachRowOnceAndEnds) {
    PrintFixture fx(4, 2);
    // A header taller than any page.
    fx.grid.SetPrintMarginInfo(100000, -1, -1, -1, -1, -1, -1);
    PdfPrinter pdf;
    DcCallLog log;
    fx.grid.Print(pdf.dc.get());
    const PrintedJob job = ReadPrintedJob(log);
    ASSERT_EQ(job.pages.size(), 3u);
    for (int r = 1; r < 4; ++r)
        EXPECT_EQ(PageOf(job, CellText(r, 1)), r);
    EXPECT_EQ(job.calls.back(), "EndDoc");
}

TEST_F(GridPrintTest, AGridWithoutRowsPrintsOnePageOfHeaderAndHeadings) {
    PrintFixture fx(1, 3);
    PdfPrinter pdf;
    DcCallLog log;
    fx.grid.Print(pdf.dc.get());
    const PrintedJob job = ReadPrintedJob(log);
    ASSERT_EQ(job.pages.size(), 1u);
    std::vector<std::string> texts;
    for (const auto& t : job.pages[0].texts)
        texts.push_back(t.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Owner Text", "Grid Title", "h0", "h1", "h2"}));
    EXPECT_EQ(PdfPages(pdf.path), 1);
}

TEST_F(GridPrintTest, ACancelledOrFailedJobPrintsNoPageAndIsAborted) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        bool dialogAnswer;
        bool ownPrinter;    // printed on a context the test gives
        bool window;        // the grid has a window to measure the screen with
        QString outputFile; // where the job would go
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {"dialog cancelled", false, false, true, dir.filePath("cancelled.pdf"), {}},
        {"printer cannot begin",
         true,
         false,
         true,
         dir.filePath("missing/folder/job.pdf"),
         {"StartDoc", "AbortDoc"}},
        {"no window", true, true, false, QString(), {"StartDoc", "AbortDoc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrintFixture fx(4, 3, c.window);
        PdfPrinter pdf;
        SetPrintOutputFile(c.outputFile);
        SetPrintDialogRunner([&c](QPrinter&) { return c.dialogAnswer; });
        Font* fontBefore = pdf.dc->GetCurrentFont();
        DcCallLog log;
        fx.grid.Print(c.ownPrinter ? pdf.dc.get() : nullptr);
        const PrintedJob job = ReadPrintedJob(log);
        EXPECT_EQ(job.calls, c.calls);
        EXPECT_TRUE(job.pages.empty());
        EXPECT_EQ(pdf.dc->GetCurrentFont(), fontBefore);
        if (!c.outputFile.isEmpty()) {
            EXPECT_FALSE(QFile::exists(c.outputFile));
        }
        EXPECT_FALSE(QFile::exists(pdf.path));
    }
}

TEST_F(GridPrintTest, ThePrintDialogsPrinterGetsAPdfOfEveryPage) {
    PrintFixture fx(200, 3);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dialog.pdf"));
    SetPrintOutputFile(path);
    int dialogs = 0;
    SetPrintDialogRunner([&dialogs](QPrinter&) {
        ++dialogs;
        return true;
    });
    DcCallLog log;
    fx.grid.Print();
    const PrintedJob job = ReadPrintedJob(log);
    EXPECT_EQ(dialogs, 1);
    ASSERT_GT(job.pages.size(), 1u);
    EXPECT_EQ(job.calls.back(), "EndDoc");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
    EXPECT_EQ(PdfPages(path), static_cast<int>(job.pages.size()));
    EXPECT_EQ(job.Count("r199c2"), 1);
}

TEST(GridPrintMargins, NegativeValuesKeepTheirSettings) {
    const struct {
        int set[7];
        int expected[7];
    } cases[] = {
        {{-1, -1, -1, -1, -1, -1, -1}, {2, 2, 4, 4, 1, 1, 1}},
        {{5, 0, 7, -3, 9, -1, 3}, {5, 0, 7, 4, 9, 1, 3}},
    };
    for (const auto& c : cases) {
        CGridCtrl grid;
        grid.SetPrintMarginInfo(c.set[0], c.set[1], c.set[2], c.set[3], c.set[4], c.set[5],
                                c.set[6]);
        int got[7];
        grid.GetPrintMarginInfo(got[0], got[1], got[2], got[3], got[4], got[5], got[6]);
        EXPECT_EQ(std::vector<int>(got, got + 7), std::vector<int>(c.expected, c.expected + 7));
    }
}

} // namespace
