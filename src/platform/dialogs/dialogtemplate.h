// A dialog template as data: the caption, the size in dialog units, the frame
// styles, and the controls with their class, text, id, place (dialog units)
// and styles. A dialog's CreateControls makes each control from its item,
// into the member that holds it or a control of the item's class that the
// dialog owns, and then applies the frame (DialogBase::CreateFromTemplate).
#pragma once

#include "base/geometry.h"
#include "base/messages.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform {

class DialogBase;
class Window;

// Frame styles of a dialog template (a minimise box shares its bit with
// WS_GROUP, as it does in the original).
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

enum class DialogItemClass { Static, Button, ComboBox, Progress, Edit, ListView };

struct DialogItemTemplate {
    DialogItemClass itemClass = DialogItemClass::Static;
    const char* text = "";
    UINT id = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    DWORD style = 0;                  // WS_CHILD is implied
};

struct DialogTemplate {
    UINT id = 0;
    const char* caption = "";
    int cx = 0, cy = 0; // dialog units
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT menuId = 0;
    std::vector<DialogItemTemplate> items;
};

// The item with this control id, or null.
const DialogItemTemplate* FindDialogItem(const DialogTemplate& dialogTemplate, UINT id);

// Makes control (a Static, Button, ComboBox, ProgressCtrl, Edit or
// ListControl as the item's class says) as the dialog's child at the item's
// place. FALSE, with nothing made, when control is of another class or
// cannot be created.
BOOL CreateDialogItem(DialogBase& dialog, const DialogItemTemplate& item, Window& control);
// The same as a child of any window (a form) at a place given in pixels.
BOOL CreateTemplateItem(Window& parent, const Rect& place, const DialogItemTemplate& item,
                        Window& control);

// A new control of the item class, for an item that no member holds.
std::unique_ptr<Window> MakeTemplateControl(DialogItemClass itemClass);

// The member that holds a template's control id; null leaves the control to
// the template.
using TemplateMemberFor = std::function<Window*(UINT id)>;
// Dialog units to pixels, as the window measures them.
using DialogUnitsMapper = std::function<Rect(const Rect& dialogUnits)>;

// Makes every item of the template, in order, as a child of parent at its
// place: into the member memberFor gives for the item's id, else into a new
// control of the item's class that owned keeps. An item that cannot be made
// is left out with a trace; the rest are still made, and the result is FALSE.
BOOL CreateTemplateControls(Window& parent, const DialogTemplate& dialogTemplate,
                            const TemplateMemberFor& memberFor, const DialogUnitsMapper& toPixels,
                            std::vector<std::unique_ptr<Window>>& owned);

// Caption and client size in dialog units, and what the template adds to a
// plain dialog frame (a caption and a close box): a minimise box with
// WS_MINIMIZEBOX; with WS_EX_APPWINDOW the dialog stands alone (it is not the
// transient of another window), so it has a place in the task bar. Run
// before the dialog is shown.
void ApplyDialogFrame(DialogBase& dialog, const DialogTemplate& dialogTemplate);

} // namespace platform
