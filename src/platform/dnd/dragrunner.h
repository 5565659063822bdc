// Runs a drag of data from a widget until it is dropped or given up, and
// returns what the target did with it. Everything goes through the current
// runner: Qt's drag by default, a function of its own in a test, which must
// not block.
#pragma once

#include "dnd/dropeffect.h"

#include <QMimeData>

#include <functional>
#include <memory>

class QWidget;

namespace platform {

// source: the widget the drag starts from; allowed: the effects the source
// allows. Returns the effect of the drop, DROPEFFECT_NONE when there was none.
using DragRunner =
    std::function<DROPEFFECT(QWidget* source, std::unique_ptr<QMimeData> data, DROPEFFECT allowed)>;

// Installs a runner (an empty one: Qt's drag) and returns the previous one
// (empty for Qt's drag).
DragRunner InstallDragRunner(DragRunner runner);
// Runs the drag through the current runner.
DROPEFFECT RunDrag(QWidget* source, std::unique_ptr<QMimeData> data, DROPEFFECT allowed);

} // namespace platform
