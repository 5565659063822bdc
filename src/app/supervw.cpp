#include "supervw.h"

#include "draw/dcprintsurface.h"
#include "dialogs/printinfo.h"
#include "dialogs/printjob.h"

#include <QApplication>

using namespace platform;

CSuperVw::CSuperVw() {
    MapCommand(ID_FILE_PRINT, [this] { OnFilePrint(ID_FILE_PRINT); });
    MapCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(ID_FILE_PRINT_DIRECT); });
    MapCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

CSuperVw::~CSuperVw() {
    if (m_grid.IsWindow()) m_grid.DestroyWindow();
}

int CSuperVw::OnCreate(CREATESTRUCT* cs) {
    if (Window::OnCreate(cs) == -1) return -1;
    if (!m_grid.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 0, 0), this, kGridId)) return -1;
    m_font.CreateFromQFont(QApplication::font());
    m_grid.SetFont(&m_font);
    m_grid.InitColumns();
    return 0;
}

void CSuperVw::OnSize(UINT type, int cx, int cy) {
    Window::OnSize(type, cx, cy);
    if (!m_grid.IsWindow()) return;
    m_grid.MoveWindow(-1, -1, cx, cy);
    m_grid.ShowWindow(SW_SHOW);
}

BOOL CSuperVw::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const BOOL taken = Window::OnNotify(wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == LVN_ITEMCHANGED && m_selectionChanged) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) m_selectionChanged();
    }
    return taken;
}

void CSuperVw::RefreshList(BOOL bAll) {
    if (m_grid.IsWindow()) m_grid.RebuildList(bAll);
}

void CSuperVw::EmptyList() {
    if (m_grid.IsWindow()) m_grid.DeleteAll();
}

// ---- printing ----

bool CSuperVw::OnPreparePrinting(PrintInfo* info) {
    return DoPreparePrinting(info);
}

void CSuperVw::OnBeginPrinting(Dc*, PrintInfo*) {}

void CSuperVw::OnPrint(Dc* dc, PrintInfo* info) {
    if (dc) {
        DcPrintSurface surface(*dc);
        m_grid.PrintRows(surface);
    }
    PrintView::OnPrint(dc, info);
}

void CSuperVw::OnEndPrinting(Dc*, PrintInfo*) {}

void CSuperVw::OnDraw(Dc*) {}

void CSuperVw::OnFilePrint(unsigned command) {
    PrintJob job(*this);
    job.Run(command);
}

void CSuperVw::OnFilePrintPreview() {
    PrintJob job(*this);
    job.Run(ID_FILE_PRINT_PREVIEW);
}
