// The records by which the grid reports to its owner (WM_NOTIFY), the code
// of its own notification, and the bits of a cell's state and of a full cell
// description.
#pragma once

#include "cellid.h"
#include "gridtypes.h"

#include <string>

// Sent after the selection and the focus cell were cleared.
constexpr UINT GRIDN_SELRESET = 1027;

// Cell state bits.
constexpr UINT CELL_FOCUSED = 0x01;
constexpr UINT CELL_SELECTED = 0x02;
constexpr UINT CELL_DROPHILITED = 0x04;
constexpr UINT CELL_READONLY = 0x08;
constexpr UINT CELL_FIXED = 0x10;
constexpr UINT CELL_FIXEDROW = 0x20;
constexpr UINT CELL_FIXEDCOL = 0x40;
constexpr UINT CELL_MODIFIED = 0x80;

// Which fields of a GRIDITEM are meaningful.
constexpr UINT GRIDITEM_TEXT = 0x001;
constexpr UINT GRIDITEM_IMAGE = 0x002;
constexpr UINT GRIDITEM_PARAM = 0x004;
constexpr UINT GRIDITEM_STATE = 0x008;
constexpr UINT GRIDITEM_BKCLR = 0x010;
constexpr UINT GRIDITEM_FGCLR = 0x020;
constexpr UINT GRIDITEM_FORMAT = 0x040;
constexpr UINT GRIDITEM_FONT = 0x080;
constexpr UINT GRIDITEM_MARGIN = 0x100;
constexpr UINT GRIDITEM_ALL = 0xFFFFFFFF;

// A cell event: the header, then the cell.
struct NMGRIDCELL {
    platform::NMHDR hdr;
    int iRow = -1;
    int iColumn = -1;
};

// Everything about one cell.
struct GRIDITEM {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT nState = 0;
    UINT nFormat = 0;
    int iImage = -1;
    COLORREF crBkClr = platform::CLR_DEFAULT;
    COLORREF crFgClr = platform::CLR_DEFAULT;
    LPARAM lParam = 0;
    LOGFONT lfFont;
    UINT nMargin = 0;
    std::string strText;
};

// The end of an in-place edit and the virtual-mode display request.
struct NMGRIDITEM {
    platform::NMHDR hdr;
    GRIDITEM item;
};

// Virtual mode: the block about to be drawn or measured.
struct NMGRIDCACHEHINT {
    platform::NMHDR hdr;
    CCellSpan range;
};
