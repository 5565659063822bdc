// Print jobs run to PDF files in a temporary folder; the print dialog and the
// preview are answered by hooks, so nothing waits for a user.
#include "draw/dc.h"
#include "draw/dcprintsurface.h"
#include "dialogs/messagebox.h"
#include "dialogs/printdialog.h"
#include "dialogs/printinfo.h"
#include "dialogs/printjob.h"
#include "dialogs/printview.h"
#include "draw/recordingprintsurface.h"
#include "draw/screendc.h"
#include "base/stringtable.h"
#include "pdfpages.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <string>
#include <vector>

using namespace platform;

namespace {

// A view that counts its pages, records its hooks and draws a line per page.
class PagesView : public PrintView {
  public:
    explicit PagesView(unsigned pages, bool breakWithSurface = false)
        : pages_(pages), breakWithSurface_(breakWithSurface) {}
    bool OnPreparePrinting(PrintInfo* info) override {
        info->SetMaxPage(pages_);
        calls.push_back("prepare");
        return DoPreparePrinting(info);
    }
    void OnBeginPrinting(Dc* dc, PrintInfo*) override {
        calls.push_back(dc->IsPrinting() ? "begin printing" : "begin");
    }
    void OnPrint(Dc* dc, PrintInfo* info) override {
        calls.push_back("page " + std::to_string(info->m_nCurPage));
        EXPECT_FALSE(info->m_rectDraw.IsRectEmpty());
        dc->TextOut(10, 10, std::string("page"));
        if (breakWithSurface_) {
            DcPrintSurface surface(*dc);
            EXPECT_GT(surface.lineHeight(), 0);
            EXPECT_GT(surface.pageHeight(), surface.lineHeight());
            surface.drawTabbed(10, 10, "a\tb");
            EXPECT_TRUE(surface.newPage());
            surface.drawTabbed(10, 10, "c\td");
        }
    }
    void OnEndPrinting(Dc*, PrintInfo*) override { calls.push_back("end"); }

    std::vector<std::string> calls;

  private:
    unsigned pages_;
    bool breakWithSurface_;
};

class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("job.pdf"));
        SetPrintOutputFile(pdf);
        SetPrintDialogRunner([this](QPrinter&) {
            ++dialogs;
            return answer;
        });
        SetPrintPreviewRunner([this](QPrinter&, const std::function<void(QPrinter&)>& render) {
            QPrinter preview;
            preview.setOutputFormat(QPrinter::PdfFormat);
            preview.setOutputFileName(pdf);
            render(preview);
        });
    }
    void TearDown() override {
        SetPrintOutputFile(QString());
        SetPrintDialogRunner(nullptr);
        SetPrintPreviewRunner(nullptr);
    }

    QTemporaryDir dir;
    QString pdf;
    int dialogs = 0;
    bool answer = true;
};

TEST_F(PrintingTest, CommandsRunTheHooksAndWriteThePages) {
    struct JobCase {
        const char* name;
        unsigned command;
        bool answer;
        bool printed;
        int dialogs;
        int pdfPages; // -1: no file
        std::vector<std::string> calls;
    };
    const std::vector<JobCase> cases = {
        {"direct",
         ID_FILE_PRINT_DIRECT,
         false,
         true,
         0,
         2,
         {"prepare", "begin printing", "page 1", "page 2", "end"}},
        {"dialog accepted",
         ID_FILE_PRINT,
         true,
         true,
         1,
         2,
         {"prepare", "begin printing", "page 1", "page 2", "end"}},
        {"dialog cancelled", ID_FILE_PRINT, false, false, 1, -1, {"prepare"}},
        {"preview",
         ID_FILE_PRINT_PREVIEW,
         false,
         true,
         0,
         2,
         {"prepare", "begin printing", "page 1", "page 2", "end"}},
        {"another command", 57606, true, false, 0, -1, {}},
    };
    for (const JobCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(pdf);
        dialogs = 0;
        answer = c.answer;
        PagesView view(2);
        PrintJob job(view);
        EXPECT_EQ(job.Run(c.command), c.printed);
        EXPECT_EQ(dialogs, c.dialogs);
        EXPECT_EQ(view.calls, c.calls);
        EXPECT_EQ(PdfPages(pdf), c.pdfPages);
    }
}

TEST_F(PrintingTest, PrintSurfaceBreaksPages) {
    PagesView view(1, true);
    PrintJob job(view);
    EXPECT_TRUE(job.Run(ID_FILE_PRINT_DIRECT));
    EXPECT_EQ(PdfPages(pdf), 2);
}

TEST_F(PrintingTest, APrinterThatCannotBeginAbortsTheJob) {
    MessageBoxRecorder boxes;
    const QString unwritable = dir.filePath(QStringLiteral("missing/folder/job.pdf"));
    SetPrintOutputFile(unwritable);
    PagesView view(2);
    PrintJob job(view);
    EXPECT_FALSE(job.Run(ID_FILE_PRINT_DIRECT));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"prepare", "begin printing", "end"}));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("Failed to start print job."));
    EXPECT_EQ(boxes.Calls()[0].caption, QString::fromLatin1(kAppTitle));
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST_F(PrintingTest, ThePreviewDialogPaintsThroughTheView) {
    SetPrintPreviewRunner(nullptr); // Qt's preview dialog
    int previewPages = -1;
    const PrintModalHook previous = SetPrintModalHook([&previewPages](QDialog& dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
        ASSERT_NE(preview, nullptr);
        dialog.show(); // the first show asks for the pages
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        previewPages = widget->pageCount();
        dialog.reject();
    });
    PagesView view(3);
    PrintJob job(view);
    EXPECT_TRUE(job.Run(ID_FILE_PRINT_PREVIEW));
    SetPrintModalHook(previous);
    EXPECT_EQ(previewPages, 3);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"prepare", "begin printing", "page 1", "page 2",
                                                    "page 3", "end"}));
}

TEST(RecordingPrintSurfaceTest, TabsStopEveryEightAverageWidths) {
    RecordingPrintSurface surface;
    ScreenDc screen;
    TextMetrics tm;
    screen.GetTextMetrics(&tm);
    const int spacing = 8 * tm.tmAveCharWidth;
    ASSERT_GT(spacing, 0);
    EXPECT_EQ(surface.TabSpacing(), spacing);
    EXPECT_EQ(surface.lineHeight(), tm.tmHeight + tm.tmExternalLeading);

    surface.drawTabbed(10, 20, "a\tbb\t\tc");
    surface.newPage();
    surface.drawTabbed(10, 20, "x");
    ASSERT_EQ(surface.Lines().size(), 2u);
    const auto& line = surface.Lines()[0];
    EXPECT_EQ(line.page, 1);
    EXPECT_EQ(line.text, "a\tbb\t\tc");
    const int bb = screen.GetTextExtent(std::string("bb")).cx;
    ASSERT_LT(10 + screen.GetTextExtent(std::string("a")).cx, spacing);
    ASSERT_LT(bb, spacing);
    std::vector<std::pair<int, std::string>> pieces;
    for (const auto& p : line.pieces)
        pieces.emplace_back(p.x, p.text);
    EXPECT_EQ(pieces, (std::vector<std::pair<int, std::string>>{
                          {10, "a"}, {spacing, "bb"}, {2 * spacing, ""}, {3 * spacing, "c"}}));
    // The same stops as the drawing context's own tab expansion.
    EXPECT_EQ(10 + screen.TabbedTextOut(10, 20, std::string("a\tbb\t\tc"), 0, nullptr, 0).cx,
              3 * spacing + screen.GetTextExtent(std::string("c")).cx);
    EXPECT_EQ(surface.Lines()[1].page, 2);
    EXPECT_EQ(surface.Pages(), 2);
}

TEST(StringTableTest, TextsLoadByTheirIds) {
    ClearStringResources();
    std::string text = "old";
    EXPECT_FALSE(LoadString(AFX_IDS_APP_TITLE, &text));
    EXPECT_EQ(text, "");
    SetStringResource(AFX_IDS_APP_TITLE, "Quorvandelix");
    EXPECT_TRUE(LoadString(AFX_IDS_APP_TITLE, &text));
    EXPECT_EQ(text, "Quorvandelix");
    EXPECT_EQ(PrintView().GetPrintTitle(), "Quorvandelix");
    EXPECT_FALSE(LoadString(1, nullptr));
    ClearStringResources();
}

} // namespace
