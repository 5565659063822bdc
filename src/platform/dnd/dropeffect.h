// What a drag does with its data (DROPEFFECT_), and the same as Qt's drop
// actions. The scroll bit only tells that the target is scrolling; Qt has no
// action for it.
#pragma once

#include "base/messages.h"

#include <Qt>

namespace platform {

using DROPEFFECT = DWORD;

constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

// Every action the effects name (the scroll bit is left out).
Qt::DropActions ToDropActions(DROPEFFECT effects);
// The one action a single effect names; copy before move before link when
// more than one is set; Qt::IgnoreAction for none.
Qt::DropAction ToDropAction(DROPEFFECT effect);
// The effect of a finished drag or of a target's answer. A target that took
// the data over itself (Qt::TargetMoveAction) leaves the source nothing to
// delete: DROPEFFECT_NONE, as for an ignored drag.
DROPEFFECT FromDropAction(Qt::DropAction action);

} // namespace platform
