// Where a part of a Qt scroll bar lies (its thumb, its arrows), as the bar's
// style lays it out: for tests that press the bar with the mouse.
#pragma once

#include <QRect>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

// The part's rectangle in the bar's coordinates; empty when the style shows
// no such part.
inline QRect ScrollBarPart(const QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}
