// Constants of the list and header controls, with the values the callers
// store and compare: item states, search flags, rectangle kinds, styles and
// column formats.
#pragma once

#include "base/messages.h"

#include <cstdint>

namespace platform {

// Item data as the list hands it out: pointer-sized.
using DWORD_PTR = std::uintptr_t;

// Item states beyond the focus, selection, cut, drop-highlight and state
// image bits the message records name.
constexpr unsigned LVIS_OVERLAYMASK = 0x0F00;
constexpr unsigned INDEXTOSTATEIMAGEMASK(unsigned index) {
    return (index & 0xF) << 12;
}
constexpr unsigned STATEIMAGEMASKTOINDEX(unsigned state) {
    return (state & LVIS_STATEIMAGEMASK) >> 12;
}

// GetNextItem: which rows match (states), and in which direction to search.
constexpr unsigned LVNI_ALL = 0x0000;
constexpr unsigned LVNI_FOCUSED = 0x0001;
constexpr unsigned LVNI_SELECTED = 0x0002;
constexpr unsigned LVNI_CUT = 0x0004;
constexpr unsigned LVNI_DROPHILITED = 0x0008;
constexpr unsigned LVNI_ABOVE = 0x0100;
constexpr unsigned LVNI_BELOW = 0x0200;

// GetItemRect / GetSubItemRect: which part of the row.
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

// Window styles of the list.
constexpr unsigned LVS_REPORT = 0x0001;
constexpr unsigned LVS_SINGLESEL = 0x0004;
constexpr unsigned LVS_SHOWSELALWAYS = 0x0008;
constexpr unsigned LVS_SHAREIMAGELISTS = 0x0040;
constexpr unsigned LVS_OWNERDRAWFIXED = 0x0400;
constexpr unsigned LVS_NOCOLUMNHEADER = 0x4000;
constexpr unsigned LVS_NOSORTHEADER = 0x8000;

// Extended styles of the list.
constexpr unsigned LVS_EX_GRIDLINES = 0x0001;
constexpr unsigned LVS_EX_SUBITEMIMAGES = 0x0002;
constexpr unsigned LVS_EX_CHECKBOXES = 0x0004;
constexpr unsigned LVS_EX_HEADERDRAGDROP = 0x0010;
constexpr unsigned LVS_EX_FULLROWSELECT = 0x0020;

// Columns: which fields of a column record are valid, and the text alignment.
constexpr unsigned LVCF_FMT = 0x0001;
constexpr unsigned LVCF_WIDTH = 0x0002;
constexpr unsigned LVCF_TEXT = 0x0004;
constexpr unsigned LVCF_SUBITEM = 0x0008;
constexpr unsigned LVCF_ORDER = 0x0020;
constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr int LVCFMT_JUSTIFYMASK = 0x0003;

// Image lists of a list.
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

// Header window styles: sections that press like buttons; a hidden header.
constexpr unsigned HDS_BUTTONS = 0x0002;
constexpr unsigned HDS_HIDDEN = 0x0008;

// Header items: which fields are valid, and the item format.
constexpr unsigned HDI_WIDTH = 0x0001;
constexpr unsigned HDI_TEXT = 0x0002;
constexpr unsigned HDI_FORMAT = 0x0004;
constexpr unsigned HDI_LPARAM = 0x0008;
constexpr unsigned HDI_ORDER = 0x0080;
constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_STRING = 0x4000;
constexpr int HDF_OWNERDRAW = 0x8000;

} // namespace platform
