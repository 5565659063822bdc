// A progress bar: a position within a range, drawn as a filled bar without a
// percentage text.
#pragma once

#include "window/window.h"

class QProgressBar;

namespace platform {

class ProgressCtrl : public Window {
  public:
    // FALSE, with no window made, when it exists already or the parent is gone.
    BOOL Create(DWORD style, const Rect& rect, Window* parent, UINT id);

    // An empty or reversed range is kept as lower..lower.
    void SetRange(int lower, int upper);
    // Clamped into the range; returns the previous position (0 without a window).
    int SetPos(int pos);
    int GetPos() const;

    // Null without a window.
    QProgressBar* Bar() const;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    bool PaintsNatively() const override { return true; }

  private:
    int m_lower = 0;
    int m_upper = 100;
};

} // namespace platform
