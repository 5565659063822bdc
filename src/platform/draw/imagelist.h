// A list of images of one size, cut from a strip or added later, drawn into a
// drawing context or handed to Qt widgets as icons. A mask colour turns its
// pixels transparent.
#pragma once

#include "base/colors.h"
#include "base/drawconstants.h"
#include "base/geometry.h"

#include <QIcon>
#include <QImage>

#include <vector>

namespace platform {

class Bitmap;
class Dc;

struct ImageInfo {
    Rect rcImage; // the image's place in the list's strip, right and bottom exclusive
};

class ImageList {
  public:
    ImageList() = default;

    // An empty list of cx x cy images (flags, initial and grow are hints).
    // Fails for a size below 1 x 1.
    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    // A list cut from a strip of images cx wide, as high as the strip; pixels
    // of mask (CLR_NONE for none) become transparent. Fails for a null strip
    // or a strip narrower than one image.
    bool Create(const QImage& strip, int cx, int grow, COLORREF mask);
    bool DeleteImageList();
    const void* GetSafeHandle() const { return cx_ > 0 ? this : nullptr; }

    // Adds the images of a strip (whole images only); returns the index of the
    // first, or -1 when the list is not made or the strip holds no image.
    int Add(const QImage& strip, COLORREF mask);
    int Add(Bitmap* bitmap, COLORREF mask);

    int GetImageCount() const { return static_cast<int>(images_.size()); }
    // False (info untouched) for a bad index or a null info.
    bool GetImageInfo(int index, ImageInfo* info) const;
    bool GetIconSize(int* cx, int* cy) const;

    // Draws image index at pt. False for a bad index or a null context.
    bool Draw(Dc* dc, int index, Point pt, UINT style) const;
    // Draws the top-left size.cx x size.cy part (nothing when either is 0 or
    // less). A background colour other than CLR_NONE and CLR_DEFAULT fills the
    // transparent pixels unless the style is ILD_TRANSPARENT. ILD_BLEND50 mixes
    // half of the foreground colour into the image (CLR_DEFAULT: the highlight
    // colour), ILD_BLEND25 a quarter.
    bool DrawEx(Dc* dc, int index, Point pt, Size size, COLORREF bg, COLORREF fg, UINT style) const;

    // The image for a Qt widget (a null icon for a bad index).
    QIcon GetIcon(int index) const;
    QImage GetImage(int index) const;

  private:
    int cx_ = 0;
    int cy_ = 0;
    std::vector<QImage> images_;
};

} // namespace platform
