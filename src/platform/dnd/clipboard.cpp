#include "dnd/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <utility>

namespace platform {

namespace {
Clipboard g_system;
Clipboard* g_current = &g_system;
} // namespace

const QMimeData* Clipboard::Data() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->mimeData() : nullptr;
}

BOOL Clipboard::SetData(std::unique_ptr<QMimeData> data) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!data || !clipboard) return FALSE;
    clipboard->setMimeData(data.release());
    return TRUE;
}

BOOL MemoryClipboard::SetData(std::unique_ptr<QMimeData> data) {
    if (!data) return FALSE;
    m_data = std::move(data);
    return TRUE;
}

Clipboard* InstallClipboard(Clipboard* clipboard) {
    Clipboard* previous = g_current == &g_system ? nullptr : g_current;
    g_current = clipboard ? clipboard : &g_system;
    return previous;
}

Clipboard& CurrentClipboard() {
    return *g_current;
}

} // namespace platform
