// The expand button of one tree-list row: a small box centred on the row's
// tree line at its indent, showing a plus for a collapsed node and a minus
// for an expanded one, laid out as the platform's tree branches are. The
// geometry serves both the drawing and the click test; a button made
// without a drawing context only measures.
#pragma once

#include "draw/dc.h"
#include "draw/treebranch.h"
#include "base/geometry.h"
#include "treetypes.h"

class CSuperGridCtrl;

class CExpandButton {
  public:
    // The button of a node of the given indent on the tree column's row
    // rectangle row, sized from the control's icon size.
    CExpandButton(CSuperGridCtrl* control, platform::Dc* dc, int indent, const platform::Rect& row);

    // The box: filled with the control's button brush, outlined with its box
    // pen. Nothing without a context.
    void DrawBox();
    // The sign's horizontal stroke and, for the plus, its vertical one, with
    // the control's sign pen. Nothing without a context.
    void DrawPlus();
    void DrawMinus();

    platform::Rect GetButtonRect() const { return m_rect; }
    BOOL HitTest(platform::Point point) const { return m_rect.PtInRect(point) ? TRUE : FALSE; }
    int GetCenterX() const { return m_centerX; }

  private:
    void DrawStroke(const platform::BranchRun& stroke);

    CSuperGridCtrl* m_control;
    platform::Dc* m_dc;
    int m_centerX;
    int m_centerY;
    platform::Rect m_rect;
};

// Draws a tree-branch run with the context's pen. LineTo leaves out its end
// point, so the line is taken one pixel past the run's end (a run that ends
// before it starts is drawn back from its start, as LineTo draws it).
void DrawBranchRun(platform::Dc* dc, const platform::BranchRun& run);
