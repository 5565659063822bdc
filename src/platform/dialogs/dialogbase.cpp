#include "dialogs/dialogbase.h"

#include "controls/button.h"
#include "dialogs/dataexchange.h"
#include "dialogs/dialogtemplate.h"
#include "dialogs/dialogunits.h"
#include "base/trace.h"
#include "window/mainwnd.h"
#include "window/windowhost.h"

#include <QDialog>
#include <QEventLoop>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {

DialogBase::ModalHook& Hook() {
    static DialogBase::ModalHook hook;
    return hook;
}

// The dialog's widget. Qt's own ways of ending a dialog (Escape, Enter
// without a default button) become the dialog's commands; only EndDialog
// ends it.
class DialogHost : public WindowHost<QDialog> {
  public:
    using WindowHost<QDialog>::WindowHost;

    void accept() override { Command(IDOK); }
    void reject() override { Command(IDCANCEL); }
    void done(int) override {}

  private:
    void Command(int id) {
        if (Window* w = HostedWindow())
            w->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), 0);
    }
};

} // namespace

DialogBase::DialogBase(UINT templateId, Window* parent)
    : m_templateId(templateId), m_parentWnd(parent) {
    MapCommand(IDOK, [this] { OnOK(); });
    MapCommand(IDCANCEL, [this] { OnCancel(); });
}

DialogBase::~DialogBase() {
    // A modeless dialog deleted while shown: its window goes first, with the
    // handlers of this class still in place.
    if (IsWindow()) DestroyWindow();
}

DialogBase::ModalHook DialogBase::SetModalHook(ModalHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

QWidget* DialogBase::OwnerWidget() const {
    if (m_parentWnd && m_parentWnd->IsWindow() && m_parentWnd->GetWidget())
        return m_parentWnd->GetWidget()->window();
    return m_ownerWidget.data();
}

// A dialog without a parent window belongs to the program's main window (or
// the modal dialog above it): the window manager keeps it over that window.
QWidget* DialogBase::CreateWidget(QWidget* parent) {
    m_ownerWidget = parent ? nullptr : DefaultOwnerWidget();
    auto* host = new DialogHost(this, parent ? parent : m_ownerWidget.data());
    host->setFocusPolicy(Qt::NoFocus);
    return host;
}

// Creates the window and its controls and runs OnInitDialog. FALSE (nothing
// left) when the window cannot be created.
BOOL DialogBase::CreateDialogWindow() {
    if (IsWindow()) return FALSE;
    m_ended = false;
    m_result = IDCANCEL;
    if (!CreateEx(0, nullptr, WS_POPUP, Rect(0, 0, 0, 0),
                  m_parentWnd && m_parentWnd->IsWindow() ? m_parentWnd : nullptr, 0))
        return FALSE;
    const std::weak_ptr<CommandTarget*> alive = Lifetime();
    CreateControls();
    if (alive.expired() || !IsWindow()) return FALSE;
    QWidget* widget = GetWidget();
    if (widget->width() == 0 || widget->height() == 0) {
        // No size from the template: room for every control and a margin.
        const QRect used = widget->childrenRect();
        widget->resize(used.right() + 8, used.bottom() + 8);
    }
    SendMessage(WM_INITDIALOG);
    return alive.expired() ? FALSE : TRUE;
}

// Shows the dialog centred over its owner (the screen without one).
void DialogBase::ShowDialog() {
    QWidget* widget = GetWidget();
    if (!widget) return;
    QRect over;
    if (QWidget* owner = OwnerWidget(); owner && owner->isVisible())
        over = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    if (over.isValid()) widget->move(over.center() - widget->rect().center());
    widget->show();
    widget->raise();
    widget->activateWindow();
}

int DialogBase::DoModal() {
    const std::weak_ptr<CommandTarget*> alive = Lifetime();
    if (!CreateDialogWindow()) return -1;
    if (!m_ended && IsWindow()) {
        // Modal to its owner; one without an owner blocks every window.
        GetWidget()->setWindowModality(OwnerWidget() ? Qt::WindowModal : Qt::ApplicationModal);
        ShowDialog();
        if (Hook()) {
            Hook()(*this);
            if (alive.expired()) return -1;
            if (!m_ended) {
                TRACE("Modal hook returned without ending dialog %u", m_templateId);
                ASSERT(m_ended);
                m_result = IDCANCEL;
            }
        } else {
            QEventLoop loop;
            m_loop = &loop;
            loop.exec(QEventLoop::DialogExec);
            m_loop = nullptr;
            if (alive.expired()) return -1;
        }
    }
    if (IsWindow()) DestroyWindow();
    return m_result;
}

BOOL DialogBase::Create(UINT templateId, Window* parent) {
    if (IsWindow()) return FALSE;
    m_templateId = templateId;
    m_parentWnd = parent;
    if (!CreateDialogWindow()) return FALSE;
    if (!m_ended && IsWindow()) ShowDialog();
    return TRUE;
}

void DialogBase::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (QWidget* widget = GetWidget()) widget->hide();
    if (m_loop) m_loop->exit(result);
}

BOOL DialogBase::UpdateData(BOOL saveAndValidate) {
    const bool ok = RunDataExchange(this, saveAndValidate != FALSE,
                                    [this](DataExchange* pDX) { DoDataExchange(pDX); });
    if (!ok) TRACE("UpdateData failed: the dialog stays open");
    return ok ? TRUE : FALSE;
}

void DialogBase::SetDlgItemText(int id, const char* text) {
    if (Window* control = GetDlgItem(id)) control->SetWindowText(text);
}

Rect DialogBase::MapDialogRect(const Rect& dialogUnits) const {
    const QWidget* widget = GetWidget();
    return DialogUnitsToPixels(widget ? widget->font() : QFont(), dialogUnits);
}

void DialogBase::SetDialogSize(int cxDialogUnits, int cyDialogUnits) {
    const Rect size = MapDialogRect(Rect(0, 0, cxDialogUnits, cyDialogUnits));
    if (QWidget* widget = GetWidget()) widget->resize(size.Width(), size.Height());
}

BOOL DialogBase::CreateFromTemplate(const DialogTemplate& dialogTemplate,
                                    std::initializer_list<std::pair<UINT, Window*>> members) {
    const auto memberFor = [members](UINT id) -> Window* {
        for (const auto& [memberId, control] : members)
            if (memberId == id) return control;
        return nullptr;
    };
    const BOOL made = CreateTemplateControls(
        *this, dialogTemplate, memberFor,
        [this](const Rect& dialogUnits) { return MapDialogRect(dialogUnits); }, m_owned);
    ApplyDialogFrame(*this, dialogTemplate);
    return made;
}

BOOL DialogBase::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void DialogBase::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void DialogBase::OnCancel() {
    EndDialog(IDCANCEL);
}

void DialogBase::DoDataExchange(DataExchange*) {}

BOOL DialogBase::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (Window::OnCommand(wParam, lParam)) return TRUE;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), CommandCall::Run, nullptr) ? TRUE : FALSE;
}

LRESULT DialogBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    return Window::WindowProc(message, wParam, lParam);
}

LRESULT DialogBase::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return Window::DefWindowProc(message, wParam, lParam);
}

void DialogBase::OnNcDestroy() {
    Window::OnNcDestroy();
    // The template's own controls go with the window; a modal loop still
    // running (the window destroyed from elsewhere) ends.
    m_owned.clear();
    if (m_loop) m_loop->exit(m_result);
}

} // namespace platform
