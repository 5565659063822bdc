#include "controls/statictext.h"

#include "base/text.h"
#include "window/windowhost.h"

#include <QLabel>

namespace platform {

BOOL Static::Create(const char* text, DWORD style, const Rect& rect, Window* parent, UINT id) {
    return CreateEx(0, text, style, rect, parent, id);
}

QWidget* Static::CreateWidget(QWidget* parent) {
    auto* label = new WindowHost<QLabel>(this, parent);
    // Texts are shown as they are: no rich text, no mnemonics.
    label->setTextFormat(Qt::PlainText);
    switch (GetStyle() & SS_TYPEMASK) {
    case SS_CENTER:
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    case SS_RIGHT:
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        break;
    default:
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    }
    return label;
}

QLabel* Static::Label() const {
    return qobject_cast<QLabel*>(GetWidget());
}

void Static::ShowText() {
    if (QLabel* label = Label()) label->setText(FromLatin1(GetWindowText()));
}

LRESULT Static::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        ShowText();
        break;
    case WM_SETTEXT:
        Window::DefWindowProc(message, wParam, lParam);
        ShowText();
        return TRUE;
    default:
        break;
    }
    return Window::DefWindowProc(message, wParam, lParam);
}

} // namespace platform
