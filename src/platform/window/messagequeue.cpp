#include "window/messagequeue.h"

#include "window/keyrouter.h"
#include "window/window.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <memory>

namespace platform {

namespace {

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
           message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
}

} // namespace

BOOL MessageQueue::Post(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window || !window->IsWindow() || !QCoreApplication::instance()) return FALSE;
    std::weak_ptr<bool> alive = window->m_alive;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [window, alive, message, wParam, lParam] {
            const std::shared_ptr<bool> token = alive.lock();
            if (!token || !*token || !window->IsWindow()) return;
            MSG msg;
            msg.hwnd = window;
            msg.message = message;
            msg.wParam = wParam;
            msg.lParam = lParam;
            if (!IsKeyMessage(message)) {
                window->SendMessage(message, wParam, lParam);
                return;
            }
            if (KeyRouter::RunHooks(&msg) || !*token) return;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        },
        Qt::QueuedConnection);
    return TRUE;
}

} // namespace platform
