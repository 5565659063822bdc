#include "window/paintdc.h"

#include "window/window.h"

#include <QImage>
#include <QPaintEngine>

namespace platform {

namespace detail {

std::unique_ptr<QPainter> OpenClippedPainter(QImage* image, const QRegion& region) {
    if (!image) return nullptr;
    if (QPaintEngine* engine = image->paintEngine()) engine->setSystemClip(region);
    return std::make_unique<QPainter>(image);
}

void CloseClippedPainter(std::unique_ptr<QPainter>& painter) {
    if (!painter) return;
    QPaintDevice* device = painter->device();
    painter->end();
    painter.reset();
    if (device && device->paintEngine()) device->paintEngine()->setSystemClip(QRegion());
}

} // namespace detail

detail::SurfacePainter PaintDc::Open(Window* window) {
    detail::SurfacePainter opened;
    if (!window) return opened;
    QImage* surface = window->BeginPaint(&opened.m_ps);
    opened.painter = detail::OpenClippedPainter(surface, window->GetPaintRegion());
    return opened;
}

PaintDc::PaintDc(Window* window)
    : detail::SurfacePainter(Open(window)), Dc(painter.get()), m_window(window) {}

PaintDc::~PaintDc() {
    detail::CloseClippedPainter(painter);
    if (m_window) m_window->EndPaint(&m_ps);
}

detail::SurfacePainter ClientDc::Open(Window* window) {
    detail::SurfacePainter opened;
    if (!window) return opened;
    QImage* surface = window->GetSurface();
    if (surface) opened.painter = detail::OpenClippedPainter(surface, QRegion(surface->rect()));
    return opened;
}

ClientDc::ClientDc(Window* window)
    : detail::SurfacePainter(Open(window)), Dc(painter.get()), m_window(window) {}

ClientDc::~ClientDc() {
    detail::CloseClippedPainter(painter);
    if (m_window) m_window->ReleaseSurface();
}

} // namespace platform
