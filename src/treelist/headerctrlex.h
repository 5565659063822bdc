// The tree list's column header: it can mark one column as the sort column,
// which it then draws itself with an arrow pointing up (ascending) or down.
#pragma once

#include "controls/headercontrol.h"
#include "treetypes.h"

class CHeaderCtrlEx : public platform::HeaderControl {
  public:
    CHeaderCtrlEx();
    ~CHeaderCtrlEx() override;

    // Makes column the sort column, drawn with an arrow for the given
    // direction, and returns the sort column it had (-1 for none). The
    // previous sort column goes back to plain drawing; a column the header
    // does not have leaves no column marked.
    int SetSortImage(int column, BOOL ascending);

    // Paints an owner-drawn section: face, text and sort arrow. Other
    // records are ignored.
    void DrawItem(platform::DRAWITEMSTRUCT* dis) override;

  protected:
    int m_nSortCol = -1;
    BOOL m_bSortAsc = TRUE;
};
