#include "dnd/droptarget.h"

#include "base/keystate.h"
#include "window/window.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QEvent>
#include <QObject>

namespace platform {

class DropTarget::Filter : public QObject {
  public:
    explicit Filter(DropTarget* target) : m_target(target) {}
    bool eventFilter(QObject*, QEvent* event) override { return m_target->HandleEvent(event); }

  private:
    DropTarget* m_target;
};

DropTarget::DropTarget() : m_filter(std::make_unique<Filter>(this)) {}

DropTarget::~DropTarget() {
    DropTarget::Revoke();
}

BOOL DropTarget::Register(Window* window) {
    if (m_window || !window || !window->IsWindow()) return FALSE;
    QWidget* client = window->GetClientWidget();
    if (!client) return FALSE;
    m_window = window;
    m_widget = client;
    m_lastEffect = DROPEFFECT_NONE;
    client->setAcceptDrops(true);
    client->installEventFilter(m_filter.get());
    return TRUE;
}

void DropTarget::Revoke() {
    if (m_widget) {
        m_widget->removeEventFilter(m_filter.get());
        m_widget->setAcceptDrops(false);
    }
    m_widget = nullptr;
    m_window = nullptr;
}

DROPEFFECT DropTarget::OnDragEnter(Window*, DataObject*, DWORD, Point) {
    return DROPEFFECT_NONE;
}

DROPEFFECT DropTarget::OnDragOver(Window*, DataObject*, DWORD, Point) {
    return DROPEFFECT_NONE;
}

BOOL DropTarget::OnDrop(Window*, DataObject*, DROPEFFECT, Point) {
    return FALSE;
}

void DropTarget::OnDragLeave(Window*) {}

DROPEFFECT DropTarget::OnDragScroll(Window*, DWORD, Point) {
    return DROPEFFECT_NONE;
}

void DropTarget::Answer(QDropEvent* event, bool entering) {
    DataObject data;
    data.Attach(event->mimeData());
    const DWORD keyState = DragKeyState(event->buttons(), event->modifiers());
    const Point point(event->position().toPoint());
    DROPEFFECT effect = OnDragScroll(m_window, keyState, point);
    if (!(effect & DROPEFFECT_SCROLL) && m_window)
        effect = entering ? OnDragEnter(m_window, &data, keyState, point)
                          : OnDragOver(m_window, &data, keyState, point);
    // Only what the source allows counts.
    const Qt::DropAction action = ToDropAction(effect);
    const bool allowed = action != Qt::IgnoreAction && (event->possibleActions() & action);
    m_lastEffect = allowed ? FromDropAction(action) : DROPEFFECT_NONE;
    if (allowed) {
        event->setDropAction(action);
        event->accept();
    } else {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    }
}

bool DropTarget::HandleEvent(QEvent* event) {
    if (!m_window) return false;
    switch (event->type()) {
    case QEvent::DragEnter:
        Answer(static_cast<QDropEvent*>(event), true);
        // The enter is taken whatever the answer, so that the moves follow.
        event->accept();
        return true;
    case QEvent::DragMove:
        Answer(static_cast<QDropEvent*>(event), false);
        return true;
    case QEvent::DragLeave:
        OnDragLeave(m_window);
        m_lastEffect = DROPEFFECT_NONE;
        event->accept();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const DROPEFFECT effect = m_lastEffect;
        m_lastEffect = DROPEFFECT_NONE;
        // A drop where the last answer refused it only leaves.
        if (effect == DROPEFFECT_NONE) {
            OnDragLeave(m_window);
            drop->ignore();
            return true;
        }
        DataObject data;
        data.Attach(drop->mimeData());
        if (OnDrop(m_window, &data, effect, Point(drop->position().toPoint()))) {
            drop->setDropAction(ToDropAction(effect));
            drop->accept();
        } else {
            drop->setDropAction(Qt::IgnoreAction);
            drop->ignore();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace platform
