#include "dialogs/dialogtemplate.h"

#include "base/trace.h"
#include "controls/button.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/listcontrol.h"
#include "controls/progressctrl.h"
#include "controls/statictext.h"
#include "dialogs/dialogbase.h"

#include <QWidget>

namespace platform {

const DialogItemTemplate* FindDialogItem(const DialogTemplate& dialogTemplate, UINT id) {
    for (const DialogItemTemplate& item : dialogTemplate.items)
        if (item.id == id) return &item;
    return nullptr;
}

// Makes the control; it is shown with the dialog when WS_VISIBLE says so.
BOOL CreateDialogItem(DialogBase& dialog, const DialogItemTemplate& item, Window& control) {
    const Rect place =
        dialog.MapDialogRect(Rect(item.x, item.y, item.x + item.cx, item.y + item.cy));
    return CreateTemplateItem(dialog, place, item, control);
}

namespace {

// Creates control, when it is a T, by make; FALSE when it is another class.
template <class T, class Make> BOOL CreateAs(Window& control, const Make& make) {
    auto* typed = dynamic_cast<T*>(&control);
    return typed ? make(*typed) : FALSE;
}

} // namespace

BOOL CreateTemplateItem(Window& parent, const Rect& place, const DialogItemTemplate& item,
                        Window& control) {
    const DWORD style = item.style | WS_CHILD;
    // Statics and buttons show the item's text; the others take none.
    const auto withText = [&](auto& typed) {
        return typed.Create(item.text, style, place, &parent, item.id);
    };
    const auto plain = [&](auto& typed) { return typed.Create(style, place, &parent, item.id); };
    BOOL made = FALSE;
    switch (item.itemClass) {
    case DialogItemClass::Static:
        made = CreateAs<Static>(control, withText);
        break;
    case DialogItemClass::Button:
        made = CreateAs<Button>(control, withText);
        break;
    case DialogItemClass::ComboBox:
        made = CreateAs<ComboBox>(control, plain);
        break;
    case DialogItemClass::Progress:
        made = CreateAs<ProgressCtrl>(control, plain);
        break;
    case DialogItemClass::Edit:
        made = CreateAs<Edit>(control, plain);
        break;
    case DialogItemClass::ListView:
        made = CreateAs<ListControl>(control, plain);
        break;
    }
    if (!made) return FALSE;
    if (!(item.style & WS_VISIBLE)) control.ShowWindow(SW_HIDE);
    return TRUE;
}

std::unique_ptr<Window> MakeTemplateControl(DialogItemClass itemClass) {
    switch (itemClass) {
    case DialogItemClass::Static:
        return std::make_unique<Static>();
    case DialogItemClass::Button:
        return std::make_unique<Button>();
    case DialogItemClass::ComboBox:
        return std::make_unique<ComboBox>();
    case DialogItemClass::Progress:
        return std::make_unique<ProgressCtrl>();
    case DialogItemClass::Edit:
        return std::make_unique<Edit>();
    case DialogItemClass::ListView:
        return std::make_unique<ListControl>();
    }
    return std::make_unique<Static>();
}

BOOL CreateTemplateControls(Window& parent, const DialogTemplate& dialogTemplate,
                            const TemplateMemberFor& memberFor, const DialogUnitsMapper& toPixels,
                            std::vector<std::unique_ptr<Window>>& owned) {
    BOOL all = TRUE;
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        Window* control = memberFor ? memberFor(item.id) : nullptr;
        if (!control) {
            owned.push_back(MakeTemplateControl(item.itemClass));
            control = owned.back().get();
        }
        const Rect place = toPixels(Rect(item.x, item.y, item.x + item.cx, item.y + item.cy));
        if (!CreateTemplateItem(parent, place, item, *control)) {
            TRACE("Template %u: control %u not made", dialogTemplate.id, item.id);
            all = FALSE;
        }
    }
    return all;
}

void ApplyDialogFrame(DialogBase& dialog, const DialogTemplate& dialogTemplate) {
    QWidget* widget = dialog.GetWidget();
    if (!widget) return;
    dialog.SetWindowText(dialogTemplate.caption);
    const Rect size = dialog.MapDialogRect(Rect(0, 0, dialogTemplate.cx, dialogTemplate.cy));
    widget->resize(size.Width(), size.Height());
    if (!(dialogTemplate.style & WS_MINIMIZEBOX) && !(dialogTemplate.exStyle & WS_EX_APPWINDOW))
        return;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dialogTemplate.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (dialogTemplate.exStyle & WS_EX_APPWINDOW) {
        flags &= ~Qt::Dialog;
        flags |= Qt::Window;
    }
    const bool visible = widget->isVisible();
    widget->setWindowFlags(flags);
    if (visible) widget->show();
}

} // namespace platform
