#include "controls/scrollwindow.h"

#include "base/messages.h"
#include "controls/scrollbarbridge.h"
#include "window/windowhost.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QScrollBar>

namespace platform {

ScrollWindow::ScrollWindow() : m_signals(std::make_unique<QObject>()) {}

ScrollWindow::~ScrollWindow() = default;

QAbstractScrollArea* ScrollWindow::Area() const {
    return qobject_cast<QAbstractScrollArea*>(GetWidget());
}

ScrollBarState* ScrollWindow::State(int nBar) {
    return nBar == SB_HORZ ? &m_horz : nBar == SB_VERT ? &m_vert : nullptr;
}

const ScrollBarState* ScrollWindow::State(int nBar) const {
    return nBar == SB_HORZ ? &m_horz : nBar == SB_VERT ? &m_vert : nullptr;
}

QWidget* ScrollWindow::CreateWidget(QWidget* parent) {
    auto* area = new WindowHost<QAbstractScrollArea>(this, parent);
    area->setFrameShape(QFrame::NoFrame);
    // As a plain window: the focus from code and, with WS_TABSTOP, from Tab.
    area->setFocusPolicy((GetStyle() & WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
    area->viewport()->setFocusProxy(area);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_horz.SetShown(false);
    m_vert.SetShown(false);
    m_horz.Attach(area->horizontalScrollBar());
    m_vert.Attach(area->verticalScrollBar());
    const auto keepIn = [](ScrollBarState* state) {
        return [state](int pos) { state->SetTrackPos(pos); };
    };
    BridgeScrollBar(area->horizontalScrollBar(), WM_HSCROLL, m_signals.get(),
                    {[this] { return this; }, keepIn(&m_horz)});
    BridgeScrollBar(area->verticalScrollBar(), WM_VSCROLL, m_signals.get(),
                    {[this] { return this; }, keepIn(&m_vert)});
    return area;
}

void ScrollWindow::OnStyleChanged(DWORD oldStyle, DWORD oldExStyle) {
    Window::OnStyleChanged(oldStyle, oldExStyle);
    QAbstractScrollArea* area = Area();
    if (!area || !((oldExStyle ^ GetExStyle()) & WS_EX_CLIENTEDGE)) return;
    if (GetExStyle() & WS_EX_CLIENTEDGE)
        area->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    else
        area->setFrameStyle(QFrame::NoFrame);
}

// 0 without a parent window.
LRESULT ScrollWindow::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_MOUSEWHEEL) return Window::DefWindowProc(message, wParam, lParam);
    Window* parent = GetParent();
    return parent && parent->IsWindow() ? parent->SendMessage(message, wParam, lParam) : 0;
}

void ScrollWindow::ApplyVisibility(int nBar) {
    QAbstractScrollArea* area = Area();
    if (!area) return;
    const Qt::ScrollBarPolicy policy =
        State(nBar)->IsShown() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    // Qt lays the area out again on every policy set, changed or not, and a
    // grid that grows row by row shows its bar again for each row.
    if (nBar == SB_HORZ) {
        if (area->horizontalScrollBarPolicy() != policy) area->setHorizontalScrollBarPolicy(policy);
    } else if (area->verticalScrollBarPolicy() != policy) {
        area->setVerticalScrollBarPolicy(policy);
    }
}

BOOL ScrollWindow::ShowScrollBar(int nBar, BOOL show) {
    if (nBar != SB_HORZ && nBar != SB_VERT && nBar != SB_BOTH) return FALSE;
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (nBar != SB_BOTH && nBar != bar) continue;
        State(bar)->SetShown(show != FALSE);
        ApplyVisibility(bar);
    }
    return TRUE;
}

int ScrollWindow::SetScrollInfo(int nBar, const SCROLLINFO* info, BOOL) {
    ScrollBarState* state = State(nBar);
    if (!state || !info) return 0;
    switch (state->SetScrollInfo(*info)) {
    case ScrollBarState::Visibility::Show:
        ShowScrollBar(nBar, TRUE);
        break;
    case ScrollBarState::Visibility::Hide:
        ShowScrollBar(nBar, FALSE);
        break;
    case ScrollBarState::Visibility::Keep:
        break;
    }
    return state->GetPos();
}

BOOL ScrollWindow::GetScrollInfo(int nBar, SCROLLINFO* info) const {
    const ScrollBarState* state = State(nBar);
    return state && state->GetScrollInfo(info) ? TRUE : FALSE;
}

int ScrollWindow::SetScrollPos(int nBar, int pos, BOOL) {
    ScrollBarState* state = State(nBar);
    return state ? state->SetPos(pos) : 0;
}

int ScrollWindow::GetScrollPos(int nBar) const {
    const ScrollBarState* state = State(nBar);
    return state ? state->GetPos() : 0;
}

bool ScrollWindow::IsScrollBarShown(int nBar) const {
    const ScrollBarState* state = State(nBar);
    return state && state->IsShown();
}

QScrollBar* ScrollWindow::GetQtScrollBar(int nBar) const {
    QAbstractScrollArea* area = Area();
    if (!area) return nullptr;
    if (nBar == SB_HORZ) return area->horizontalScrollBar();
    if (nBar == SB_VERT) return area->verticalScrollBar();
    return nullptr;
}

} // namespace platform
