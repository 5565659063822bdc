// The drawing constants the user interface passes to the drawing calls, with
// the values the original platform gives them (callers keep some of them in
// records, such as a cell's text format).
#pragma once

namespace platform {

using UINT = unsigned int;

// Text formats of DrawText.
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_EXTERNALLEADING = 0x200;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x2;
constexpr UINT ETO_CLIPPED = 0x4;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawEdge borders and flags.
constexpr UINT BDR_RAISEDOUTER = 0x1;
constexpr UINT BDR_SUNKENOUTER = 0x2;
constexpr UINT BDR_RAISEDINNER = 0x4;
constexpr UINT BDR_SUNKENINNER = 0x8;
constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1;
constexpr UINT BF_TOP = 0x2;
constexpr UINT BF_RIGHT = 0x4;
constexpr UINT BF_BOTTOM = 0x8;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x800;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;

// DrawFrameControl kinds and states.
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFCS_SCROLLUP = 0x0;
constexpr UINT DFCS_SCROLLDOWN = 0x1;
constexpr UINT DFCS_INACTIVE = 0x100;
constexpr UINT DFCS_PUSHED = 0x200;
constexpr UINT DFCS_FLAT = 0x4000;

// Image list drawing styles and creation flags.
constexpr UINT ILD_NORMAL = 0x0;
constexpr UINT ILD_TRANSPARENT = 0x1;
constexpr UINT ILD_BLEND25 = 0x2;
constexpr UINT ILD_BLEND50 = 0x4;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILC_COLOR = 0x0;
constexpr UINT ILC_MASK = 0x1;
constexpr UINT ILC_COLOR24 = 0x18;
constexpr UINT ILC_COLOR32 = 0x20;

// Raster operations of PatBlt and BitBlt.
constexpr unsigned long SRCCOPY = 0x00CC0020;
constexpr unsigned long PATCOPY = 0x00F00021;
constexpr unsigned long DSTINVERT = 0x00550009;
constexpr unsigned long BLACKNESS = 0x00000042;
constexpr unsigned long WHITENESS = 0x00FF0062;

// System colours (GetSysColor).
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;

// System metrics (GetSystemMetrics).
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;

// Font weights, character sets, precisions, qualities and families.
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr unsigned char ANSI_CHARSET = 0;
constexpr unsigned char DEFAULT_CHARSET = 1;
constexpr unsigned char OUT_DEFAULT_PRECIS = 0;
constexpr unsigned char OUT_CHARACTER_PRECIS = 2;
constexpr unsigned char CLIP_DEFAULT_PRECIS = 0;
constexpr unsigned char CLIP_CHARACTER_PRECIS = 1;
constexpr unsigned char DEFAULT_QUALITY = 0;
constexpr unsigned char NONANTIALIASED_QUALITY = 3;
constexpr unsigned char DEFAULT_PITCH = 0x0;
constexpr unsigned char FIXED_PITCH = 0x1;
constexpr unsigned char VARIABLE_PITCH = 0x2;
constexpr unsigned char FF_DONTCARE = 0x00;
constexpr unsigned char FF_ROMAN = 0x10;
constexpr unsigned char FF_SWISS = 0x20;
constexpr unsigned char FF_MODERN = 0x30;

// Device capabilities (GetDeviceCaps).
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ANISOTROPIC = 8;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// Stock objects (GetStockPen, GetStockBrush).
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

// Clip box results (GetClipBox).
constexpr int ERROR_REGION = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

} // namespace platform
