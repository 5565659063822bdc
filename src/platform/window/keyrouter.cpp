#include "window/keyrouter.h"

#include "base/keys.h"
#include "window/window.h"
#include "window/windowhost.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

#include <memory>

namespace platform {

namespace {

// The key event being routed now, for a hook's TranslateMessage.
struct Routed {
    QKeyEvent* event = nullptr;
    QWidget* receiver = nullptr;
    MSG msg;
    bool translated = false;
};
Routed* g_routed = nullptr;
// The event being handed to Qt: the router lets it pass.
QEvent* g_bypass = nullptr;

LPARAM KeyLParam(const QKeyEvent* event, bool release) {
    // Repeat count 1; bit 30 the previous state, bit 31 a release.
    constexpr LPARAM kRepeatOne = 1;
    constexpr LPARAM kWasDown = LPARAM{1} << 30;
    constexpr LPARAM kReleasing = LPARAM{1} << 31;
    LPARAM l = kRepeatOne;
    if (release || event->isAutoRepeat()) l |= kWasDown;
    if (release) l |= kReleasing;
    return l;
}

QPushButton* DefaultButton(QWidget* widget) {
    QWidget* top = widget->window();
    for (QPushButton* b : top->findChildren<QPushButton*>())
        if (b->isDefault() && b->isVisible() && b->isEnabled()) return b;
    return nullptr;
}

} // namespace

void KeyRouter::Install() {
    static KeyRouter* router = nullptr;
    if (router || !qApp) return;
    router = new KeyRouter;
    router->setParent(qApp);
    qApp->installEventFilter(router);
}

BOOL KeyRouter::RunHooks(MSG* msg) {
    Window* w = msg->hwnd;
    while (w) {
        std::shared_ptr<bool> alive = w->m_alive;
        Window* parent = w->GetParent();
        if (w->PreTranslateMessage(msg)) return TRUE;
        if (!*alive) return FALSE;
        w = parent;
    }
    return FALSE;
}

BOOL KeyRouter::TranslateRouted(const MSG* msg) {
    // The hook may have changed the key; only the kind of message must match.
    if (!g_routed || msg->message != g_routed->msg.message) return FALSE;
    g_routed->translated = true;
    return TRUE;
}

void KeyRouter::DeliverToQt(QWidget* receiver, QKeyEvent* event, bool receiverIsHost) {
    QEvent* saved = g_bypass;
    g_bypass = event;
    if (receiverIsHost) {
        // The host's own class only: a key dispatched to a window goes to no
        // other window, as on the original platform.
        if (HostBase* host = dynamic_cast<HostBase*>(receiver)) host->BaseEvent(event, false);
    } else {
        // A pop-up acts on some keys as shortcuts (a list's Enter and Esc):
        // it gets the key in that form first, as Qt would have given it.
        bool taken = false;
        if (event->type() == QEvent::KeyPress && receiver->window()->windowType() == Qt::Popup) {
            QKeyEvent asShortcut(QEvent::ShortcutOverride, event->key(), event->modifiers(),
                                 event->text(), event->isAutoRepeat(), event->count());
            asShortcut.ignore();
            g_bypass = &asShortcut;
            QCoreApplication::sendEvent(receiver, &asShortcut);
            g_bypass = event;
            taken = asShortcut.isAccepted();
        }
        if (!taken) QCoreApplication::sendEvent(receiver, event);
    }
    g_bypass = saved;
}

LRESULT KeyRouter::DispatchRouted(const MSG* msg) {
    Window* w = msg->hwnd;
    if (!w || !w->IsWindow()) return 0;
    if (!g_routed || w != g_routed->msg.hwnd)
        return w->SendMessage(msg->message, msg->wParam, msg->lParam);
    return w->DispatchQtMessage(g_routed->event, g_routed->receiver, false, msg->message,
                                msg->wParam, msg->lParam);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (event == g_bypass) return false;
        RecordInputState(event);
        if (!watched->isWidgetType()) return false;
        return Route(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride: {
        // Keys in a window's pop-up (a combo box's open list) wait for the
        // key road: Qt's list would otherwise act on Enter before any hook.
        if (event == g_bypass || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (widget->window()->windowType() != Qt::Popup ||
            VirtualKeyFromQt(key->key(), key->modifiers()) == 0)
            return false;
        Window* owner = Window::FromWidgetOrAncestor(widget);
        if (!owner || !owner->IsWindow()) return false;
        event->accept();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        RecordInputState(event);
        return watched->isWidgetType() &&
               Window::RouteMouseToCapture(static_cast<QWidget*>(watched), event);
    default:
        return false;
    }
}

bool KeyRouter::Route(QWidget* receiver, QKeyEvent* event) {
    // A window's own widget, or a pop-up the window opened (its keys are
    // the window's). Plain Qt widgets keep Qt's own key handling.
    Window* target = Window::FromWidget(receiver);
    if (!target && receiver->window()->windowType() == Qt::Popup)
        target = Window::FromWidgetOrAncestor(receiver);
    if (!target || !target->IsWindow()) return false;
    const UINT vk = VirtualKeyFromQt(event->key(), event->modifiers());
    if (vk == 0) return false;
    const bool press = event->type() == QEvent::KeyPress;
    const bool alt = (event->modifiers() & Qt::AltModifier) || vk == VK_MENU;

    Routed routed;
    routed.event = event;
    routed.receiver = receiver;
    routed.msg.hwnd = target;
    routed.msg.message =
        press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    routed.msg.wParam = vk;
    routed.msg.lParam = KeyLParam(event, !press);
    Routed* outer = g_routed;
    g_routed = &routed;
    std::shared_ptr<bool> alive = target->m_alive;
    MSG msg = routed.msg;

    bool done = RunHooks(&msg) != FALSE;
    // The window the message goes to, taken before the dialog keys below,
    // whose handlers may delete it (a dialog that deletes itself on Esc).
    std::shared_ptr<bool> hwndAlive =
        msg.hwnd == target ? alive : (msg.hwnd ? msg.hwnd->m_alive : nullptr);
    if (!done && *alive && msg.hwnd == target && press && !alt) {
        // Tab and Enter a window does not ask for belong to the dialog.
        const bool tab = msg.wParam == VK_TAB && vk == VK_TAB;
        const bool enter = msg.wParam == VK_RETURN && vk == VK_RETURN;
        const bool escape = msg.wParam == VK_ESCAPE && vk == VK_ESCAPE;
        if (tab || enter || escape) {
            const UINT code = static_cast<UINT>(
                target->SendMessage(WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)));
            if (tab && !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
                DeliverToQt(receiver, event, false);
                done = true;
            } else if (enter && !(code & DLGC_WANTALLKEYS)) {
                // A focused push button takes Enter for itself; otherwise the
                // dialog's default button does.
                auto* focused = qobject_cast<QPushButton*>(receiver);
                if (focused && !focused->isEnabled()) focused = nullptr;
                if (QPushButton* button = focused ? focused : DefaultButton(receiver)) {
                    button->click();
                    done = true;
                } else if (auto* dialog = qobject_cast<QDialog*>(receiver->window())) {
                    // No default button: the dialog's OK.
                    dialog->accept();
                    done = true;
                }
            } else if (escape && !(code & DLGC_WANTALLKEYS)) {
                if (auto* dialog = qobject_cast<QDialog*>(receiver->window())) {
                    DeliverToQt(dialog, event, false); // the dialog cancels
                    done = true;
                }
            }
        }
    }
    if (!done && hwndAlive && *hwndAlive) {
        routed.translated = true; // the message loop translates what it dispatches
        DispatchRouted(&msg);
    }
    if (press && routed.translated && !alt && hwndAlive && *hwndAlive && msg.hwnd->IsWindow()) {
        if (const UINT ch = CharFromKeyEvent(event)) {
            MSG charMsg;
            charMsg.hwnd = msg.hwnd;
            charMsg.message = WM_CHAR;
            charMsg.wParam = ch;
            charMsg.lParam = routed.msg.lParam;
            routed.msg = charMsg;
            if (!RunHooks(&charMsg) && *hwndAlive) DispatchRouted(&charMsg);
        }
    }
    g_routed = outer;
    event->accept();
    return true;
}

} // namespace platform
