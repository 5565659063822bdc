#include "controls/scrollbarbridge.h"

#include "controls/scrollbarstate.h"
#include "window/window.h"

#include <QAbstractSlider>
#include <QScrollBar>

#include <memory>
#include <utility>

namespace platform {

namespace {

void Tell(const ScrollBarBridge& bridge, UINT message, UINT code, int pos) {
    if (Window* window = bridge.target ? bridge.target() : nullptr)
        window->SendMessage(message, MAKEWPARAM(code, static_cast<unsigned>(pos)), 0);
}

} // namespace

void BridgeScrollBar(QScrollBar* bar, UINT message, QObject* context, ScrollBarBridge bridge) {
    if (!bar || !context) return;
    // Where the thumb was dragged to; where it was taken when no drag moved it.
    auto track = std::make_shared<int>(bar->value());
    auto shared = std::make_shared<ScrollBarBridge>(std::move(bridge));
    QObject::connect(bar, &QAbstractSlider::sliderPressed, context,
                     [bar, track] { *track = bar->value(); });
    QObject::connect(
        bar, &QAbstractSlider::actionTriggered, context, [bar, message, track, shared](int action) {
            const int wanted = bar->sliderPosition();
            bar->setSliderPosition(bar->value());
            const UINT code = ScrollBarState::ScrollCodeOf(action);
            if (code == SB_THUMBTRACK) {
                *track = wanted;
                if (shared->keepTrackPos) shared->keepTrackPos(wanted);
            }
            Tell(*shared, message, code, code == SB_THUMBTRACK ? wanted : bar->value());
        });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, context, [message, track, shared] {
        Tell(*shared, message, SB_THUMBPOSITION, *track);
        Tell(*shared, message, SB_ENDSCROLL, 0);
    });
}

} // namespace platform
