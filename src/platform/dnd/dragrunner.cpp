#include "dnd/dragrunner.h"

#include <QDrag>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace platform {

namespace {
DragRunner g_runner;

// Qt's drag, in its own event loop until the drop. Without a source widget
// there is nothing to drag from.
DROPEFFECT RunQtDrag(QWidget* source, std::unique_ptr<QMimeData> data, DROPEFFECT allowed) {
    if (!source || !data) return DROPEFFECT_NONE;
    QPointer<QDrag> drag = new QDrag(source);
    drag->setMimeData(data.release());
    // A plain drag moves; Qt turns it into a copy while Ctrl is held.
    const Qt::DropActions actions = ToDropActions(allowed);
    const Qt::DropAction preferred =
        (actions & Qt::MoveAction) ? Qt::MoveAction : ToDropAction(allowed);
    const Qt::DropAction done = drag->exec(actions, preferred);
    if (drag) drag->deleteLater();
    return FromDropAction(done);
}
} // namespace

DragRunner InstallDragRunner(DragRunner runner) {
    return std::exchange(g_runner, std::move(runner));
}

DROPEFFECT RunDrag(QWidget* source, std::unique_ptr<QMimeData> data, DROPEFFECT allowed) {
    if (g_runner) return g_runner(source, std::move(data), allowed);
    return RunQtDrag(source, std::move(data), allowed);
}

} // namespace platform
