#include "window/window.h"

#include "window/keyrouter.h"
#include "window/cursor.h"
#include "window/dropfiles.h"
#include "draw/font.h"
#include "base/keys.h"
#include "base/keystate.h"
#include "window/messagequeue.h"
#include "window/paintdc.h"
#include "base/text.h"
#include "window/timer.h"
#include "window/windowhost.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <utility>
#include <cstring>
#include <vector>

namespace platform {

namespace {
// Dots per meter from dots per inch.
constexpr double kInchesPerMeter = 0.0254;

// The window holding the mouse capture.
Window* g_capture = nullptr;
// The window that lost the keyboard focus last: the next OnSetFocus names it.
Window* g_lastFocusLost = nullptr;

// The kind of a WM_SIZE: how the top-level window holding widget is shown.
UINT SizeType(const QWidget* widget) {
    const QWidget* top = widget->window();
    if (top->isMinimized()) return SIZE_MINIMIZED;
    if (top->isMaximized()) return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

UINT MouseMessage(const QMouseEvent* event) {
    struct ButtonMessages {
        Qt::MouseButton button;
        UINT down, up, dblclk;
    };
    static constexpr ButtonMessages kButtons[] = {
        {Qt::LeftButton, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
        {Qt::RightButton, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
        {Qt::MiddleButton, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK},
    };
    if (event->type() == QEvent::MouseMove) return WM_MOUSEMOVE;
    for (const ButtonMessages& b : kButtons) {
        if (b.button != event->button()) continue;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            return b.down;
        case QEvent::MouseButtonRelease:
            return b.up;
        case QEvent::MouseButtonDblClick:
            return b.dblclk;
        default:
            return 0;
        }
    }
    return 0;
}

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
           message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_IME_CHAR;
}

} // namespace

Window::Window()
    : m_alive(std::make_shared<bool>(true)),
      m_timers(std::make_unique<TimerTable>(
          [this](UINT_PTR id) { SendMessage(WM_TIMER, static_cast<WPARAM>(id), 0); })) {}

Window::~Window() {
    *m_alive = false;
    if (g_capture == this) g_capture = nullptr;
    if (g_lastFocusLost == this) g_lastFocusLost = nullptr;
    if (m_host) m_host->Detach();
    // A window deleted while its widget lives takes the widget along,
    // without handlers: the derived parts are gone already.
    if (m_widget && !m_destroying) {
        m_widget->hide();
        m_widget->deleteLater();
    }
}

// ---- creation and destruction ----

BOOL Window::Create(DWORD style, const Rect& rect, Window* parent, UINT id) {
    return CreateEx(0, nullptr, style, rect, parent, id);
}

BOOL Window::CreateEx(DWORD exStyle, const char* windowName, DWORD style, const Rect& rect,
                      Window* parent, UINT id) {
    if (m_widget) return FALSE;
    if (parent && !parent->IsWindow()) return FALSE;
    KeyRouter::Install();
    CREATESTRUCT cs;
    cs.hwndParent = parent;
    cs.id = id;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
    cs.style = style;
    cs.dwExStyle = exStyle;
    cs.lpszName = windowName;
    if (!PreCreateWindow(cs)) return FALSE;

    m_style = cs.style;
    m_exStyle = cs.dwExStyle;
    m_id = cs.id;
    m_parent = parent;
    m_destroying = false;
    m_widget = CreateWidget(parent ? parent->GetClientWidget() : nullptr);
    m_host = dynamic_cast<HostBase*>(m_widget);
    if (!m_widget || !m_host) {
        delete m_widget;
        m_widget = nullptr;
        m_host = nullptr;
        return FALSE;
    }
    m_widget->setGeometry(cs.x, cs.y, std::max(cs.cx, 0), std::max(cs.cy, 0));
    // Moves reach the window with no button held, as they always do there.
    GetClientWidget()->setMouseTracking(true);
    if (cs.lpszName) SetTextDirect(cs.lpszName);
    if (m_style & WS_DISABLED) m_widget->setEnabled(false);
    if (m_exStyle & WS_EX_ACCEPTFILES) DragAcceptFiles(TRUE);

    const std::shared_ptr<bool> alive = m_alive;
    const LRESULT created = SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
    if (!*alive) return FALSE;
    if (created == -1) {
        DestroyWindow();
        return FALSE;
    }
    // A child made without WS_VISIBLE stays hidden when its parent shows (a
    // hint shown later), where Qt would show it with the parent.
    if (m_widget && (m_style & WS_VISIBLE))
        m_widget->show();
    else if (m_widget)
        m_widget->hide();
    return m_widget ? TRUE : FALSE;
}

QWidget* Window::CreateWidget(QWidget* parent) {
    auto* host = new WindowHost<QWidget>(this, parent);
    // A plain window takes the focus from code (SetFocus) and, with
    // WS_TABSTOP, from the Tab key; a click alone does not give it.
    host->setFocusPolicy((m_style & WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
    return host;
}

BOOL Window::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

BOOL Window::DestroyWindow() {
    if (!m_widget || m_destroying) return FALSE;
    m_destroying = true;
    const std::shared_ptr<bool> alive = m_alive;
    QWidget* widget = m_widget;
    if (g_capture == this) g_capture = nullptr;
    m_timers->KillAll();

    SendMessage(WM_DESTROY);
    if (*alive) {
        std::vector<std::pair<Window*, std::shared_ptr<bool>>> children;
        for (QWidget* child : widget->findChildren<QWidget*>()) {
            Window* w = FromWidget(child);
            if (w && w->GetParent() == this) children.emplace_back(w, w->m_alive);
        }
        for (auto& [child, childAlive] : children)
            if (*childAlive) child->DestroyWindow();
    }
    if (*alive) SendMessage(WM_NCDESTROY);
    if (*alive) {
        if (m_host) m_host->Detach();
        m_host = nullptr;
        m_widget = nullptr;
    }
    widget->hide();
    widget->deleteLater();
    if (*alive) PostNcDestroy();
    return TRUE;
}

void Window::HostGone() {
    // The widget was deleted by Qt (its parent widget went) without
    // DestroyWindow: the handlers still run, once.
    m_host = nullptr;
    if (m_destroying) {
        m_widget = nullptr;
        return;
    }
    m_destroying = true;
    const std::shared_ptr<bool> alive = m_alive;
    if (g_capture == this) g_capture = nullptr;
    m_timers->KillAll();
    SendMessage(WM_DESTROY);
    if (*alive) SendMessage(WM_NCDESTROY);
    if (*alive) {
        m_widget = nullptr;
        PostNcDestroy();
    }
}

BOOL Window::SubclassDlgItem(UINT id, Window* parent) {
    if (!parent || !parent->IsWindow()) return FALSE;
    return SubclassWindow(parent->GetDlgItem(static_cast<int>(id)));
}

BOOL Window::SubclassWindow(Window* existing) {
    if (m_widget || !existing || existing == this || !existing->IsWindow()) return FALSE;
    m_widget = std::exchange(existing->m_widget, nullptr);
    m_host = std::exchange(existing->m_host, nullptr);
    m_host->m_window = this;
    m_parent = existing->m_parent;
    m_owner = existing->m_owner;
    m_id = existing->m_id;
    m_style = existing->m_style;
    m_exStyle = existing->m_exStyle;
    m_text = existing->m_text;
    m_font = existing->m_font;
    m_acceptFiles = existing->m_acceptFiles;
    m_invalid = existing->m_invalid;
    m_eraseRegion = existing->m_eraseRegion;
    m_valid = existing->m_valid;
    m_surface = std::move(existing->m_surface);
    m_lastClientSize = existing->m_lastClientSize;
    m_destroying = false;
    existing->m_timers->KillAll();
    if (g_capture == existing) g_capture = this;
    if (g_lastFocusLost == existing) g_lastFocusLost = this;
    return TRUE;
}

BOOL Window::IsWindow() const {
    return m_widget && !m_destroying ? TRUE : FALSE;
}

QWidget* Window::GetClientWidget() const {
    return m_host ? m_host->ClientWidget() : m_widget;
}

Window* Window::FromWidget(const QWidget* widget) {
    const auto* host = dynamic_cast<const HostBase*>(widget);
    return host ? host->HostedWindow() : nullptr;
}

Window* Window::FromWidgetOrAncestor(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (Window* w = FromWidget(widget)) return w;
    return nullptr;
}

Window* Window::GetDlgItem(int id) const {
    if (!m_widget) return nullptr;
    for (QWidget* child : m_widget->findChildren<QWidget*>()) {
        Window* w = FromWidget(child);
        if (w && w->GetParent() == this && w->GetDlgCtrlID() == id) return w;
    }
    return nullptr;
}

// ---- styles ----

BOOL Window::ModifyStyle(DWORD remove, DWORD add, UINT) {
    const DWORD old = m_style;
    m_style = (m_style & ~remove) | add;
    if (m_style == old) return FALSE;
    OnStyleChanged(old, m_exStyle);
    return TRUE;
}

BOOL Window::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    const DWORD old = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    if (m_exStyle == old) return FALSE;
    OnStyleChanged(m_style, old);
    return TRUE;
}

void Window::OnStyleChanged(DWORD oldStyle, DWORD oldExStyle) {
    if (!m_widget) return;
    if ((oldStyle ^ m_style) & WS_VISIBLE) m_widget->setVisible(m_style & WS_VISIBLE);
    if ((oldStyle ^ m_style) & WS_DISABLED) m_widget->setEnabled(!(m_style & WS_DISABLED));
    if ((oldExStyle ^ m_exStyle) & WS_EX_ACCEPTFILES)
        DragAcceptFiles(m_exStyle & WS_EX_ACCEPTFILES);
}

// ---- geometry ----

void Window::GetClientRect(Rect* rect) const {
    const QWidget* client = GetClientWidget();
    *rect = client ? Rect(0, 0, client->width(), client->height()) : Rect();
}

void Window::GetWindowRect(Rect* rect) const {
    if (!m_widget) {
        *rect = Rect();
        return;
    }
    *rect = Rect(Point(m_widget->mapToGlobal(QPoint(0, 0))), Size(m_widget->size()));
}

void Window::ClientToScreen(Point* point) const {
    if (const QWidget* client = GetClientWidget())
        *point = Point(client->mapToGlobal(point->ToQPoint()));
}

void Window::ClientToScreen(Rect* rect) const {
    Point tl = rect->TopLeft();
    ClientToScreen(&tl);
    rect->OffsetRect(tl.x - rect->left, tl.y - rect->top);
}

void Window::ScreenToClient(Point* point) const {
    if (const QWidget* client = GetClientWidget())
        *point = Point(client->mapFromGlobal(point->ToQPoint()));
}

void Window::ScreenToClient(Rect* rect) const {
    Point tl = rect->TopLeft();
    ScreenToClient(&tl);
    rect->OffsetRect(tl.x - rect->left, tl.y - rect->top);
}

void Window::MapWindowPoints(const Window* to, Point* points, UINT count) const {
    for (UINT i = 0; i < count; ++i) {
        ClientToScreen(&points[i]);
        if (to) to->ScreenToClient(&points[i]);
    }
}

void Window::MapWindowPoints(const Window* to, Rect* rect) const {
    Point tl = rect->TopLeft();
    MapWindowPoints(to, &tl, 1);
    rect->OffsetRect(tl.x - rect->left, tl.y - rect->top);
}

void Window::MoveWindow(int x, int y, int width, int height, BOOL) {
    if (m_widget) m_widget->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
}

void Window::MoveWindow(const Rect& rect, BOOL repaint) {
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

// ---- visibility and state ----

BOOL Window::ShowWindow(int cmdShow) {
    if (!m_widget) return FALSE;
    const BOOL wasVisible = (m_style & WS_VISIBLE) ? TRUE : FALSE;
    if (cmdShow == SW_HIDE) {
        m_style &= ~WS_VISIBLE;
        m_widget->hide();
    } else {
        m_style |= WS_VISIBLE;
        m_widget->show();
    }
    return wasVisible;
}

BOOL Window::IsWindowVisible() const {
    return m_widget && m_widget->isVisible() ? TRUE : FALSE;
}

BOOL Window::EnableWindow(BOOL enable) {
    if (!m_widget) return FALSE;
    const BOOL wasDisabled = m_widget->isEnabled() ? FALSE : TRUE;
    if (enable)
        m_style &= ~WS_DISABLED;
    else
        m_style |= WS_DISABLED;
    m_widget->setEnabled(enable);
    return wasDisabled;
}

BOOL Window::IsWindowEnabled() const {
    return m_widget && m_widget->isEnabled() ? TRUE : FALSE;
}

// ---- text and font ----

void Window::SetWindowText(const char* text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

int Window::GetWindowText(char* buffer, int maxCount) const {
    if (!buffer || maxCount <= 0) return 0;
    return static_cast<int>(const_cast<Window*>(this)->SendMessage(
        WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

std::string Window::GetWindowText() const {
    const int length = GetWindowTextLength();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(text.data(), length + 1)));
    return text;
}

int Window::GetWindowTextLength() const {
    return static_cast<int>(const_cast<Window*>(this)->SendMessage(WM_GETTEXTLENGTH));
}

void Window::SetFont(Font* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

Font* Window::GetFont() const {
    return reinterpret_cast<Font*>(const_cast<Window*>(this)->SendMessage(WM_GETFONT));
}

void Window::SetTextDirect(const char* text) {
    m_text = text ? text : "";
    if (m_widget && m_widget->isWindow()) m_widget->setWindowTitle(FromLatin1(m_text));
}

void Window::ApplyFont() {
    if (m_widget && m_font) m_widget->setFont(m_font->ToQFont());
}

// ---- painting ----

void Window::Invalidate(BOOL erase) {
    InvalidateRect(nullptr, erase);
}

void Window::InvalidateRect(const Rect* rect, BOOL erase) {
    QWidget* client = GetClientWidget();
    if (!client) return;
    const QRegion region = rect ? QRegion(rect->ToQRect()) : QRegion(client->rect());
    if (region.isEmpty()) return;
    m_invalid |= region;
    m_valid -= region;
    if (erase) m_eraseRegion |= region;
    client->update(region);
}

void Window::UpdateWindow() {
    QWidget* client = GetClientWidget();
    if (!client || m_invalid.isEmpty() || !client->isVisible() || !client->updatesEnabled()) return;
    client->repaint(m_invalid);
}

void Window::SetRedraw(BOOL redraw) {
    if (m_widget) m_widget->setUpdatesEnabled(redraw != FALSE);
}

void Window::EnsureSurface() {
    QWidget* client = GetClientWidget();
    if (!client) return;
    const QSize size = client->size().expandedTo(QSize(1, 1));
    if (m_surface && m_surface->size() == size) return;
    auto surface = std::make_unique<QImage>(size, QImage::Format_RGB32);
    // Contexts on the client area measure at the screen's resolution.
    surface->setDotsPerMeterX(qRound(client->logicalDpiX() / kInchesPerMeter));
    surface->setDotsPerMeterY(qRound(client->logicalDpiY() / kInchesPerMeter));
    surface->fill(client->palette().color(QPalette::Base));
    if (m_surface) {
        QPainter p(surface.get());
        p.drawImage(0, 0, *m_surface);
    }
    m_surface = std::move(surface);
}

QImage* Window::BeginPaint(PAINTSTRUCT* paint) {
    if (!m_paint.active) return nullptr;
    EnsureSurface();
    if (!m_surface) return nullptr;
    m_paint.drawn = true;
    const bool erase = !m_paint.erase.isEmpty();
    if (erase) {
        std::unique_ptr<QPainter> painter =
            detail::OpenClippedPainter(m_surface.get(), m_paint.erase);
        Dc dc(painter.get());
        SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
        detail::CloseClippedPainter(painter);
    }
    m_paint.erase = QRegion();
    if (paint) {
        paint->fErase = erase ? TRUE : FALSE;
        paint->rcPaint = Rect(m_paint.region.boundingRect());
    }
    return m_surface.get();
}

void Window::EndPaint(const PAINTSTRUCT*) {}

Dc* Window::GetDC() {
    return IsWindow() ? new ClientDc(this) : nullptr;
}

int Window::ReleaseDC(Dc* dc) {
    delete dc;
    return dc ? 1 : 0;
}

QImage* Window::GetSurface() {
    EnsureSurface();
    return m_surface.get();
}

void Window::ReleaseSurface() {
    QWidget* client = GetClientWidget();
    if (!client || !m_surface) return;
    client->update();
}

// ---- focus ----

Window* Window::SetFocus() {
    Window* old = GetFocus();
    if (m_widget) m_widget->setFocus(Qt::OtherFocusReason);
    return old;
}

Window* Window::GetFocus() {
    return FromWidgetOrAncestor(QApplication::focusWidget());
}

// ---- messages ----

LRESULT Window::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A window that is gone (or never was) hears nothing.
    if (!m_widget) return 0;
    return DispatchQtMessage(nullptr, nullptr, false, message, wParam, lParam);
}

BOOL Window::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return MessageQueue::Post(this, message, wParam, lParam);
}

LRESULT Window::DispatchQtMessage(QEvent* event, QWidget* receiver, bool fromClient, UINT message,
                                  WPARAM wParam, LPARAM lParam) {
    const std::shared_ptr<bool> alive = m_alive;
    const Current saved = m_current;
    m_current = Current{event, receiver, message, wParam, lParam, fromClient, false};
    const LRESULT result = WindowProc(message, wParam, lParam);
    if (*alive) m_current = saved;
    return result;
}

LRESULT Window::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL Window::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto point = [lParam] { return Point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); };
    const UINT flags = static_cast<UINT>(wParam);
    const UINT repeat = LOWORD(static_cast<std::uintptr_t>(lParam));
    const UINT keyFlags = HIWORD(static_cast<std::uintptr_t>(lParam));
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NCDESTROY:
        OnNcDestroy();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<Dc*>(wParam));
    case WM_SIZE:
        OnSize(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
               HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<Window*>(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<Window*>(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(flags, repeat, keyFlags);
        return 0;
    case WM_KEYUP:
        OnKeyUp(flags, repeat, keyFlags);
        return 0;
    case WM_CHAR:
        OnChar(flags, repeat, keyFlags);
        return 0;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(flags, repeat, keyFlags);
        return 0;
    case WM_SYSKEYUP:
        OnSysKeyUp(flags, repeat, keyFlags);
        return 0;
    case WM_GETDLGCODE:
        return OnGetDlgCode();
    case WM_IME_CHAR:
        return OnImeChar(wParam, lParam);
    case WM_SETFONT:
        return OnSetFont(wParam, lParam);
    case WM_GETFONT:
        return OnGetFont(wParam, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point());
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point());
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point());
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, point());
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, point());
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, point());
        return 0;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(flags, point());
        return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point());
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<Window*>(wParam),
                           LOWORD(static_cast<std::uintptr_t>(lParam)),
                           HIWORD(static_cast<std::uintptr_t>(lParam)));
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<Window*>(lParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<ScrollBar*>(lParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<ScrollBar*>(lParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<DropFiles*>(wParam));
        return 0;
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) return 0;
        return DefWindowProc(message, wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result)) return result;
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

// Whether the Qt event being handled is the one behind this message (a hook
// may have changed the key, or code may send another message meanwhile).
static bool EventMakes(const QEvent* event, UINT message, WPARAM wParam) {
    if (!IsKeyMessage(message)) return true;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    if (message == WM_CHAR || message == WM_IME_CHAR) return CharFromKeyEvent(key) == wParam;
    return VirtualKeyFromQt(key->key(), key->modifiers()) == wParam;
}

LRESULT Window::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_current.event && m_current.message == message && !m_current.defaultDone &&
        EventMakes(m_current.event, message, wParam)) {
        m_current.defaultDone = true;
        // A key that types a character does its Qt work once, as the
        // character; every other key as the key.
        bool deliver = true;
        if (message == WM_KEYDOWN || message == WM_CHAR) {
            const bool typed = CharFromKeyEvent(static_cast<QKeyEvent*>(m_current.event)) >= 0x20;
            deliver = (message == WM_CHAR) == typed;
        }
        if (deliver) DeliverCurrentEvent();
        return 0;
    }
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_IME_CHAR:
        SynthesizeKey(message, wParam);
        return 0;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SETTEXT:
        SetTextDirect(reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const std::size_t max = static_cast<std::size_t>(wParam);
        if (!buffer || max == 0) return 0;
        const std::size_t n = std::min(m_text.size(), max - 1);
        std::memcpy(buffer, m_text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    case WM_SETFONT:
        m_font = reinterpret_cast<Font*>(wParam);
        ApplyFont();
        if (lParam) Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_PAINT:
        if (!PaintsNatively()) {
            PAINTSTRUCT ps;
            BeginPaint(&ps);
            EndPaint(&ps);
        }
        return 0;
    case WM_ERASEBKGND:
        if (Dc* dc = reinterpret_cast<Dc*>(wParam); dc && GetClientWidget()) {
            Rect box;
            dc->GetClipBox(&box);
            dc->FillSolidRect(box, FromQColor(GetClientWidget()->palette().color(QPalette::Base)));
        }
        return TRUE;
    case WM_SETCURSOR:
        // The parent decides first, as the original platform asks it.
        if (m_parent && m_parent->IsWindow() && m_parent->SendMessage(message, wParam, lParam))
            return TRUE;
        SetCursor(nullptr); // the Qt class's own cursor
        return FALSE;
    case WM_MOUSEWHEEL:
        if (m_parent && m_parent->IsWindow()) return m_parent->SendMessage(message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

void Window::DeliverCurrentEvent() {
    QEvent* event = m_current.event;
    if (!event || !m_host) return;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        QWidget* receiver = m_current.receiver ? m_current.receiver : m_widget;
        const bool isHost = receiver == m_widget || receiver == GetClientWidget();
        KeyRouter::DeliverToQt(isHost ? m_widget : receiver, static_cast<QKeyEvent*>(event),
                               isHost);
        return;
    }
    m_host->BaseEvent(event, m_current.fromClient);
}

void Window::SynthesizeKey(UINT message, WPARAM wParam) {
    if (!m_widget) return;
    const bool isChar = message == WM_CHAR || message == WM_IME_CHAR;
    const bool release = message == WM_KEYUP || message == WM_SYSKEYUP;
    const UINT code = static_cast<UINT>(wParam);
    // Code sends characters as text; control codes type nothing in a field.
    if (isChar && code < 0x20) return;
    const int qtKey =
        isChar ? static_cast<int>(QChar(static_cast<char16_t>(code & 0xFF)).toUpper().unicode())
               : QtKeyFromVirtualKey(code);
    if (!isChar && qtKey == 0) return;
    const Qt::KeyboardModifiers modifiers =
        (!isChar && IsKeypadVirtualKey(code)) ? Qt::KeypadModifier : Qt::NoModifier;
    QKeyEvent key(release ? QEvent::KeyRelease : QEvent::KeyPress, qtKey, modifiers,
                  isChar ? TextFromChar(code) : QString());
    KeyRouter::DeliverToQt(m_widget, &key, true);
}

BOOL Window::OnCommand(WPARAM wParam, LPARAM lParam) {
    Window* control = reinterpret_cast<Window*>(lParam);
    if (!control || control == this || !control->IsWindow()) return FALSE;
    LRESULT result = 0;
    return control->OnChildNotify(WM_COMMAND, wParam, lParam, &result);
}

BOOL Window::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) return FALSE;
    Window* control = header->hwndFrom;
    if (!control || control == this || !control->IsWindow()) return FALSE;
    return control->OnChildNotify(WM_NOTIFY, wParam, lParam, result);
}

void Window::OnDrawItem(int id, DRAWITEMSTRUCT* dis) {
    Window* control = dis ? dis->hwndItem : nullptr;
    LRESULT result = 0;
    if (control && control != this && control->IsWindow() &&
        control->OnChildNotify(WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(dis),
                               &result))
        return;
    Default();
}

void Window::OnMeasureItem(int id, MEASUREITEMSTRUCT* mis) {
    Window* control = mis ? GetDlgItem(static_cast<int>(mis->CtlID)) : nullptr;
    LRESULT result = 0;
    if (control && control->OnChildNotify(WM_MEASUREITEM, static_cast<WPARAM>(id),
                                          reinterpret_cast<LPARAM>(mis), &result))
        return;
    Default();
}

BOOL Window::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_NOTIFY:
        return OnNotifyReflect(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_COMMAND:
        return OnCommandReflect(HIWORD(wParam));
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL Window::OnNotifyReflect(NMHDR*, LRESULT*) {
    return FALSE;
}
BOOL Window::OnCommandReflect(UINT) {
    return FALSE;
}
void Window::DrawItem(DRAWITEMSTRUCT*) {}
void Window::MeasureItem(MEASUREITEMSTRUCT*) {}

LRESULT Window::SendNotify(UINT code, NMHDR* header) {
    header->hwndFrom = this;
    header->idFrom = m_id;
    header->code = code;
    Window* owner = GetOwner();
    if (!owner || !owner->IsWindow()) return 0;
    return owner->SendMessage(WM_NOTIFY, m_id, reinterpret_cast<LPARAM>(header));
}

LRESULT Window::SendCommandToOwner(UINT code) {
    Window* owner = GetOwner();
    if (!owner || !owner->IsWindow()) return 0;
    return owner->SendMessage(WM_COMMAND, MAKEWPARAM(m_id, code), reinterpret_cast<LPARAM>(this));
}

BOOL Window::PostCommandToOwner(UINT code) {
    Window* owner = GetOwner();
    if (!owner || !owner->IsWindow()) return FALSE;
    return owner->PostMessage(WM_COMMAND, MAKEWPARAM(m_id, code), reinterpret_cast<LPARAM>(this));
}

// ---- Qt events to messages ----

bool Window::HandleQtEvent(QEvent* event, bool fromClient) {
    // Events of the frame of a scroll area are its own; a plain widget is
    // its own client area.
    const bool frame = !fromClient || GetClientWidget() == m_widget;
    switch (event->type()) {
    case QEvent::Paint:
        if (!fromClient) return false;
        HandlePaintEvent(event);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (!fromClient) return false;
        HandleMouseEvent(event);
        return true;
    case QEvent::Wheel: {
        if (!fromClient) return false;
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint screen = wheel->globalPosition().toPoint();
        DispatchQtMessage(event, GetClientWidget(), true, WM_MOUSEWHEEL,
                          MAKEWPARAM(MouseKeyFlags(wheel->buttons(), wheel->modifiers()),
                                     static_cast<unsigned>(wheel->angleDelta().y())),
                          MAKELPARAM(screen.x(), screen.y()));
        return true;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (!frame) return false;
        HandleFocusEvent(event);
        return true;
    case QEvent::Resize: {
        const std::shared_ptr<bool> alive = m_alive;
        m_host->BaseEvent(event, fromClient);
        if (!*alive || !m_widget) return true;
        const Size client(GetClientWidget()->size());
        if (client == m_lastClientSize) return true;
        m_lastClientSize = client;
        if (m_surface) EnsureSurface();
        m_valid &= QRegion(0, 0, client.cx, client.cy);
        SendMessage(WM_SIZE, SizeType(m_widget), MAKELPARAM(client.cx, client.cy));
        return true;
    }
    case QEvent::WindowStateChange: {
        // A top-level window minimised, maximised or restored: WM_SIZE with
        // the new kind, its client size as it is.
        if (!frame || !m_widget || !m_widget->isWindow()) return false;
        const std::shared_ptr<bool> alive = m_alive;
        m_host->BaseEvent(event, fromClient);
        if (!*alive || !m_widget) return true;
        const Size client(GetClientWidget()->size());
        SendMessage(WM_SIZE, SizeType(m_widget), MAKELPARAM(client.cx, client.cy));
        return true;
    }
    case QEvent::Show:
    case QEvent::Hide: {
        if (!frame || event->spontaneous()) return false;
        const std::shared_ptr<bool> alive = m_alive;
        m_host->BaseEvent(event, fromClient);
        if (*alive) SendMessage(WM_SHOWWINDOW, event->type() == QEvent::Show ? TRUE : FALSE, 0);
        return true;
    }
    case QEvent::ApplicationPaletteChange: {
        if (!frame) return false;
        const std::shared_ptr<bool> alive = m_alive;
        m_host->BaseEvent(event, fromClient);
        // The system colours changed: a top-level window hears it and passes
        // it on to every window inside, as the original's frames do.
        if (*alive && m_widget && m_widget->isWindow()) {
            std::vector<std::pair<Window*, std::shared_ptr<bool>>> windows{{this, m_alive}};
            for (QWidget* child : m_widget->findChildren<QWidget*>())
                if (Window* w = FromWidget(child)) windows.emplace_back(w, w->m_alive);
            for (auto& [w, wAlive] : windows)
                if (*wAlive && w->IsWindow()) w->SendMessage(WM_SYSCOLORCHANGE);
        }
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!m_acceptFiles || !drag->mimeData()->hasUrls()) return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!m_acceptFiles || !drag->mimeData()->hasUrls()) return false;
        DropFiles drop;
        for (const QUrl& url : drag->mimeData()->urls())
            if (url.isLocalFile())
                drop.paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        const QPoint at = drag->position().toPoint();
        drop.point = Point(fromClient ? at : GetClientWidget()->mapFrom(m_widget, at));
        drag->acceptProposedAction();
        if (!drop.paths.empty()) SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop));
        return true;
    }
    case QEvent::Close:
        if (!frame) return false;
        SendMessage(WM_CLOSE);
        event->ignore();
        return true;
    default:
        return false;
    }
}

void Window::HandlePaintEvent(QEvent* event) {
    const QRegion region = static_cast<QPaintEvent*>(event)->region();
    const std::shared_ptr<bool> alive = m_alive;
    if (PaintsNatively()) {
        // The Qt class paints; the region is painted whatever the reason.
        m_invalid -= region;
        m_eraseRegion -= region;
        const PaintState saved = m_paint;
        m_paint = PaintState{true, false, region, QRegion()};
        DispatchQtMessage(event, GetClientWidget(), true, WM_PAINT, 0, 0);
        if (*alive) m_paint = saved;
        return;
    }
    // The retained image is the screen: what it shows correctly is only
    // copied; the rest is painted (and erased where it was never painted or
    // the invalidation asked for it).
    const QRegion toPaint = region - m_valid;
    const QRegion erase = toPaint & ((toPaint - m_invalid) | m_eraseRegion);
    m_invalid -= region;
    m_eraseRegion -= region;

    const PaintState saved = m_paint;
    m_paint = PaintState{true, false, toPaint, erase};
    if (!toPaint.isEmpty()) DispatchQtMessage(event, GetClientWidget(), true, WM_PAINT, 0, 0);
    if (!*alive) return;
    // What the painting itself invalidated again (a drawer that changed a
    // row) stays invalid for the paint that follows.
    if (m_paint.drawn) m_valid |= toPaint - m_invalid;
    m_paint = saved;
    if (m_surface && GetClientWidget()) {
        QPainter p(GetClientWidget());
        p.setClipRegion(region);
        p.drawImage(0, 0, *m_surface);
    }
}

void Window::HandleMouseEvent(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const UINT message = MouseMessage(mouse);
    if (message == 0) {
        m_host->BaseEvent(event, true);
        return;
    }
    const QPoint p = mouse->position().toPoint();
    const std::shared_ptr<bool> alive = m_alive;
    SetCursorWidget(GetClientWidget());
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
        message == WM_MBUTTONDOWN) {
        SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(this), MAKELPARAM(HTCLIENT, message));
        if (!*alive || !IsWindow()) return;
    }
    DispatchQtMessage(event, GetClientWidget(), true, message,
                      MouseKeyFlags(mouse->buttons(), mouse->modifiers()),
                      MAKELPARAM(p.x(), p.y()));
}

void Window::HandleFocusEvent(QEvent* event) {
    const auto* focus = static_cast<QFocusEvent*>(event);
    // A pop-up opening or closing (a combo box's list) does not move the
    // focus away from the window.
    if (focus->reason() == Qt::PopupFocusReason) {
        m_host->BaseEvent(event, false);
        return;
    }
    if (event->type() == QEvent::FocusOut) {
        Window* gaining = FromWidgetOrAncestor(QApplication::focusWidget());
        if (gaining == this) {
            m_host->BaseEvent(event, false);
            return;
        }
        g_lastFocusLost = this;
        DispatchQtMessage(event, m_widget, false, WM_KILLFOCUS, reinterpret_cast<WPARAM>(gaining),
                          0);
        return;
    }
    Window* losing = g_lastFocusLost == this ? nullptr : g_lastFocusLost;
    DispatchQtMessage(event, m_widget, false, WM_SETFOCUS, reinterpret_cast<WPARAM>(losing), 0);
}

void Window::LoseFocusTo(Window* gaining) {
    // Nothing for a window that is gone.
    if (!m_widget) return;
    g_lastFocusLost = this;
    SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(gaining), 0);
}

// ---- handler defaults ----

int Window::OnCreate(CREATESTRUCT*) {
    return static_cast<int>(Default());
}
void Window::OnDestroy() {
    Default();
}
void Window::OnNcDestroy() {
    Default();
}
void Window::OnClose() {
    Default();
}
void Window::OnPaint() {
    Default();
}
BOOL Window::OnEraseBkgnd(Dc*) {
    return static_cast<BOOL>(Default());
}
void Window::OnSize(UINT, int, int) {
    Default();
}
void Window::OnShowWindow(BOOL, UINT) {
    Default();
}
void Window::OnSysColorChange() {
    Default();
}
void Window::OnSetFocus(Window*) {
    Default();
}
void Window::OnKillFocus(Window*) {
    Default();
}
void Window::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void Window::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void Window::OnChar(UINT, UINT, UINT) {
    Default();
}
void Window::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void Window::OnSysKeyUp(UINT, UINT, UINT) {
    Default();
}
LRESULT Window::OnImeChar(WPARAM, LPARAM) {
    return Default();
}
LRESULT Window::OnSetFont(WPARAM, LPARAM) {
    return Default();
}
LRESULT Window::OnGetFont(WPARAM, LPARAM) {
    return Default();
}
UINT Window::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}
void Window::OnMouseMove(UINT, Point) {
    Default();
}
void Window::OnLButtonDown(UINT, Point) {
    Default();
}
void Window::OnLButtonUp(UINT, Point) {
    Default();
}
void Window::OnLButtonDblClk(UINT, Point) {
    Default();
}
void Window::OnRButtonDown(UINT, Point) {
    Default();
}
void Window::OnRButtonUp(UINT, Point) {
    Default();
}
void Window::OnRButtonDblClk(UINT, Point) {
    Default();
}
BOOL Window::OnMouseWheel(UINT, short, Point) {
    return static_cast<BOOL>(Default());
}
BOOL Window::OnSetCursor(Window*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
void Window::OnTimer(UINT_PTR) {
    Default();
}
void Window::OnCaptureChanged(Window*) {
    Default();
}
void Window::OnHScroll(UINT, UINT, ScrollBar*) {
    Default();
}
void Window::OnVScroll(UINT, UINT, ScrollBar*) {
    Default();
}
void Window::OnDropFiles(DropFiles*) {
    Default();
}

// ---- timers ----

UINT_PTR Window::SetTimer(UINT_PTR id, UINT elapse, void*) {
    if (!IsWindow()) return 0;
    m_timers->Set(id, elapse);
    return id;
}

BOOL Window::KillTimer(UINT_PTR id) {
    return m_timers->Kill(id);
}

UINT Window::GetTimerPeriod(UINT_PTR id) const {
    return m_timers->Period(id);
}

BOOL Window::FireTimer(UINT_PTR id) {
    if (!IsWindow() || m_timers->Period(id) == 0) return FALSE;
    SendMessage(WM_TIMER, static_cast<WPARAM>(id), 0);
    return TRUE;
}

// ---- mouse capture ----

Window* Window::SetCapture() {
    Window* old = g_capture;
    g_capture = this;
    if (old && old != this) old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(this));
    return old;
}

bool Window::RouteMouseToCapture(QWidget* receiver, QEvent* event) {
    // While the holder handles an event handed to it below, Qt offers the
    // event (in a copy of its own) to the holder's parents when the holder
    // leaves it unaccepted: those copies must not be handed back again.
    static bool routing = false;
    if (routing) return false;
    Window* holder = g_capture;
    if (!holder || !holder->IsWindow()) return false;
    QWidget* client = holder->GetClientWidget();
    if (receiver == client) return false;
    // Qt cannot grab the pointer on every platform: the holder gets the
    // event here, at its own client coordinates.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF local = client->mapFromGlobal(mouse->globalPosition());
    QMouseEvent moved(mouse->type(), local, local, mouse->globalPosition(), mouse->button(),
                      mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
    routing = true;
    QCoreApplication::sendEvent(client, &moved);
    routing = false;
    return true;
}

Window* Window::GetCapture() {
    return g_capture;
}

void Window::DragAcceptFiles(BOOL accept) {
    m_acceptFiles = accept != FALSE;
    if (m_widget) m_widget->setAcceptDrops(m_acceptFiles);
}

// ---- free forms ----

BOOL IsWindow(const Window* window) {
    return window && window->IsWindow();
}

BOOL ReleaseCapture() {
    Window* old = g_capture;
    if (!old) return TRUE;
    g_capture = nullptr;
    old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

Window* GetCapture() {
    return Window::GetCapture();
}

Window* GetFocus() {
    return Window::GetFocus();
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    return KeyRouter::DispatchRouted(msg);
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    if (KeyRouter::TranslateRouted(msg)) return TRUE;
    if (msg->message != WM_KEYDOWN || !msg->hwnd) return FALSE;
    const UINT ch = CharFromVirtualKey(static_cast<UINT>(msg->wParam), GetKeyState(VK_SHIFT) < 0);
    if (ch == 0) return FALSE;
    return msg->hwnd->PostMessage(WM_CHAR, ch, msg->lParam);
}

} // namespace platform
