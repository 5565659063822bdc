#include "expandbutton.h"

#include "supergridctrl.h"

CExpandButton::CExpandButton(CSuperGridCtrl* control, platform::Dc* dc, int indent,
                             const platform::Rect& row)
    : m_control(control), m_dc(dc) {
    const int cx = control ? control->m_cxImage : 0;
    const int cy = control ? control->m_cyImage : 0;
    // The box is half an icon and three pixels on each side, centred where
    // the node's tree line meets the middle of its icon.
    const int width = cx / 2 + 3;
    const int height = cy / 2 + 3;
    m_centerX = indent * cx + row.left - cx / 2;
    m_centerY = cx / 2 + row.top + (row.Height() - cy) / 2;
    m_rect = platform::BranchButtonBox(platform::Point(m_centerX, m_centerY), width, height);
}

void CExpandButton::DrawBox() {
    if (!m_dc || !m_control) return;
    platform::Brush* oldBrush = m_dc->SelectObject(&m_control->m_brushErase);
    platform::Pen* oldPen = m_dc->SelectObject(&m_control->m_psRectangle);
    m_dc->Rectangle(m_rect);
    m_dc->SelectObject(oldPen);
    m_dc->SelectObject(oldBrush);
}

void CExpandButton::DrawPlus() {
    DrawStroke(platform::BranchPlusStroke(platform::Point(m_centerX, m_centerY)));
    DrawMinus();
}

void CExpandButton::DrawMinus() {
    DrawStroke(platform::BranchMinusStroke(platform::Point(m_centerX, m_centerY)));
}

void CExpandButton::DrawStroke(const platform::BranchRun& stroke) {
    if (!m_dc || !m_control) return;
    platform::Pen* oldPen = m_dc->SelectObject(&m_control->m_psPlusMinus);
    DrawBranchRun(m_dc, stroke);
    m_dc->SelectObject(oldPen);
}

void DrawBranchRun(platform::Dc* dc, const platform::BranchRun& run) {
    if (!dc) return;
    const bool across = run.from.y == run.to.y;
    dc->MoveTo(run.from.x, run.from.y);
    dc->LineTo(run.to.x + (across ? 1 : 0), run.to.y + (across ? 0 : 1));
}
