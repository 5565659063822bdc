#include "controls/scrollbarstate.h"

#include "base/messages.h"

#include <QAbstractSlider>
#include <QSignalBlocker>

#include <algorithm>

namespace platform {

ScrollBarState::Visibility ScrollBarState::SetScrollInfo(const SCROLLINFO& info) {
    bool changed = false;
    if ((info.fMask & SIF_PAGE) && m_info.nPage != info.nPage) {
        m_info.nPage = info.nPage;
        changed = true;
    }
    if (info.fMask & SIF_POS) m_info.nPos = info.nPos;
    if (info.fMask & SIF_RANGE) {
        // An inverted range collapses onto its minimum.
        const int max = std::max(info.nMin, info.nMax);
        if (m_info.nMin != info.nMin || m_info.nMax != max) changed = true;
        m_info.nMin = info.nMin;
        m_info.nMax = max;
    }
    const long long span = static_cast<long long>(m_info.nMax) - m_info.nMin + 1;
    if (static_cast<long long>(m_info.nPage) > span) m_info.nPage = static_cast<UINT>(span);
    m_info.nPos = std::clamp(m_info.nPos, m_info.nMin, MaxPos());
    m_info.nTrackPos = m_info.nPos;

    Visibility visibility = Visibility::Keep;
    if (info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        const bool needed = m_info.nMin < MaxPos();
        if (!needed) {
            if (info.fMask & SIF_DISABLENOSCROLL)
                m_enabled = false;
            else if (changed)
                visibility = Visibility::Hide;
        } else if (info.fMask != SIF_PAGE && changed) {
            m_enabled = true;
            visibility = Visibility::Show;
        } else {
            m_enabled = true;
        }
    }
    Mirror();
    return visibility;
}

bool ScrollBarState::GetScrollInfo(SCROLLINFO* info) const {
    if (!info || !(info->fMask & SIF_ALL)) return false;
    if (info->fMask & SIF_RANGE) {
        info->nMin = m_info.nMin;
        info->nMax = m_info.nMax;
    }
    if (info->fMask & SIF_PAGE) info->nPage = m_info.nPage;
    if (info->fMask & SIF_POS) info->nPos = m_info.nPos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = m_info.nTrackPos;
    return true;
}

int ScrollBarState::MaxPos() const {
    const int pageRest = std::max(static_cast<int>(m_info.nPage) - 1, 0);
    return std::max(m_info.nMin, m_info.nMax - pageRest);
}

int ScrollBarState::SetPos(int pos) {
    const int old = m_info.nPos;
    m_info.nPos = std::clamp(pos, m_info.nMin, MaxPos());
    m_info.nTrackPos = m_info.nPos;
    Mirror();
    return old;
}

void ScrollBarState::Attach(QScrollBar* bar) {
    m_bar = bar;
    Mirror();
}

void ScrollBarState::Mirror() const {
    if (!m_bar) return;
    // The bar only shows the state: its own signals must not act on it.
    const QSignalBlocker block(m_bar.data());
    m_bar->setRange(m_info.nMin, MaxPos());
    m_bar->setPageStep(std::max(1, static_cast<int>(m_info.nPage)));
    m_bar->setSingleStep(1);
    m_bar->setValue(m_info.nPos);
    m_bar->setEnabled(m_enabled);
}

UINT ScrollBarState::ScrollCodeOf(int sliderAction) {
    switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    default:
        return SB_ENDSCROLL;
    }
}

} // namespace platform
