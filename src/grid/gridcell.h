// The standard cell, which holds every attribute and falls back to its
// default cell for those it leaves at default, and the default cell, which
// supplies them and the default row and column size.
#pragma once

#include "gridcellbase.h"

#include "draw/font.h"

#include <memory>

class CInPlaceEdit;
#include <string>

class CGridCell : public CGridCellBase {
  public:
    CGridCell();
    ~CGridCell() override;
    // Assignment copies the attributes (CopyAttributes).
    using CGridCellBase::operator=;
    CGridCell& operator=(const CGridCell& cell) {
        CGridCellBase::operator=(cell);
        return *this;
    }

    static const GridCellClass* Class();
    const GridCellClass* GetRuntimeClass() const override { return Class(); }

    void SetText(LPCTSTR szText) override { m_strText = szText ? szText : ""; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextClr(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackClr(COLORREF clr) override { m_crBkClr = clr; }
    // A copy of the description; null drops the cell's own font.
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }
    void SetCoords(int, int) override {}

    LPCTSTR GetText() const override { return m_strText.c_str(); }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    // Own value, else the default cell's; 0 without a grid.
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override { return m_crFgClr; }
    COLORREF GetBackClr() const override { return m_crBkClr; }
    // Own font, else the default cell's; null without a grid.
    LOGFONT* GetFont() const override;
    // The shared font object of the own description (valid at least until
    // the next call), else the default cell's; null without a grid.
    platform::Font* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    // Null once the editor has closed and deleted itself.
    platform::Window* GetEditWnd() const override;
    // Own margin, else the default cell's; 0 without a grid.
    UINT GetMargin() const override;

    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    // Every attribute back to default; the item data stays.
    void Reset() override;

    // Opens the in-place editor over rect (TRUE), or gives an open one the
    // character.
    BOOL Edit(int nRow, int nCol, platform::Rect rect, platform::Point point, UINT nID,
              UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

  protected:
    // Marker values that mean "take the default cell's".
    static constexpr DWORD kDefaultFormat = 0xFFFFFFFF;
    static constexpr UINT kDefaultMargin = 0xFFFFFFFF;

    std::string m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = kDefaultFormat;
    COLORREF m_crFgClr = platform::CLR_DEFAULT;
    COLORREF m_crBkClr = platform::CLR_DEFAULT;
    std::unique_ptr<LOGFONT> m_plfFont;
    UINT m_nMargin = kDefaultMargin;
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    // The editor deletes itself when it closes: the token tells whether the
    // pointer still holds.
    CInPlaceEdit* m_pEditWnd = nullptr;
    std::weak_ptr<const bool> m_editAlive;
};

class CGridDefaultCell : public CGridCell {
  public:
    CGridDefaultCell();

    static const GridCellClass* Class();
    const GridCellClass* GetRuntimeClass() const override { return Class(); }

    // A default cell has no data, state or place of its own: assertion, no change.
    void SetData(LPARAM lParam) override;
    void SetState(DWORD nState) override;
    void SetCoords(int nRow, int nCol) override;
    // Always read-only.
    DWORD GetState() const override { return CGridCell::GetState() | CELL_READONLY; }

    // Makes the font object and measures margin, width and height with it
    // (see MeasureFor). Null: assertion, no change.
    void SetFont(const LOGFONT* plf) override;
    LOGFONT* GetFont() const override;
    platform::Font* GetFontObject() const override;

    virtual int GetExtraValue() const { return m_nExtraValue; }
    virtual void SetExtraValue(int nValue) { m_nExtraValue = nValue; }
    virtual int GetWidth() const { return m_nWidth; }
    virtual int GetHeight() const { return m_nHeight; }
    virtual void SetWidth(int nWidth) { m_nWidth = nWidth; }
    virtual void SetHeight(int nHeight) { m_nHeight = nHeight; }

    // Test switch: measure as if no screen context could be had.
    static void SetScreenDcUnavailable(bool unavailable);

  private:
    int m_nWidth = 30;
    int m_nHeight = 10;
    platform::Font m_Font;
    int m_nExtraValue = 0;
};
