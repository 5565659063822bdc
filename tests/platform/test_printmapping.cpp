// What printing needs of a drawing context: the anisotropic mapping from
// logical units to device pixels, the printed page's size and resolution, the
// screen's resolution on a window's context, the record of the printing
// calls, the time as text and the message of a file that fails.
#include "canvas.h"

#include "draw/dc.h"
#include "draw/dccalllog.h"
#include "dialogs/fileerror.h"
#include "dialogs/messagebox.h"
#include "base/timeformat.h"
#include "window/window.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <cerrno>
#include <cstring>
#include <functional>

using namespace platform;
using namespace platformtest;

namespace {

TEST(PrintMappingTest, LogicalUnitsMapToDevicePixels) {
    struct Case {
        const char* name;
        std::function<void(Dc&)> setUp;
        Rect logical;
        Rect device;
    };
    const std::vector<Case> cases = {
        {"text mode: only the origin moves", [](Dc& dc) { dc.SetWindowOrg(-4, 3); },
         Rect(0, 0, 10, 10), Rect(4, -3, 14, 7)},
        {"text mode ignores extents",
         [](Dc& dc) {
             dc.SetWindowExt(100, 100);
             dc.SetViewportExt(400, 400);
         },
         Rect(1, 2, 3, 4), Rect(1, 2, 3, 4)},
        {"anisotropic: scaled about the window origin",
         [](Dc& dc) {
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowExt(600, 800);
             dc.SetViewportExt(2400, 3200);
             dc.SetWindowOrg(-40, 0);
         },
         Rect(0, 0, 100, 50), Rect(160, 0, 560, 200)},
        {"anisotropic: the origin offset down the page",
         [](Dc& dc) {
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowExt(600, 800);
             dc.SetViewportExt(2400, 3200);
             dc.SetWindowOrg(-40, 0);
             dc.OffsetWindowOrg(0, -30);
             dc.OffsetWindowOrg(0, -10);
         },
         Rect(0, 0, 1, 1), Rect(160, 160, 164, 164)},
        {"anisotropic: each axis its own scale",
         [](Dc& dc) {
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowExt(100, 300);
             dc.SetViewportExt(300, 100);
         },
         Rect(10, 30, 20, 60), Rect(30, 10, 60, 20)},
        {"anisotropic: a zero extent is refused",
         [](Dc& dc) {
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowExt(100, 100);
             dc.SetViewportExt(200, 200);
             dc.SetWindowExt(0, 50);
         },
         Rect(1, 1, 2, 2), Rect(2, 2, 4, 4)},
        {"back to text mode",
         [](Dc& dc) {
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowExt(100, 100);
             dc.SetViewportExt(200, 200);
             dc.SetMapMode(MM_TEXT);
         },
         Rect(1, 1, 2, 2), Rect(1, 1, 2, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        c.setUp(*canvas.dc);
        Rect mapped = c.logical;
        canvas.dc->LPtoDP(&mapped);
        EXPECT_EQ(mapped, c.device);
        canvas.dc->DPtoLP(&mapped);
        EXPECT_EQ(mapped, c.logical);
    }
}

TEST(PrintMappingTest, DrawingFollowsTheMappedOrigin) {
    // A 4 x 2 scale with the origin 5 logical units in and 3 down.
    Canvas canvas(80, 40);
    Dc& dc = *canvas.dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(20, 20);
    dc.SetViewportExt(80, 40);
    dc.SetWindowOrg(-5, 0);
    dc.OffsetWindowOrg(0, -3);
    dc.FillSolidRect(Rect(0, 0, 2, 2), kRed); // device (20, 6) to (28, 10)
    EXPECT_EQ(canvas.At(19, 7), kWhite);
    EXPECT_EQ(canvas.At(20, 6), kRed);
    EXPECT_EQ(canvas.At(27, 9), kRed);
    EXPECT_EQ(canvas.At(28, 9), kWhite);
    EXPECT_EQ(canvas.At(27, 10), kWhite);
    EXPECT_EQ(dc.GetWindowOrg(), Point(-5, -3));
}

TEST(PrintMappingTest, APrinterGivesItsPaintablePageAndResolution) {
    QTemporaryDir dir;
    const struct {
        int dpi;
        double marginMm;
    } cases[] = {{300, 0}, {300, 15}, {600, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("caps.pdf")));
        printer.setResolution(c.dpi);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(c.marginMm, c.marginMm, c.marginMm, c.marginMm),
                               QPageLayout::Millimeter);
        Dc dc(&printer);
        // A4 is 210 x 297 mm; the margins come off both sides (Qt keeps
        // them in whole points: within a millimetre).
        const double inchesWide = (210 - 2 * c.marginMm) / 25.4;
        const double inchesHigh = (297 - 2 * c.marginMm) / 25.4;
        const double millimetre = c.dpi / 25.4;
        EXPECT_NEAR(dc.GetDeviceCaps(HORZRES), inchesWide * c.dpi, millimetre);
        EXPECT_NEAR(dc.GetDeviceCaps(VERTRES), inchesHigh * c.dpi, millimetre);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), c.dpi);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), c.dpi);
        // The same once the job has begun.
        ASSERT_GT(dc.StartDoc("caps"), 0);
        EXPECT_NEAR(dc.GetDeviceCaps(HORZRES), inchesWide * c.dpi, millimetre);
        dc.AbortDoc();
    }
}

TEST(PrintMappingTest, AWindowsContextMeasuresAtTheScreensResolution) {
    Window window;
    ASSERT_TRUE(window.Create(WS_OVERLAPPED, Rect(0, 0, 120, 80), nullptr, 0));
    Dc* dc = window.GetDC();
    ASSERT_NE(dc, nullptr);
    const QWidget* client = window.GetClientWidget();
    EXPECT_EQ(dc->GetDeviceCaps(LOGPIXELSX), client->logicalDpiX());
    EXPECT_EQ(dc->GetDeviceCaps(LOGPIXELSY), client->logicalDpiY());
    window.ReleaseDC(dc);
    window.DestroyWindow();
}

TEST(PrintMappingTest, TheLogHoldsThePrintingCallsAndEachCallsOrigin) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("log.pdf")));
    Dc dc(&printer);
    DcCallLog log;
    ASSERT_GT(dc.StartDoc("Job Name"), 0);
    dc.StartPage();
    dc.SetWindowOrg(-7, 9);
    Rect rect(1, 2, 30, 40);
    dc.DrawText("cell", 4, &rect, DT_LEFT);
    dc.EndPage();
    dc.EndDoc();
    dc.AbortDoc(); // no job left to abort: recorded all the same

    std::vector<DcCallKind> kinds;
    for (const DcCall& call : log.Calls())
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (std::vector<DcCallKind>{DcCallKind::StartDoc, DcCallKind::StartPage,
                                              DcCallKind::DrawText, DcCallKind::EndPage,
                                              DcCallKind::EndDoc, DcCallKind::AbortDoc}));
    EXPECT_EQ(log.Calls()[0].text, "Job Name");
    EXPECT_EQ(log.Calls()[2].windowOrg, Point(-7, 9));
    EXPECT_EQ(log.Calls()[2].rect, Rect(1, 2, 30, 40));
}

TEST(TimeFormatTest, FieldsComeOutInTheFormatsOfTheCRuntime) {
    const SystemTime time{2026, 3, 3, 4, 5, 6, 7, 0}; // Wednesday 4 March 2026
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"%Y-%m-%d %H:%M:%S", "2026-03-04 05:06:07"},
        {"%w %j", "3 063"},
        {"%d/%m/%y", "04/03/26"},
        {"", ""},
        {nullptr, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTime(time, c.format), c.text) << (c.format ? c.format : "null");
    // "%c" is the runtime's own date and time.
    std::tm fields{};
    fields.tm_year = 126;
    fields.tm_mon = 2;
    fields.tm_mday = 4;
    fields.tm_wday = 3;
    fields.tm_yday = 62;
    fields.tm_hour = 5;
    fields.tm_min = 6;
    fields.tm_sec = 7;
    char expected[128];
    std::strftime(expected, sizeof expected, "%c", &fields);
    EXPECT_EQ(FormatTime(time, "%c"), expected);
}

TEST(FileErrorTest, TheMessageNamesTheFileAndTheReason) {
    const int errors[] = {ENOENT, EACCES, ENOSPC};
    for (int error : errors) {
        MessageBoxRecorder boxes;
        ReportFileError("/some/dir/file.txt", error);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text.toStdString(),
                  std::string("/some/dir/file.txt\n") + std::strerror(error));
        EXPECT_EQ(boxes.Calls()[0].caption, QString::fromLatin1(kAppTitle));
        EXPECT_EQ(boxes.Calls()[0].flags, MB_OK | MB_ICONEXCLAMATION);
    }
}

} // namespace
