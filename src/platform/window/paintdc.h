// The drawing context of a paint: made at the top of OnPaint, it draws on the
// window's retained client image, clipped to the region being painted, after
// the background was erased (OnEraseBkgnd) where that was asked for.
#pragma once

#include "draw/dc.h"
#include "base/messages.h"

#include <QPainter>

#include <memory>

namespace platform {

class Window;

namespace detail {
// A painter on image that touches nothing outside region (a null image gives
// none), and its end, which lifts the limit again.
std::unique_ptr<QPainter> OpenClippedPainter(QImage* image, const QRegion& region);
void CloseClippedPainter(std::unique_ptr<QPainter>& painter);

// Opens the painter before the context is built on it.
struct SurfacePainter {
    std::unique_ptr<QPainter> painter;
    PAINTSTRUCT m_ps;
};
} // namespace detail

class PaintDc : private detail::SurfacePainter, public Dc {
  public:
    // Outside a paint of window the context draws nothing.
    explicit PaintDc(Window* window);
    ~PaintDc() override;

    using detail::SurfacePainter::m_ps;

  private:
    static detail::SurfacePainter Open(Window* window);
    Window* m_window;
};

// A context on the window's client area outside a paint (GetDC): what it
// draws stays on screen until the next paint of that part.
class ClientDc : private detail::SurfacePainter, public Dc {
  public:
    explicit ClientDc(Window* window);
    ~ClientDc() override;

  private:
    static detail::SurfacePainter Open(Window* window);
    Window* m_window;
};

} // namespace platform
