#include "dnd/dropeffect.h"

namespace platform {

namespace {
struct EffectAction {
    DROPEFFECT effect;
    Qt::DropAction action;
};
// In order of preference when an answer names more than one.
constexpr EffectAction kEffects[] = {
    {DROPEFFECT_COPY, Qt::CopyAction},
    {DROPEFFECT_MOVE, Qt::MoveAction},
    {DROPEFFECT_LINK, Qt::LinkAction},
};
} // namespace

Qt::DropActions ToDropActions(DROPEFFECT effects) {
    Qt::DropActions actions;
    for (const EffectAction& e : kEffects)
        if (effects & e.effect) actions |= e.action;
    return actions;
}

Qt::DropAction ToDropAction(DROPEFFECT effect) {
    for (const EffectAction& e : kEffects)
        if (effect & e.effect) return e.action;
    return Qt::IgnoreAction;
}

DROPEFFECT FromDropAction(Qt::DropAction action) {
    for (const EffectAction& e : kEffects)
        if (action == e.action) return e.effect;
    return DROPEFFECT_NONE;
}

} // namespace platform
