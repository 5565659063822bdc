#include "controls/edit.h"

#include "dnd/clipboard.h"
#include "base/text.h"
#include "window/windowhost.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
// The largest text a box holds when no limit is set.
constexpr int kNoLimit = 0x7FFFFFFE;

// A focused box takes Enter, Esc, Delete and every Ctrl chord as keys of its
// own: no window shortcut fires for them while it has the focus.
class BoxKeysBeforeShortcuts : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = (key->modifiers() & Qt::ControlModifier) != 0;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Delete:
            event->accept();
            break;
        default:
            if (ctrl) event->accept();
            break;
        }
        return false;
    }
};
} // namespace

BOOL Edit::Create(DWORD style, const Rect& rect, Window* parent, UINT id) {
    return Window::Create(style, rect, parent, id);
}

QWidget* Edit::CreateWidget(QWidget* parent) {
    auto* host = new WindowHost<QLineEdit>(this, parent);
    host->installEventFilter(new BoxKeysBeforeShortcuts(host));
    // The window may go before its widget: reach it through the widget.
    QObject::connect(host, &QLineEdit::textChanged, host, [host] {
        if (auto* edit = dynamic_cast<Edit*>(FromWidget(host))) edit->KeepLimit();
    });
    return host;
}

QLineEdit* Edit::LineEdit() const {
    return qobject_cast<QLineEdit*>(GetWidget());
}

void Edit::OnStyleChanged(DWORD oldStyle, DWORD oldExStyle) {
    Window::OnStyleChanged(oldStyle, oldExStyle);
    ApplyStyle();
}

void Edit::ApplyStyle() {
    QLineEdit* edit = LineEdit();
    if (!edit) return;
    const DWORD style = GetStyle();
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (style & ES_RIGHT)
        horizontal = Qt::AlignRight;
    else if (style & ES_CENTER)
        horizontal = Qt::AlignHCenter;
    edit->setAlignment(horizontal | Qt::AlignVCenter);
    edit->setReadOnly(style & ES_READONLY);
    edit->setFrame(style & WS_BORDER);
}

void Edit::LimitText(int maxBytes) {
    m_limit = maxBytes > 0 ? maxBytes : 0;
    KeepLimit();
}

UINT Edit::GetLimitText() const {
    return static_cast<UINT>(m_limit > 0 ? m_limit : kNoLimit);
}

void Edit::KeepLimit() {
    QLineEdit* edit = LineEdit();
    if (!edit) return;
    // Qt would cut a longer text at once; the limit only stops typing.
    const int limit = m_limit > 0 ? m_limit : kNoLimit;
    const int wanted = std::max<int>(limit, static_cast<int>(edit->text().size()));
    if (edit->maxLength() == wanted) return;
    // Qt puts the caret at the end when the limit changes: caret and
    // selection stay where they were.
    const int cursor = edit->cursorPosition();
    const int start = edit->selectionStart();
    const int length = edit->selectionLength();
    edit->setMaxLength(wanted);
    if (start >= 0 && length > 0)
        edit->setSelection(cursor == start ? start + length : start,
                           cursor == start ? -length : length);
    else
        edit->setCursorPosition(cursor);
}

void Edit::SetSel(int start, int end, BOOL) {
    QLineEdit* edit = LineEdit();
    if (!edit) return;
    const int length = static_cast<int>(edit->text().size());
    if (start < 0) {
        edit->deselect();
        return;
    }
    if (end < 0 || end > length) end = length;
    start = std::min(start, length);
    if (start >= end) {
        // An empty selection: only the caret moves.
        edit->deselect();
        edit->setCursorPosition(start);
        return;
    }
    if (start == 0 && end == length) {
        // Everything, with the caret at the start: the text's start stays in view.
        edit->setSelection(length, -length);
        return;
    }
    edit->setSelection(start, end - start);
}

void Edit::GetSel(int& start, int& end) const {
    start = end = 0;
    QLineEdit* edit = LineEdit();
    if (!edit) return;
    if (edit->hasSelectedText()) {
        start = edit->selectionStart();
        end = edit->selectionEnd();
    } else {
        start = end = edit->cursorPosition();
    }
}

DWORD Edit::GetSel() const {
    int start = 0, end = 0;
    GetSel(start, end);
    return static_cast<DWORD>(MAKELPARAM(start, end));
}

// From the current clipboard (clipboard.h); nothing for a read-only box or
// a clipboard without text.
void Edit::Paste() {
    QLineEdit* edit = LineEdit();
    if (!edit || edit->isReadOnly()) return;
    const QMimeData* data = CurrentClipboard().Data();
    if (!data || !data->hasText()) return;
    const int limit = m_limit > 0 ? m_limit : kNoLimit;
    edit->setMaxLength(limit); // a paste stops at the limit
    edit->insert(data->text());
    KeepLimit();
}

LRESULT Edit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    QLineEdit* edit = LineEdit();
    switch (message) {
    case WM_CREATE:
        ApplyStyle();
        break;
    case WM_SETTEXT:
        if (!edit) return FALSE;
        {
            const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            const QString value = FromLatin1Field(text, std::strlen(text));
            // Code may set a text longer than the limit.
            edit->setMaxLength(std::max<int>(edit->maxLength(), static_cast<int>(value.size())));
            edit->setText(value);
            KeepLimit();
        }
        return TRUE;
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!edit || !buffer || wParam == 0) return 0;
        return static_cast<LRESULT>(ToLatin1Field(edit->text(), buffer, wParam));
    }
    case WM_GETTEXTLENGTH:
        return edit ? static_cast<LRESULT>(edit->text().size()) : 0;
    case WM_KEYDOWN:
    case WM_CHAR:
        // Tab is no key of a one-line box: it neither moves the focus on
        // nor types (a dialog moves the focus before the box sees it), so
        // the WM_CHAR it makes reaches the box's OnChar.
        if (wParam == VK_TAB) return 0;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    default:
        break;
    }
    return Window::DefWindowProc(message, wParam, lParam);
}

} // namespace platform
