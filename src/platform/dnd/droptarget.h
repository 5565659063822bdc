// A window's place for drops: once registered, drags over the window's
// client area reach the target's callbacks with the data, the key state (MK_
// flags) and the point in client coordinates, and its answers become Qt's.
// As a drag goes on: scroll, then enter (or over, on each move) unless the
// scroll answer has the scroll bit; leave when the drag goes elsewhere or
// ends on a place the last answer refused; drop with the last answer's effect.
#pragma once

#include "dnd/dataobject.h"
#include "dnd/dropeffect.h"
#include "base/geometry.h"
#include "base/messages.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QDropEvent;
class QEvent;

namespace platform {

class Window;

class DropTarget {
  public:
    DropTarget();
    virtual ~DropTarget();
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    // FALSE when this target is registered already or window has no window.
    BOOL Register(Window* window);
    // Nothing more reaches the target; the window no longer takes drops.
    virtual void Revoke();
    BOOL IsRegistered() const { return m_window != nullptr; }

    // The callbacks; the defaults refuse everything.
    virtual DROPEFFECT OnDragEnter(Window* pWnd, DataObject* pDataObject, DWORD dwKeyState,
                                   Point point);
    virtual DROPEFFECT OnDragOver(Window* pWnd, DataObject* pDataObject, DWORD dwKeyState,
                                  Point point);
    virtual BOOL OnDrop(Window* pWnd, DataObject* pDataObject, DROPEFFECT dropEffect, Point point);
    virtual void OnDragLeave(Window* pWnd);
    virtual DROPEFFECT OnDragScroll(Window* pWnd, DWORD dwKeyState, Point point);

  private:
    class Filter;
    // True for the drag events it took.
    bool HandleEvent(QEvent* event);
    // Scroll, then enter or over; answers the event and keeps the effect.
    void Answer(QDropEvent* event, bool entering);

    Window* m_window = nullptr;
    QPointer<QWidget> m_widget;
    std::unique_ptr<Filter> m_filter;
    DROPEFFECT m_lastEffect = DROPEFFECT_NONE;
};

} // namespace platform
