// An off-screen drawing context. Made on a target, it is an image of the
// target's clip box (logical origin at that box, filled with the target's back
// colour) that is copied back to the target when the object goes; on a
// printing target it draws on the target itself. Made alone, it is a memory
// context that draws into the bitmap selected into it.
#pragma once

#include "draw/dc.h"

namespace platform {

class MemDc : public Dc {
  public:
    // A null target is an assertion failure and gives a context that draws nothing.
    explicit MemDc(Dc* target);
    // A memory context alone: 1 x 1 pixel until a bitmap is selected.
    MemDc();
    ~MemDc() override;

    // True when the context draws into its own image for a target.
    bool IsMemDc() const { return target_ && !shared_; }
    Rect GetRect() const { return rect_; }

  private:
    static std::shared_ptr<Impl> ImplFor(Dc* target);
    Dc* target_ = nullptr;
    bool shared_ = false;
    Rect rect_;
};

} // namespace platform
