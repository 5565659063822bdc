#include "gridcell.h"

#include "gridctrl.h"
#include "inplaceedit.h"

#include "draw/dc.h"
#include "draw/fontcache.h"
#include "draw/screendc.h"
#include "base/trace.h"

#include <new>

using namespace platform;

namespace {
bool g_screenDcUnavailable = false;

CGridCellBase* MakeCell() {
    return new CGridCell;
}
CGridCellBase* MakeDefaultCell() {
    return new CGridDefaultCell;
}
} // namespace

// ---- CGridCell

CGridCell::CGridCell() {
    CGridCell::Reset();
}

CGridCell::~CGridCell() = default;

const GridCellClass* CGridCell::Class() {
    static const GridCellClass kClass{"CGridCell", CGridCellBase::Class(), &MakeCell};
    return &kClass;
}

void CGridCell::Reset() {
    CGridCellBase::Reset();
    m_strText.clear();
    m_nImage = -1;
    m_pGrid = nullptr;
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
    m_editAlive.reset();
    m_nFormat = kDefaultFormat;
    m_crBkClr = CLR_DEFAULT;
    m_crFgClr = CLR_DEFAULT;
    m_nMargin = kDefaultMargin;
    m_plfFont.reset();
}

void CGridCell::SetFont(const LOGFONT* plf) {
    if (!plf) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont) m_plfFont = std::make_unique<LOGFONT>();
    *m_plfFont = *plf;
}

DWORD CGridCell::GetFormat() const {
    if (m_nFormat != kDefaultFormat) return m_nFormat;
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFormat() : 0;
}

UINT CGridCell::GetMargin() const {
    if (m_nMargin != kDefaultMargin) return m_nMargin;
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetMargin() : 0;
}

LOGFONT* CGridCell::GetFont() const {
    if (m_plfFont) return m_plfFont.get();
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFont() : nullptr;
}

Font* CGridCell::GetFontObject() const {
    if (m_plfFont) return CachedFont(m_plfFont.get());
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFontObject() : nullptr;
}

Window* CGridCell::GetEditWnd() const {
    if (!m_pEditWnd || m_editAlive.expired()) return nullptr;
    return m_pEditWnd;
}

// TRUE always; an editor whose window could not be made is dropped and the
// cell stays as it was.
BOOL CGridCell::Edit(int nRow, int nCol, Rect rect, Point, UINT nID, UINT nChar) {
    if (!m_bEditing) {
        DWORD dwStyle = ES_LEFT;
        if (GetFormat() & DT_RIGHT)
            dwStyle = ES_RIGHT;
        else if (GetFormat() & DT_CENTER)
            dwStyle = ES_CENTER;
        CGridCtrl* pGrid = GetGrid();
        m_bEditing = TRUE;
        auto* pEdit = new CInPlaceEdit(pGrid, rect, dwStyle, nID, nRow, nCol, GetText(), nChar);
        if (!pEdit->IsWindow()) {
            delete pEdit;
            m_bEditing = FALSE;
            return TRUE;
        }
        // The editor may already have ended (a focus change during its
        // start): then the report has cleared the editing state.
        if (m_bEditing) {
            m_pEditWnd = pEdit;
            m_editAlive = pEdit->AliveToken();
        }
    } else if (Window* pEdit = GetEditWnd()) {
        pEdit->SendMessage(WM_CHAR, nChar);
    }
    return TRUE;
}

void CGridCell::EndEdit() {
    if (GetEditWnd()) m_pEditWnd->EndEdit();
}

void CGridCell::OnEndEdit() {
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
    m_editAlive.reset();
}

// ---- CGridDefaultCell

CGridDefaultCell::CGridDefaultCell() {
    m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    LOGFONT messageFont;
    GetMessageFont(&messageFont);
    CGridDefaultCell::SetFont(&messageFont);
}

const GridCellClass* CGridDefaultCell::Class() {
    static const GridCellClass kClass{"CGridDefaultCell", CGridCell::Class(), &MakeDefaultCell};
    return &kClass;
}

void CGridDefaultCell::SetData(LPARAM) {
    ASSERT(FALSE);
}

void CGridDefaultCell::SetState(DWORD) {
    ASSERT(FALSE);
}

void CGridDefaultCell::SetCoords(int, int) {
    ASSERT(FALSE);
}

void CGridDefaultCell::SetScreenDcUnavailable(bool unavailable) {
    g_screenDcUnavailable = unavailable;
}

void CGridDefaultCell::SetFont(const LOGFONT* plf) {
    ASSERT(plf != nullptr);
    if (!plf) return;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);
    CGridCell::SetFont(plf);

    if (g_screenDcUnavailable) {
        SetMargin(3);
        SetWidth(40);
        SetHeight(16);
        return;
    }
    // Margin one blank; size fourteen characters, the height half as much again.
    ScreenDc dc;
    Font* pOldFont = dc.SelectObject(&m_Font);
    SetMargin(static_cast<UINT>(dc.GetTextExtent(" ", 1).cx));
    const Size size = dc.GetTextExtent(" XXXXXXXXXXXX ", 14);
    SetWidth(size.cx);
    SetHeight(size.cy * 3 / 2);
    if (pOldFont) dc.SelectObject(pOldFont);
}

LOGFONT* CGridDefaultCell::GetFont() const {
    ASSERT(m_plfFont != nullptr);
    return m_plfFont.get();
}

Font* CGridDefaultCell::GetFontObject() const {
    ASSERT(m_Font.GetSafeHandle() != nullptr);
    return const_cast<Font*>(&m_Font);
}
