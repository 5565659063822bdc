#include "controls/button.h"

#include "base/text.h"
#include "window/windowhost.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <type_traits>

namespace platform {

namespace {

// The click reaches the owner through the window the widget hosts; the window
// may be gone before its widget.
template <class Host> Host* Connected(Host* host) {
    QObject::connect(host, &QAbstractButton::clicked, host, [host] {
        if (Window* w = Window::FromWidget(host)) w->SendCommandToOwner(BN_CLICKED);
    });
    return host;
}

bool IsThreeState(DWORD kind) {
    return kind == BS_3STATE || kind == BS_AUTO3STATE;
}

// Check boxes and radio buttons without BS_AUTO... keep their state on a
// click: the owner sets it when it hears BN_CLICKED. A three-state box goes
// unchecked, checked, indeterminate, as the original's did.
template <class QtButton> class ButtonHost : public WindowHost<QtButton> {
  public:
    ButtonHost(Window* window, QWidget* parent, bool automatic)
        : WindowHost<QtButton>(window, parent), m_automatic(automatic) {}

  protected:
    void nextCheckState() override {
        if (!m_automatic) return;
        if constexpr (std::is_base_of_v<QCheckBox, QtButton>) {
            if (this->isTristate()) {
                const Qt::CheckState state = this->checkState();
                this->setCheckState(state == Qt::Unchecked ? Qt::Checked
                                    : state == Qt::Checked ? Qt::PartiallyChecked
                                                           : Qt::Unchecked);
                return;
            }
        }
        WindowHost<QtButton>::nextCheckState();
    }

  private:
    bool m_automatic;
};

} // namespace

BOOL Button::Create(const char* caption, DWORD style, const Rect& rect, Window* parent, UINT id) {
    return CreateEx(0, caption, style, rect, parent, id);
}

QWidget* Button::CreateWidget(QWidget* parent) {
    switch (Kind()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        const bool automatic = Kind() == BS_AUTOCHECKBOX || Kind() == BS_AUTO3STATE;
        auto* box = Connected(new ButtonHost<QCheckBox>(this, parent, automatic));
        box->setTristate(IsThreeState(Kind()));
        return box;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return Connected(new ButtonHost<QRadioButton>(this, parent, Kind() == BS_AUTORADIOBUTTON));
    case BS_GROUPBOX:
        return new WindowHost<QGroupBox>(this, parent);
    default: {
        auto* push = Connected(new WindowHost<QPushButton>(this, parent));
        push->setAutoDefault(false);
        push->setDefault(Kind() == BS_DEFPUSHBUTTON);
        return push;
    }
    }
}

QAbstractButton* Button::QtButton() const {
    return qobject_cast<QAbstractButton*>(GetWidget());
}

int Button::GetCheck() const {
    QAbstractButton* button = QtButton();
    if (!button || !button->isCheckable()) return BST_UNCHECKED;
    if (auto* box = qobject_cast<QCheckBox*>(button)) {
        switch (box->checkState()) {
        case Qt::Checked:
            return BST_CHECKED;
        case Qt::PartiallyChecked:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
        }
    }
    return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void Button::SetCheck(int check) {
    QAbstractButton* button = QtButton();
    if (!button || !button->isCheckable()) return;
    auto* box = qobject_cast<QCheckBox*>(button);
    if (box && check == BST_INDETERMINATE && box->isTristate()) {
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    button->setChecked(check != BST_UNCHECKED);
}

void Button::Click() {
    if (QAbstractButton* button = QtButton()) button->click();
}

void Button::SetOwnCaption(const char* utf8) {
    m_ownCaption = true;
    SetWindowText(utf8);
}

void Button::ShowText() {
    const QString value =
        m_ownCaption ? FromUtf8(GetWindowText().c_str()) : FromLatin1(GetWindowText());
    if (QAbstractButton* button = QtButton())
        button->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(GetWidget()))
        group->setTitle(value);
}

LRESULT Button::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        ShowText(); // the caption given to Create
        break;
    case WM_SETTEXT:
        Window::DefWindowProc(message, wParam, lParam); // keeps the bytes
        ShowText();
        return TRUE;
    case WM_GETDLGCODE:
        return Kind() == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : 0;
    default:
        break;
    }
    return Window::DefWindowProc(message, wParam, lParam);
}

} // namespace platform
