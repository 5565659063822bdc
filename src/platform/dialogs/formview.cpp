#include "dialogs/formview.h"

#include "draw/brush.h"
#include "controls/button.h"
#include "controls/combobox.h"
#include "dialogs/dataexchange.h"
#include "draw/dc.h"
#include "dialogs/dialogunits.h"
#include "base/drawconstants.h"
#include "controls/edit.h"
#include "window/paintdc.h"
#include "controls/statictext.h"
#include "draw/syscolors.h"

#include <QAbstractItemView>

#include <QAbstractButton>
#include <QComboBox>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// The colours a control asks for, by its class and style; 0 for a control
// that asks for none.
UINT CtlColorKind(const Window& control) {
    if (dynamic_cast<const Static*>(&control)) return CTLCOLOR_STATIC;
    if (dynamic_cast<const Edit*>(&control)) return CTLCOLOR_EDIT;
    if (dynamic_cast<const ComboBox*>(&control)) return CTLCOLOR_LISTBOX;
    if (dynamic_cast<const Button*>(&control)) {
        const DWORD kind = control.GetStyle() & BS_TYPEMASK;
        // Check boxes, radio buttons and group boxes draw like labels.
        return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON ? CTLCOLOR_BTN : CTLCOLOR_STATIC;
    }
    return 0;
}

// The widget's background and text in the two colours.
void ShowColors(QWidget* widget, COLORREF back, COLORREF text) {
    if (!widget) return;
    QPalette palette = widget->palette();
    // A radio button or check box paints its label over the Button role and
    // keeps its indicator in the Base role, white as the system draws it.
    const bool indicator = qobject_cast<QAbstractButton*>(widget) != nullptr;
    palette.setColor(QPalette::Window, ToQColor(back));
    palette.setColor(indicator ? QPalette::Button : QPalette::Base, ToQColor(back));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, ToQColor(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

FormView::FormView(const DialogTemplate& form) : m_form(form) {}

FormView::~FormView() {
    if (IsWindow()) DestroyWindow();
}

BOOL FormView::Create(Window* parent, UINT id) {
    if (IsWindow()) return FALSE;
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPED;
    if (!Window::Create(style, Rect(0, 0, 0, 0), parent, id)) return FALSE;
    const Size size = GetTemplateSize();
    GetWidget()->resize(size.cx, size.cy);
    if (!CreateControls()) {
        DestroyWindow();
        return FALSE;
    }
    ApplyCtlColors();
    return TRUE;
}

BOOL FormView::CreateControls() {
    const QFont font = GetWidget()->font();
    return CreateTemplateControls(
        *this, m_form, [this](UINT id) { return ControlFor(id); },
        [&font](const Rect& dialogUnits) { return DialogUnitsToPixels(font, dialogUnits); },
        m_owned);
}

Size FormView::GetTemplateSize() const {
    const QFont font = GetWidget() ? GetWidget()->font() : QFont();
    const Rect size = DialogUnitsToPixels(font, Rect(0, 0, m_form.cx, m_form.cy));
    return Size(size.Width(), size.Height());
}

void FormView::ResizeParentToFit() {
    Window* parent = GetParent();
    if (!IsWindow() || !parent || !parent->IsWindow()) return;
    Rect client;
    parent->GetClientRect(&client);
    const Size size = GetTemplateSize();
    const int width = std::min(client.Width(), size.cx);
    const int height = std::min(client.Height(), size.cy);
    if (width == client.Width() && height == client.Height()) return;
    QWidget* frame = parent->GetWidget();
    QWidget* area = parent->GetClientWidget();
    // The frame keeps its border around the smaller client area.
    frame->resize(frame->width() - (area->width() - width),
                  frame->height() - (area->height() - height));
}

void FormView::OnInitialUpdate() {
    UpdateData(FALSE);
}

BOOL FormView::UpdateData(BOOL saveAndValidate) {
    return RunDataExchange(this, saveAndValidate != FALSE,
                           [this](DataExchange* pDX) { DoDataExchange(pDX); })
               ? TRUE
               : FALSE;
}

Window* FormView::ControlFor(UINT) {
    return nullptr;
}

void FormView::DoDataExchange(DataExchange*) {}

Brush* FormView::OnCtlColor(Dc*, Window*, UINT) {
    return nullptr;
}

void FormView::ApplyCtlColors() {
    QWidget* widget = GetWidget();
    if (!widget) return;
    for (QObject* child : widget->children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        Window* control = childWidget ? Window::FromWidget(childWidget) : nullptr;
        const UINT kind = control ? CtlColorKind(*control) : 0;
        if (kind == 0 || kind == CTLCOLOR_BTN) continue;
        Dc dc(static_cast<QPaintDevice*>(nullptr));
        const Brush* brush = OnCtlColor(&dc, control, kind);
        if (!brush || brush->IsNull()) continue;
        if (auto* combo = dynamic_cast<ComboBox*>(control)) {
            // The colours of a combo box's list.
            if (QComboBox* box = combo->Combo())
                ShowColors(box->view(), brush->Color(), dc.GetTextColor());
            continue;
        }
        ShowColors(control->GetWidget(), brush->Color(), dc.GetTextColor());
    }
    Invalidate(TRUE);
}

void FormView::OnPaint() {
    PaintDc dc(this);
    OnDraw(&dc);
}

BOOL FormView::OnEraseBkgnd(Dc* pDC) {
    if (!pDC) return FALSE;
    Rect client;
    GetClientRect(&client);
    Dc colors(static_cast<QPaintDevice*>(nullptr));
    Brush* brush = OnCtlColor(&colors, this, CTLCOLOR_DLG);
    if (brush && !brush->IsNull()) {
        pDC->FillRect(client, brush);
    } else {
        pDC->FillSolidRect(client, GetSysColor(COLOR_3DFACE));
    }
    return TRUE;
}

BOOL FormView::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (Window::OnCommand(wParam, lParam)) return TRUE;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), CommandCall::Run, nullptr) ? TRUE : FALSE;
}

void FormView::OnNcDestroy() {
    Window::OnNcDestroy();
    m_owned.clear();
}

} // namespace platform
