// The control and frame styles the editor's dialog templates share. Every
// item is a child (WS_CHILD is implied); these add what each kind shows.
#pragma once

#include "base/messages.h"
#include "controls/button.h"
#include "controls/listdefs.h"
#include "controls/statictext.h"
#include "dialogs/dialogtemplate.h"

namespace dialogstyles {

using platform::DWORD;

// A dialog with a caption and a close box.
inline constexpr DWORD kFrame = platform::WS_CAPTION | platform::WS_SYSMENU;
// A label no code addresses (id IDC_STATIC).
inline constexpr DWORD kLabel = platform::WS_VISIBLE;
// A one-line edit box that scrolls its text.
inline constexpr DWORD kField =
    platform::WS_VISIBLE | platform::WS_BORDER | platform::WS_TABSTOP | platform::ES_AUTOHSCROLL;
// A drop-down list.
inline constexpr DWORD kDropList =
    platform::WS_VISIBLE | platform::WS_TABSTOP | platform::WS_VSCROLL | platform::CBS_DROPDOWNLIST;
// A push button, and the default one that Enter presses.
inline constexpr DWORD kPush = platform::WS_VISIBLE | platform::WS_TABSTOP;
inline constexpr DWORD kDefaultPush = kPush | platform::BS_DEFPUSHBUTTON;

} // namespace dialogstyles
