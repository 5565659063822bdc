#include "draw/bitmap.h"

#include "draw/dc.h"

namespace platform {

bool Bitmap::CreateCompatibleBitmap(Dc* dc, int width, int height) {
    if (width < 1 || height < 1) return false;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return false;
    image.fill(Qt::black);
    if (dc && dc->Device()) {
        image.setDotsPerMeterX(qRound(dc->Device()->logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(dc->Device()->logicalDpiY() / 0.0254));
    }
    image_ = image;
    return true;
}

bool Bitmap::DeleteObject() {
    if (image_.isNull()) return false;
    image_ = QImage();
    return true;
}

} // namespace platform
