#include "draw/memorydc.h"

#include "draw/dcimpl.h"
#include "base/trace.h"

namespace platform {

std::shared_ptr<Dc::Impl> MemDc::ImplFor(Dc* target) {
    if (!target) return MakeImpl(nullptr);
    if (target->IsPrinting()) return target->d_;
    Rect box;
    target->GetClipBox(&box);
    Rect device = box;
    target->LPtoDP(&device);
    if (device.IsRectEmpty()) return MakeImpl(nullptr);
    auto image = std::make_unique<QImage>(device.Width(), device.Height(),
                                          QImage::Format_ARGB32_Premultiplied);
    if (QPaintDevice* dev = target->Device()) {
        image->setDotsPerMeterX(qRound(dev->logicalDpiX() / 0.0254));
        image->setDotsPerMeterY(qRound(dev->logicalDpiY() / 0.0254));
    }
    return MakeImpl(std::move(image));
}

MemDc::MemDc(Dc* target) : Dc(ImplFor(target)), target_(target) {
    ASSERT(target != nullptr);
    if (!target) return;
    shared_ = target->d_ == d_;
    if (shared_) return;
    target->GetClipBox(&rect_);
    // The image covers the clip box in device pixels; drawing uses the
    // target's logical units from the box's corner.
    SetWindowOrg(rect_.left, rect_.top);
    FillSolidRect(rect_, target->GetBkColor());
}

MemDc::MemDc() : Dc(MakeImpl(std::make_unique<QImage>(1, 1, QImage::Format_ARGB32_Premultiplied))) {
    if (QImage* image = Image()) image->fill(Qt::white);
}

MemDc::~MemDc() {
    if (!IsMemDc() || rect_.IsRectEmpty()) return;
    if (d_->ownPainter && d_->ownPainter->isActive()) d_->ownPainter->end();
    d_->painter = nullptr;
    target_->BitBlt(rect_.left, rect_.top, rect_.Width(), rect_.Height(), this, rect_.left,
                    rect_.top, SRCCOPY);
}

} // namespace platform
