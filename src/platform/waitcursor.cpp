#include "waitcursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

namespace {
int g_depth = 0;
}

WaitCursor::WaitCursor() {
    if (!QGuiApplication::instance()) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown_ = true;
    ++g_depth;
}

WaitCursor::~WaitCursor() {
    if (!shown_) return;
    QGuiApplication::restoreOverrideCursor();
    --g_depth;
}

int WaitCursor::Depth() {
    return g_depth;
}

} // namespace platform
