#include "window/tipwindow.h"

#include "base/colors.h"
#include "base/drawconstants.h"
#include "window/focuskeyhook.h"
#include "window/mousepost.h"
#include "draw/syscolors.h"
#include "window/windowfrompoint.h"
#include "window/windowhost.h"

#include <QPalette>
#include <QWidget>

namespace platform {

namespace {
bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK;
}
} // namespace

TipWindow::TipWindow() = default;

TipWindow::~TipWindow() = default;

QWidget* TipWindow::CreateWidget(QWidget*) {
    // Always top-level: a tip is no child of the window it serves.
    auto* host = new WindowHost<QWidget>(this, nullptr);
    host->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    host->setAttribute(Qt::WA_ShowWithoutActivating);
    host->setFocusPolicy(Qt::NoFocus);
    // Erased in the tip colour.
    QPalette palette = host->palette();
    palette.setColor(QPalette::Base, ToQColor(GetSysColor(COLOR_INFOBK)));
    host->setPalette(palette);
    return host;
}

void TipWindow::ShowNoActivate(const Rect& screenRect) {
    QWidget* widget = GetWidget();
    if (!widget) return;
    widget->setGeometry(screenRect.ToQRect());
    widget->raise();
    widget->show();
    widget->repaint();
}

void TipWindow::GrabMouse() {
    QWidget* widget = GetWidget();
    if (!widget) return;
    SetCapture();
    if (widget->isVisible()) widget->grabMouse();
}

void TipWindow::ReleaseMouse() {
    QWidget* widget = GetWidget();
    if (widget && QWidget::mouseGrabber() == widget) widget->releaseMouse();
    if (GetCapture() == this) platform::ReleaseCapture();
}

LRESULT TipWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(message)) {
        // A tip asks for no double clicks: a quick second press is a press.
        if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
            message == WM_MBUTTONDBLCLK)
            message -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        // A hidden window gets no mouse input: what Qt still hands it (the
        // release of a press that hid it) goes to the window under the point.
        if (!IsWindowVisible()) {
            PassToWindowBelow(message, wParam, lParam);
            return 0;
        }
        MSG msg;
        msg.hwnd = this;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        if (PreTranslateMessage(&msg)) return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
}

void TipWindow::PassToWindowBelow(UINT message, WPARAM wParam, LPARAM lParam) {
    Point point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    ClientToScreen(&point);
    Window* below = WindowFromPoint(point);
    if (!below || below == this) return;
    below->ScreenToClient(&point);
    PostMouseMessage(below, message, wParam, point);
}

void TipWindow::OnShowWindow(BOOL show, UINT status) {
    Window::OnShowWindow(show, status);
    if (show && !m_keyHook)
        m_keyHook = std::make_unique<FocusKeyHook>(this);
    else if (!show)
        DropKeyHook();
}

void TipWindow::DropKeyHook() {
    // The hook may be running now (a key hid the tip): it stops at once and
    // goes when the event loop comes round.
    if (!m_keyHook) return;
    m_keyHook->Stop();
    m_keyHook.release()->deleteLater();
}

void TipWindow::OnDestroy() {
    DropKeyHook();
    ReleaseMouse();
    Window::OnDestroy();
}

} // namespace platform
