#include "supervw.h"

#include <QApplication>

using namespace platform;

CSuperVw::CSuperVw() = default;

CSuperVw::~CSuperVw() {
    if (m_grid.IsWindow()) m_grid.DestroyWindow();
}

int CSuperVw::OnCreate(CREATESTRUCT* cs) {
    if (Window::OnCreate(cs) == -1) return -1;
    Rect client;
    GetClientRect(&client);
    if (!m_grid.Create(WS_CHILD | WS_VISIBLE, client, this, kGridId)) return -1;
    m_font.CreateFromQFont(QApplication::font());
    m_grid.SetFont(&m_font);
    m_grid.InitColumns();
    return 0;
}

void CSuperVw::OnSize(UINT type, int cx, int cy) {
    Window::OnSize(type, cx, cy);
    if (m_grid.IsWindow()) m_grid.MoveWindow(0, 0, cx, cy);
}

// Selection changes of the list go to the listener; everything else as usual.
BOOL CSuperVw::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const BOOL taken = Window::OnNotify(wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == LVN_ITEMCHANGED && m_selectionChanged) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) m_selectionChanged();
    }
    return taken;
}

void CSuperVw::RefreshList(int bAll) {
    if (m_grid.IsWindow()) m_grid.RebuildList(bAll);
}
