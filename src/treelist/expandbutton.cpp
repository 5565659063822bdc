#include "expandbutton.h"

#include "supergridctrl.h"

namespace {

// The sign's strokes reach this far from the centre (the end point is
// excluded, so the far arm is one pixel longer in the call).
constexpr int kSignArm = 2;

} // namespace

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
    const int left = m_centerX - width / 2;
    const int top = m_centerY - height / 2;
    m_rect = platform::Rect(left, top, left + width, top + height);
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
    DrawStroke(m_centerX, m_centerY - kSignArm, m_centerX, m_centerY + kSignArm + 1);
    DrawMinus();
}

void CExpandButton::DrawMinus() {
    DrawStroke(m_centerX - kSignArm, m_centerY, m_centerX + kSignArm + 1, m_centerY);
}

void CExpandButton::DrawStroke(int fromX, int fromY, int toX, int toY) {
    if (!m_dc || !m_control) return;
    platform::Pen* oldPen = m_dc->SelectObject(&m_control->m_psPlusMinus);
    m_dc->MoveTo(fromX, fromY);
    m_dc->LineTo(toX, toY);
    m_dc->SelectObject(oldPen);
}
