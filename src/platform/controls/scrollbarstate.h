// One scroll bar's range, page and position kept by the original platform's
// rules (the page at most the range, the position at most max - (page - 1)),
// shown on a Qt scroll bar when one is attached. The Qt bar only displays the
// state: what the user does with it is reported as a scroll code, and the
// position moves only when the owner sets it.
#pragma once

#include "controls/scrollinfo.h"

#include <QPointer>
#include <QScrollBar>

namespace platform {

class ScrollBarState {
  public:
    // What a change of range or page asks of the bar's visibility.
    enum class Visibility { Keep, Show, Hide };

    // Takes the fields fMask names and clamps page and position; returns what
    // the bar should do. Never fails.
    Visibility SetScrollInfo(const SCROLLINFO& info);
    // Fills the fields info->fMask names; FALSE (nothing filled) for a null
    // info or a mask without any field.
    bool GetScrollInfo(SCROLLINFO* info) const;
    // Clamps pos into the range; returns the position before.
    int SetPos(int pos);
    int GetPos() const { return m_info.nPos; }
    // The position a thumb drag has reached (read back with SIF_TRACKPOS;
    // the position when not dragging).
    void SetTrackPos(int pos) { m_info.nTrackPos = pos; }
    // The highest position the page allows: max - max(page - 1, 0), not below min.
    int MaxPos() const;

    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }
    bool IsEnabled() const { return m_enabled; }

    // Shows the state on bar from now on (null detaches).
    void Attach(QScrollBar* bar);
    // Puts range, page step, position and enabled state on the attached bar.
    void Mirror() const;

    // The scroll code of a Qt slider action (SB_ENDSCROLL for none).
    static UINT ScrollCodeOf(int sliderAction);

  private:
    SCROLLINFO m_info;
    bool m_shown = false;
    bool m_enabled = true;
    QPointer<QScrollBar> m_bar;
};

} // namespace platform
