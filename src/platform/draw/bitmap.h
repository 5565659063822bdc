// A bitmap: an image that a memory drawing context can draw into, or that an
// image list is made from.
#pragma once

#include <QImage>

namespace platform {

class Dc;

class Bitmap {
  public:
    Bitmap() = default;

    // Makes a bitmap of width x height pixels for drawing like dc (its
    // resolution), filled black. Fails for a size below 1 x 1.
    bool CreateCompatibleBitmap(Dc* dc, int width, int height);
    // Forgets the bitmap; false when there was none.
    bool DeleteObject();
    const void* GetSafeHandle() const { return image_.isNull() ? nullptr : this; }

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

  private:
    QImage image_;
};

} // namespace platform
