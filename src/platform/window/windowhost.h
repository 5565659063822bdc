// The Qt side of a Window: a widget of any Qt class that hands its events to
// the window as messages and keeps the class's own handling as the default.
// A control makes WindowHost<QLineEdit>, a list WindowHost<QAbstractScrollArea>
// (its viewport is the client area), a plain window WindowHost<QWidget>.
#pragma once

#include "window/window.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <type_traits>

namespace platform {

class HostBase {
  public:
    explicit HostBase(Window* window) : m_window(window) {}
    virtual ~HostBase() = default;
    HostBase(const HostBase&) = delete;
    HostBase& operator=(const HostBase&) = delete;

    Window* HostedWindow() const { return m_window; }
    virtual QWidget* ClientWidget() = 0;
    // The Qt class's own handling of an event; keys go straight to its key
    // handlers, so that a Tab it is given does not move the focus.
    virtual void BaseEvent(QEvent* event, bool fromClient) = 0;

  protected:
    // Offers an event to the window; true when it was handled as a message.
    bool Offer(QEvent* event, bool fromClient) {
        return m_window && m_window->HandleQtEvent(event, fromClient);
    }
    // The widget is going: the window hears of it once.
    void Gone() {
        if (Window* w = m_window) {
            m_window = nullptr;
            w->HostGone();
        }
    }

  private:
    friend class Window;
    void Detach() { m_window = nullptr; }
    Window* m_window;
};

// What every host does, whatever its Qt class.
template <class QtBase> class WindowHostCommon : public QtBase, public HostBase {
  public:
    explicit WindowHostCommon(Window* window, QWidget* parent) : QtBase(parent), HostBase(window) {}
    ~WindowHostCommon() override { Gone(); }

    QWidget* ClientWidget() override {
        if constexpr (std::is_base_of_v<QAbstractScrollArea, QtBase>)
            return this->viewport();
        else
            return this;
    }

    void BaseEvent(QEvent* event, bool fromClient) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            QtBase::keyPressEvent(static_cast<QKeyEvent*>(event));
            return;
        case QEvent::KeyRelease:
            QtBase::keyReleaseEvent(static_cast<QKeyEvent*>(event));
            return;
        default:
            break;
        }
        if constexpr (std::is_base_of_v<QAbstractScrollArea, QtBase>) {
            if (fromClient) {
                QtBase::viewportEvent(event);
                return;
            }
        }
        QtBase::event(event);
    }

  protected:
    bool event(QEvent* event) override {
        if (Offer(event, ClientWidget() == this)) return true;
        return QtBase::event(event);
    }
};

template <class QtBase, class = void> class WindowHost : public WindowHostCommon<QtBase> {
  public:
    explicit WindowHost(Window* window, QWidget* parent = nullptr)
        : WindowHostCommon<QtBase>(window, parent) {}
};

// A scroll area's viewport is the client area: its events are the window's.
template <class QtBase>
class WindowHost<QtBase, std::enable_if_t<std::is_base_of_v<QAbstractScrollArea, QtBase>>>
    : public WindowHostCommon<QtBase> {
  public:
    explicit WindowHost(Window* window, QWidget* parent = nullptr)
        : WindowHostCommon<QtBase>(window, parent) {}

  protected:
    bool viewportEvent(QEvent* event) override {
        if (this->Offer(event, true)) return true;
        return QtBase::viewportEvent(event);
    }
    // The window paints its client area itself: after a scroll all of it is
    // painted again rather than moved (the retained image does not move).
    void scrollContentsBy(int, int) override {
        if (Window* w = this->HostedWindow()) w->Invalidate(TRUE);
    }
};

} // namespace platform
