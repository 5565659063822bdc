#include "dialogs/printjob.h"

#include "draw/dc.h"
#include "dialogs/messagebox.h"
#include "dialogs/printdialog.h"
#include "dialogs/printinfo.h"
#include "dialogs/printview.h"
#include "base/stringtable.h"

namespace platform {

namespace {
// The framework's message when a job cannot begin; a box without an icon of
// its own shows the exclamation mark.
constexpr char kFailedToStartPrint[] = "Failed to start print job.";
constexpr unsigned kFailedToStartPrintFlags = MB_OK | MB_ICONEXCLAMATION;
} // namespace

std::string PrintView::GetPrintTitle() const {
    std::string title;
    LoadString(AFX_IDS_APP_TITLE, &title);
    return title;
}

bool PrintView::DoPreparePrinting(PrintInfo* info) {
    return info && info->m_pJob && info->m_pJob->DoPreparePrinting(info);
}

bool PrintJob::Run(unsigned command) {
    if (command != ID_FILE_PRINT && command != ID_FILE_PRINT_DIRECT &&
        command != ID_FILE_PRINT_PREVIEW)
        return false;
    PrintInfo info;
    info.m_pJob = this;
    info.m_bDirect = command == ID_FILE_PRINT_DIRECT;
    info.m_bPreview = command == ID_FILE_PRINT_PREVIEW;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The print dialog names a file to print into after the document.
    printer_->setDocName(QString::fromLatin1(view_.GetPrintTitle()));
    if (!view_.OnPreparePrinting(&info)) return false;
    if (!info.m_bPreview) return PrintPages(*printer_, info);
    bool printed = false;
    RunPrintPreview(*printer_, [&](QPrinter& printer) {
        PrintInfo pageInfo = info;
        printed = PrintPages(printer, pageInfo);
    });
    return printed;
}

bool PrintJob::DoPreparePrinting(PrintInfo* info) {
    if (!info || !printer_) return false;
    if (info->m_bPreview) return true;
    if (!info->m_bDirect && !RunPrintDialog(*printer_)) return false;
    ApplyPrintOutput(*printer_);
    return true;
}

bool PrintJob::PrintPages(QPrinter& printer, PrintInfo& info) {
    Dc dc(&printer);
    dc.SetPrinting(true);
    view_.OnBeginPrinting(&dc, &info);
    const std::string title = view_.GetPrintTitle();
    bool ok = dc.StartDoc(title.c_str()) > 0;
    // No printer, or an output file that cannot be written: the user is told
    // and nothing is printed.
    if (!ok)
        MessageBox(QString::fromLatin1(kFailedToStartPrint), QString(), kFailedToStartPrintFlags);
    for (unsigned page = info.GetMinPage(); ok && page <= info.GetMaxPage(); ++page) {
        info.m_nCurPage = page;
        view_.OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting) break;
        if (dc.StartPage() <= 0) {
            ok = false;
            break;
        }
        info.m_rectDraw = Rect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        view_.OnPrint(&dc, &info);
        if (dc.EndPage() <= 0) ok = false;
    }
    view_.OnEndPrinting(&dc, &info);
    if (ok)
        dc.EndDoc();
    else
        dc.AbortDoc();
    return ok;
}

} // namespace platform
