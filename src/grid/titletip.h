// A small borderless pop-up that shows the whole text of a cell too narrow
// for it, exactly over the cell, in the cell's font and colours. While shown
// it holds the mouse; a click or key on it goes on to the window underneath
// (double clicks included) or to its parent and hides it, so that for the
// user the tip is transparent. Leaving the hover rectangle hides it too.
#pragma once

#include "gridtypes.h"

#include "window/tipwindow.h"

class CTitleTip : public platform::TipWindow {
  public:
    CTitleTip();
    ~CTitleTip() override;

    // Makes the tip window for pParentWnd, the window whose keys and clicks
    // the tip passes on; TRUE when it exists (already or now). A null parent
    // is an assertion and FALSE.
    virtual BOOL Create(platform::Window* pParentWnd);
    // Remembers the parent without making the window (Show makes it).
    void SetParentWnd(platform::Window* pParentWnd) { m_pParentWnd = pParentWnd; }
    // Shows lpszTitleText over rectTitle (the parent's client coordinates)
    // until the mouse leaves lpHoverRect (rectTitle when null). CLR_DEFAULT
    // for a colour keeps the tip's own. Nothing for an empty rectangle, while
    // the tip is shown, or when no window has the keyboard focus.
    void Show(platform::Rect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0,
              const platform::Rect* lpHoverRect = nullptr, const LOGFONT* lpLogFont = nullptr,
              COLORREF crTextClr = platform::CLR_DEFAULT,
              COLORREF crBackClr = platform::CLR_DEFAULT);
    // Nothing without a window.
    void Hide();
    // A later Create builds the window again.
    BOOL DestroyWindow();

    // Clicks go on to the window under the point, keys to the parent; both
    // hide the tip first.
    BOOL PreTranslateMessage(platform::MSG* pMsg) override;

    // For tests: where the tip keeps the mouse, in its client coordinates.
    platform::Rect GetHoverRect() const { return m_rectHover; }

  protected:
    void OnMouseMove(UINT nFlags, platform::Point point) override;
    void OnNcDestroy() override;

  private:
    // Posts the mouse message to the window under screenPoint (the parent
    // when that is the tip), at that window's client coordinates; FALSE when
    // no window is there. Every point counts as client area: Qt tells no frame.
    BOOL PassOn(UINT message, platform::WPARAM wParam, platform::Point screenPoint);

    platform::Window* m_pParentWnd = nullptr;
    platform::Rect m_rectTitle;
    platform::Rect m_rectHover;
    // No left press seen yet: the first one is a single press whatever the
    // tick count.
    static constexpr DWORD kNoPress = 0xFFFFFFFF;
    DWORD m_dwLastLButtonDown = kNoPress;
    UINT m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;
};
