#include "draw/imagelist.h"

#include "draw/bitmap.h"
#include "draw/dc.h"
#include "draw/dccalllog.h"
#include "draw/syscolors.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Mixes weight/4 of blend into every visible pixel, keeping its alpha.
void Blend(QImage& image, COLORREF blend, int weight) {
    const int br = GetRValue(blend), bg = GetGValue(blend), bb = GetBValue(blend);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QColor c = QColor::fromRgba(qUnpremultiply(line[x]));
            if (c.alpha() == 0) continue;
            c.setRgb((c.red() * (4 - weight) + br * weight) / 4,
                     (c.green() * (4 - weight) + bg * weight) / 4,
                     (c.blue() * (4 - weight) + bb * weight) / 4, c.alpha());
            line[x] = qPremultiply(c.rgba());
        }
    }
}

} // namespace

bool ImageList::Create(int cx, int cy, UINT, int, int) {
    if (cx < 1 || cy < 1) return false;
    cx_ = cx;
    cy_ = cy;
    images_.clear();
    return true;
}

bool ImageList::Create(const QImage& strip, int cx, int, COLORREF mask) {
    if (strip.isNull() || cx < 1 || strip.width() < cx) return false;
    if (!Create(cx, strip.height(), ILC_COLOR32, 0, 0)) return false;
    return Add(strip, mask) >= 0;
}

bool ImageList::DeleteImageList() {
    if (cx_ == 0) return false;
    cx_ = cy_ = 0;
    images_.clear();
    return true;
}

int ImageList::Add(const QImage& strip, COLORREF mask) {
    if (cx_ == 0 || strip.isNull() || strip.width() < cx_) return -1;
    QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    if (mask != CLR_NONE) {
        const QRgb key = ToQColor(mask).rgb();
        for (int y = 0; y < argb.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                if ((line[x] | 0xFF000000u) == key) line[x] = 0;
        }
    }
    int first = GetImageCount();
    for (int left = 0; left + cx_ <= argb.width(); left += cx_) {
        QImage image(cx_, cy_, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), argb, QRect(left, 0, cx_, std::min(cy_, argb.height())));
        p.end();
        images_.push_back(image);
    }
    return first;
}

int ImageList::Add(Bitmap* bitmap, COLORREF mask) {
    return bitmap ? Add(bitmap->Image(), mask) : -1;
}

bool ImageList::GetImageInfo(int index, ImageInfo* info) const {
    if (!info || index < 0 || index >= GetImageCount()) return false;
    info->rcImage = Rect(index * cx_, 0, (index + 1) * cx_, cy_);
    return true;
}

bool ImageList::GetIconSize(int* cx, int* cy) const {
    if (!cx || !cy || cx_ == 0) return false;
    *cx = cx_;
    *cy = cy_;
    return true;
}

bool ImageList::Draw(Dc* dc, int index, Point pt, UINT style) const {
    return DrawEx(dc, index, pt, Size(cx_, cy_), CLR_DEFAULT, CLR_DEFAULT, style);
}

bool ImageList::DrawEx(Dc* dc, int index, Point pt, Size size, COLORREF bg, COLORREF fg,
                       UINT style) const {
    if (!dc || index < 0 || index >= GetImageCount()) return false;
    if (DcCallLog::IsOpen()) {
        DcCall call;
        call.kind = DcCallKind::DrawImage;
        call.rect = Rect(pt, size);
        call.index = index;
        call.state = style;
        call.windowOrg = dc->GetWindowOrg();
        DcCallLog::Record(std::move(call));
    }
    if (size.cx <= 0 || size.cy <= 0) return true;
    const int w = std::min(size.cx, cx_), h = std::min(size.cy, cy_);
    QImage part = images_[static_cast<std::size_t>(index)].copy(0, 0, w, h);
    if (style & (ILD_BLEND50 | ILD_BLEND25) && fg != CLR_NONE) {
        COLORREF blend = fg == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : fg;
        Blend(part, blend, (style & ILD_BLEND50) ? 2 : 1);
    }
    if (!(style & ILD_TRANSPARENT) && bg != CLR_NONE && bg != CLR_DEFAULT) {
        QImage filled(w, h, QImage::Format_ARGB32_Premultiplied);
        filled.fill(ToQColor(bg));
        QPainter p(&filled);
        p.drawImage(QPoint(0, 0), part);
        p.end();
        part = filled;
    }
    dc->DrawQImage(pt.x, pt.y, part);
    return true;
}

QImage ImageList::GetImage(int index) const {
    if (index < 0 || index >= GetImageCount()) return QImage();
    return images_[static_cast<std::size_t>(index)];
}

QIcon ImageList::GetIcon(int index) const {
    QImage image = GetImage(index);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

} // namespace platform
