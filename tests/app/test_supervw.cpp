// The channel-list pane in a main window beside the tree: the list filling
// the pane, the printout on a recording surface, into PDF files and in the
// preview, and Ctrl+P reaching the pane only while it is the active view.
// Dialogs, the preview and message boxes go through the layer's hooks.
#include "panewindow.h"
#include "pdfpages.h"

#include "dbstate.h"
#include "draw/dc.h"
#include "draw/dcprintsurface.h"
#include "imagebuilder.h"
#include "dialogs/messagebox.h"
#include "dialogs/printdialog.h"
#include "dialogs/printjob.h"
#include "draw/recordingprintsurface.h"
#include "slm.h"
#include "wrapper.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QDir>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

namespace {

constexpr char kBanner[] = "GIVE ME A BREAK YOU KNOW PRINT PREVIEW IS NOT THE ISSUE HERE";
constexpr uint8_t kSlot = 53; // a user slot: its only transponder is row 0
constexpr int kNameColumn = 1;
constexpr char kEditedName[] = "Edited name";
// The root row's line: its text and no sub-items.
constexpr char kRootLine[] = "User A | 12500\t";

using Line = platform::RecordingPrintSurface::Line;

// Lines a page holds: they stand a line height apart from y = h on, and a
// line's bottom stays on the page.
int LinesPerPage(int pageHeight, int lineHeight) {
    return pageHeight / lineHeight - 1;
}

// Pages of a printout of one root with services below it: page 1 holds the
// banner, two empty lines and the root before the first service.
int PagesFor(int services, int perPage) {
    const int onFirst = perPage - 4;
    if (services <= onFirst) return 1;
    return 1 + (services - onFirst + perPage - 1) / perPage;
}

// Line height and lines a page holds on printer, as the pane's printout
// measures them.
std::pair<int, int> Measure(QPrinter& printer) {
    platform::Dc dc(&printer);
    dc.SetPrinting(true);
    platform::DcPrintSurface surface(dc);
    return {surface.lineHeight(), LinesPerPage(surface.pageHeight(), surface.lineHeight())};
}

class SuperVwTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("list.pdf"));
        platform::SetPrintDialogRunner([this](QPrinter&) {
            ++dialogs;
            return dialogAnswer;
        });
    }

    void TearDown() override {
        window.reset();
        platform::SetPrintOutputFile(QString());
        platform::SetPrintDialogRunner(nullptr);
        platform::SetPrintPreviewRunner(nullptr);
        platform::SetPrintModalHook(nullptr);
        DB_ResetAllState();
    }

    // Opens an image with one user satellite, one transponder and services
    // "Svc 0" .. on it, shows the main window and selects the transponder.
    void Open(int services) {
        ImageSpec spec;
        spec.satellites[kSlot] = MakeSatellite("User A", 282, 10600000);
        const TsInfo ts = MakeTs(12500, 30000, 0, kSlot);
        spec.transponders = {ts.tp};
        spec.transportStreams = {ts};
        for (int n = 0; n < services; ++n) {
            const std::string name = "Svc " + std::to_string(n);
            const auto pid = static_cast<uint16_t>(0x100 + 2 * n);
            spec.services.push_back({MakeService(name.c_str(), SVC_TYPE_TV, pid, pid + 1), 0});
        }
        DB_ResetAllState();
        ASSERT_TRUE(BuildImage(spec));
        const std::vector<uint8_t> bytes(g_FlashImage, g_FlashImage + DB_IMAGE_SIZE);
        DB_ResetAllState();
        ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
        ASSERT_EQ(DB_OpenImage(bytes.data(), bytes.size()), DBERR_OK);

        window = std::make_unique<PaneWindow>();
        ASSERT_TRUE(window->ShowActive());
        window->SelectTransponder(kSlot, 0);
        ASSERT_EQ(Grid().GetItemCount(), services + 1);
    }

    CMySuperGrid& Grid() { return window->view->m_grid; }

    // The texts of a service row of the list, each followed by a tab, as a
    // printed line.
    std::string RowLine(int row) {
        std::string line;
        for (int column = 0; column < Grid().GetColumnCount(); ++column)
            line += Grid().GetItemText(row, column) + '\t';
        return line;
    }

    void SelectRoot() { Grid().SelectRows(TRUE, 0, 0); }

    // Commits text into a cell as an in-place editor's end of edit does.
    void Commit(int row, int column, const std::string& text) {
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back('\0');
        platform::LV_ITEM item;
        item.mask = platform::LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(text.size());
        Grid().CommitCellText(Grid().GetTreeItem(row), &item);
    }

    void Click(QWidget* widget, QPoint pos) {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
    }

    QTemporaryDir dir;
    QString pdf;
    int dialogs = 0;
    bool dialogAnswer = false;
    platform::MessageBoxRecorder boxes;
    std::unique_ptr<PaneWindow> window;
};

TEST_F(SuperVwTest, TheListFillsThePaneWithItsBorderOutsideTheTopAndLeftEdges) {
    Open(3);
    EXPECT_EQ(window->view->GetDlgItem(CSuperVw::kGridId), &Grid());
    EXPECT_TRUE(Grid().IsWindowVisible());
    EXPECT_EQ(Grid().GetColumnCount(), 9);
    const QSize sizes[] = {{800, 500}, {640, 380}, {1100, 720}, {500, 300}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        QWidget* pane = window->view->GetWidget();
        QWidget* list = Grid().GetWidget();
        const auto fills = [&] {
            return list->geometry() == QRect(-1, -1, pane->width(), pane->height());
        };
        EXPECT_TRUE(QTest::qWaitFor(fills, 2000));
        EXPECT_EQ(list->geometry(), QRect(-1, -1, pane->width(), pane->height()));
        EXPECT_TRUE(list->isVisible());
    }
}

TEST_F(SuperVwTest, RefreshListRebuildsTheListFromTheDatabase) {
    Open(3);
    SvcHandle first = SVC_HANDLE_INVALID;
    const TpInfo key = window->tree->m_tpInfo;
    ASSERT_EQ(SLM_GetNthServiceHandleWithTpInfo(&key, 0, &first), DBERR_OK);
    ASSERT_EQ(SLM_DeleteService(first), DBERR_OK);
    EXPECT_EQ(Grid().GetItemCount(), 4); // rebuilt only on request
    window->view->RefreshList(TRUE);
    ASSERT_EQ(Grid().GetItemCount(), 3);
    EXPECT_EQ(Grid().GetItemText(1, kNameColumn), "Svc 1");
    EXPECT_EQ(Grid().GetItemText(2, kNameColumn), "Svc 2");
}

TEST_F(SuperVwTest, PrintRowsWritesTheBannerAndEveryNodeOfTheList) {
    Open(3);
    platform::RecordingPrintSurface probe;
    const int h = probe.lineHeight();
    ASSERT_GT(h, 0);

    // Nothing selected: the banner alone.
    {
        platform::RecordingPrintSurface surface;
        Grid().PrintRows(surface);
        ASSERT_EQ(surface.Lines().size(), 1u);
        const Line& banner = surface.Lines()[0];
        EXPECT_EQ(std::make_tuple(banner.page, banner.x, banner.y, banner.text),
                  std::make_tuple(1, 10, h, std::string(kBanner)));
    }

    // The root selected and collapsed, a cell edited since the rebuild.
    Commit(2, kNameColumn, kEditedName);
    std::vector<std::string> expected = {kBanner, kRootLine};
    for (int row = 1; row < Grid().GetItemCount(); ++row)
        expected.push_back(RowLine(row));
    EXPECT_EQ(expected[3], "2\t" + std::string(kEditedName) + "\t258\t259\t258\t" +
                               Grid().GetItemText(2, 5) + "\tFALSE\tT V\tETC\t");
    Grid().Collapse(Grid().GetTreeItem(0));
    ASSERT_EQ(Grid().GetItemCount(), 1);
    SelectRoot();
    ASSERT_EQ(Grid().GetSelectedCount(), 1u);

    platform::RecordingPrintSurface surface;
    Grid().PrintRows(surface);
    std::vector<std::string> texts;
    std::vector<int> ys;
    for (const Line& line : surface.Lines()) {
        texts.push_back(line.text);
        ys.push_back(line.y);
        EXPECT_EQ(line.x, 10);
        EXPECT_EQ(line.page, 1);
    }
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(ys, (std::vector<int>{h, 4 * h, 5 * h, 6 * h, 7 * h}));
}

TEST_F(SuperVwTest, PrintRowsContinuesOnNewPagesWithoutLosingALine) {
    constexpr int kServices = 20;
    Open(kServices);
    const int h = platform::RecordingPrintSurface().lineHeight();
    ASSERT_GT(h, 0);
    SelectRoot();

    platform::RecordingPrintSurface surface(7 * h); // lines at h .. 6h
    Grid().PrintRows(surface);
    // Page 1: banner, root and two services; then six services a page.
    std::vector<std::tuple<int, int, std::string>> expected = {{1, h, kBanner},
                                                               {1, 4 * h, kRootLine}};
    for (int n = 0; n < kServices; ++n) {
        const int page = n < 2 ? 1 : 2 + (n - 2) / 6;
        const int y = n < 2 ? (5 + n) * h : (1 + (n - 2) % 6) * h;
        expected.emplace_back(page, y, RowLine(n + 1));
    }
    std::vector<std::tuple<int, int, std::string>> printed;
    for (const Line& line : surface.Lines())
        printed.emplace_back(line.page, line.y, line.text);
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(surface.Pages(), 4);
}

TEST_F(SuperVwTest, PrintWithoutDialogWritesEveryPageToTheFile) {
    QPrinter twin(QPrinter::HighResolution);
    twin.setOutputFormat(QPrinter::PdfFormat);
    twin.setOutputFileName(dir.filePath(QStringLiteral("twin.pdf")));
    const int perPage = Measure(twin).second;
    ASSERT_GT(perPage, 5);
    const int longList = (perPage - 4) + perPage + 1; // one line onto page 3
    ASSERT_EQ(PagesFor(longList, perPage), 3);

    struct PdfCase {
        const char* name;
        int services;
        bool selectRoot;
        int pages;
    };
    const PdfCase cases[] = {
        {"nothing selected", longList, false, 1},
        {"short list", 3, true, 1},
        {"long list", longList, true, 3},
    };
    for (const PdfCase& c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        Open(c.services);
        if (c.selectRoot) SelectRoot();
        const QString file = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        platform::SetPrintOutputFile(file);
        EXPECT_TRUE(window->view->ExecuteCommand(platform::ID_FILE_PRINT_DIRECT));
        EXPECT_EQ(dialogs, 0);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(PdfPages(file), c.pages);
    }
}

TEST_F(SuperVwTest, ThePrintDialogComesFirstAndACancelPrintsNothing) {
    Open(3);
    SelectRoot();
    platform::SetPrintOutputFile(pdf);
    dialogAnswer = false;
    EXPECT_TRUE(window->view->ExecuteCommand(platform::ID_FILE_PRINT));
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf));
    dialogAnswer = true;
    EXPECT_TRUE(window->view->ExecuteCommand(platform::ID_FILE_PRINT));
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(PdfPages(pdf), 1);
}

TEST_F(SuperVwTest, AJobThatCannotStartIsReportedAndChangesNothing) {
    Open(3);
    SelectRoot();
    const QString unwritable = dir.filePath(QStringLiteral("no/such/folder/list.pdf"));
    platform::SetPrintOutputFile(unwritable);
    window->view->ExecuteCommand(platform::ID_FILE_PRINT_DIRECT);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("Failed to start print job."));
    EXPECT_EQ(boxes.Calls()[0].caption, QStringLiteral("Quorvandelix"));
    EXPECT_FALSE(QFile::exists(unwritable));
    EXPECT_EQ(Grid().GetItemCount(), 4);
    EXPECT_EQ(Grid().GetSelectedCount(), 1u);
}

TEST_F(SuperVwTest, ThePreviewShowsThePagesThatOnPrintDraws) {
    QPrinter twin(QPrinter::HighResolution);
    const int perPage = Measure(twin).second;
    ASSERT_GT(perPage, 5);
    const int services = (perPage - 4) + perPage + 1;
    Open(services);
    SelectRoot();
    int previews = 0;
    int shownPages = -1;
    int expectedPages = -1;
    platform::SetPrintModalHook([&](QDialog& dialog) {
        ++previews;
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
        ASSERT_NE(preview, nullptr);
        expectedPages = PagesFor(services, Measure(*preview->printer()).second);
        dialog.show(); // its first show asks for the pages
        auto* pages = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        shownPages = pages->pageCount();
        dialog.reject();
    });
    EXPECT_TRUE(window->view->ExecuteCommand(platform::ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(dialogs, 0);
    EXPECT_GE(expectedPages, 3);
    EXPECT_EQ(shownPages, expectedPages);
}

TEST_F(SuperVwTest, CtrlPPrintsOnlyWhileThePaneIsTheActiveView) {
    Open(3);
    QWidget* list = Grid().GetClientWidget();
    QWidget* tree = window->tree->viewport();
    struct FocusCase {
        const char* name;
        QWidget* clicked;
        int dialogs;
    };
    const FocusCase cases[] = {
        {"list", list, 1},
        {"tree", tree, 0},
        {"list again", list, 1},
    };
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs = 0;
        Click(c.clicked, QPoint(20, 10));
        EXPECT_TRUE(QTest::qWaitFor([&] { return c.clicked->window()->isActiveWindow(); }));
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(dialogs, c.dialogs);
    }
}

// Every column starts at one x on every printed line, however long a name:
// the stops stand at the list's column edges, a column widened only as far
// as its widest text needs.
TEST_F(SuperVwTest, PrintedColumnsStartAtTheSamePlaceOnEveryLine) {
    Open(3);
    Commit(2, kNameColumn, "WWWWWWWWWWWWWWWWWWWWW"); // wider than its column
    SelectRoot();
    platform::RecordingPrintSurface surface;
    Grid().PrintRows(surface);
    std::vector<const Line*> services;
    for (const Line& line : surface.Lines())
        if (line.pieces.size() > 2) services.push_back(&line);
    ASSERT_EQ(services.size(), 3u);
    const int columns = Grid().GetColumnCount();
    for (const Line* line : services)
        ASSERT_EQ(static_cast<int>(line->pieces.size()), columns + 1) << line->text;
    const int screenAverage = QFontMetrics(Grid().GetWidget()->font()).averageCharWidth();
    const int printAverage = surface.averageCharWidth();
    int edge = 10;
    for (int column = 0; column < columns; ++column) {
        SCOPED_TRACE(column);
        const int x = services[0]->pieces[static_cast<size_t>(column)].x;
        for (const Line* line : services)
            EXPECT_EQ(line->pieces[static_cast<size_t>(column)].x, x);
        EXPECT_GE(x, edge) << "not before the column's edge";
        edge = x + Grid().GetColumnWidth(column) * printAverage / screenAverage;
    }
    // The name column holds the long name with room to spare.
    const auto& pieces = services[1]->pieces;
    EXPECT_GT(pieces[2].x, pieces[1].x + surface.textWidth(pieces[1].text));
}

// With no printer installed, Ctrl+P's dialog offers "Print to File (PDF)",
// starts on it with a file named after the document in the home folder, and
// printing writes the list's page into that file.
TEST_F(SuperVwTest, ThePrintDialogOffersPrintToPdfAndWritesTheFile) {
    Open(3);
    const QByteArray home = qgetenv("HOME");
    const QString scratchHome = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(scratchHome));
    qputenv("HOME", QFile::encodeName(scratchHome));
    platform::SetPrintDialogRunner(nullptr); // the real dialog, through the modal hook
    QStringList printers;
    QString current;
    platform::SetPrintModalHook([&](QDialog& dialog) {
        for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
            if (combo->findText(QStringLiteral("Print to File (PDF)")) < 0) continue;
            for (int i = 0; i < combo->count(); ++i)
                printers << combo->itemText(i);
            current = combo->currentText();
        }
        // Off a desktop the dialog names the folder only: the user types a name.
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
            if (name->text().endsWith(QLatin1Char('/'))) name->setText(name->text() + "list.pdf");
        dialog.accept();
    });
    Click(Grid().GetClientWidget(), QPoint(20, 10));
    SelectRoot();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    qputenv("HOME", home);
    EXPECT_TRUE(printers.contains(QStringLiteral("Print to File (PDF)")))
        << printers.join(QStringLiteral(", ")).toStdString();
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        EXPECT_EQ(current, QStringLiteral("Print to File (PDF)"));
        EXPECT_TRUE(boxes.Calls().empty());
        const QStringList written = QDir(scratchHome).entryList({QStringLiteral("*.pdf")});
        ASSERT_EQ(written.size(), 1) << written.join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(PdfPages(QDir(scratchHome).filePath(written[0])), 1);
    }
}

} // namespace
