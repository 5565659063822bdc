#include "draw/screendc.h"

#include <QImage>

namespace platform {

// A 1 x 1 image: it measures at the screen's resolution and shows nothing.
ScreenDc::ScreenDc() : Dc(std::make_unique<QImage>(1, 1, QImage::Format_ARGB32_Premultiplied)) {}

} // namespace platform
