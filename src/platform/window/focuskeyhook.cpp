#include "window/focuskeyhook.h"

#include "base/keys.h"
#include "window/window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

FocusKeyHook::FocusKeyHook(Window* hook) : m_hook(hook) {
    // Filters installed later run first: this one comes before the key road.
    if (qApp) qApp->installEventFilter(this);
}

FocusKeyHook::~FocusKeyHook() {
    Stop();
}

void FocusKeyHook::Stop() {
    m_hook = nullptr;
    if (qApp) qApp->removeEventFilter(this);
}

bool FocusKeyHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !m_hook)
        return QObject::eventFilter(watched, event);
    // Only the key's own delivery to the focus widget, not the copies Qt
    // hands to its parents.
    if (watched != QApplication::focusWidget()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const UINT vk = VirtualKeyFromQt(key->key(), key->modifiers());
    if (vk == 0) return false;
    // Repeat count 1; bit 30 set for an auto-repeated key.
    constexpr LPARAM kRepeatOne = 1;
    constexpr LPARAM kWasDown = LPARAM{1} << 30;
    MSG msg;
    msg.hwnd = m_hook;
    msg.message = (key->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = kRepeatOne | (key->isAutoRepeat() ? kWasDown : 0);
    // The hook may end the object that holds this filter.
    if (!m_hook->PreTranslateMessage(&msg)) return false;
    event->accept();
    return true;
}

} // namespace platform
