// A white image with a drawing context on it, read back pixel by pixel.
#pragma once

#include "base/colors.h"
#include "draw/dc.h"

#include <QImage>

#include <memory>

namespace platformtest {

struct Canvas {
    explicit Canvas(int width = 40, int height = 30, QColor fill = Qt::white)
        : image(width, height, QImage::Format_ARGB32_Premultiplied) {
        image.fill(fill);
        dc = std::make_unique<platform::Dc>(&image);
    }
    platform::COLORREF At(int x, int y) const {
        return platform::FromQColor(QColor(image.pixel(x, y)));
    }
    // Ends drawing, so that the image can be copied and compared.
    const QImage& Done() {
        dc.reset();
        return image;
    }

    QImage image;
    std::unique_ptr<platform::Dc> dc;
};

constexpr platform::COLORREF kWhite = platform::RGB(255, 255, 255);
constexpr platform::COLORREF kBlack = platform::RGB(0, 0, 0);
constexpr platform::COLORREF kRed = platform::RGB(255, 0, 0);
constexpr platform::COLORREF kGreen = platform::RGB(0, 128, 0);
constexpr platform::COLORREF kBlue = platform::RGB(0, 0, 255);

} // namespace platformtest
