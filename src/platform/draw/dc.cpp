#include "draw/dc.h"

#include "draw/bitmap.h"
#include "draw/brush.h"
#include "draw/dccalllog.h"
#include "draw/dcimpl.h"
#include "draw/dctext.h"
#include "draw/font.h"
#include "draw/pen.h"
#include "draw/syscolors.h"
#include "base/trace.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QRegion>
#include <QTransform>

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace platform {

Font* StockFont() {
    static Font font = [] {
        Font f;
        f.CreateFromQFont(QApplication::font());
        return f;
    }();
    return &font;
}

namespace {

int JobIds() {
    static int next = 0;
    return ++next;
}

} // namespace

Dc::Dc(QPaintDevice* device) : d_(std::make_shared<Impl>()) {
    d_->InitState();
    d_->BeginOn(device);
}

Dc::Dc(QPainter* painter) : d_(std::make_shared<Impl>()) {
    d_->InitState();
    if (painter && painter->isActive()) {
        d_->painter = painter;
        d_->device = painter->device();
        d_->baseTransform = painter->worldTransform().inverted() * painter->deviceTransform();
    }
}

Dc::Dc(std::unique_ptr<QImage> ownedImage) : d_(MakeImpl(std::move(ownedImage))) {}

Dc::Dc(std::shared_ptr<Impl> shared) : d_(std::move(shared)) {}

std::shared_ptr<Dc::Impl> Dc::MakeImpl(std::unique_ptr<QImage> ownedImage) {
    auto impl = std::make_shared<Impl>();
    impl->InitState();
    impl->ownedImage = std::move(ownedImage);
    if (impl->ownedImage && !impl->ownedImage->isNull()) impl->BeginOn(impl->ownedImage.get());
    return impl;
}

Dc::~Dc() {
    // The last owner of a shared state ends its own painter.
    if (d_ && d_.use_count() == 1 && d_->ownPainter && d_->ownPainter->isActive())
        d_->ownPainter->end();
}

QPaintDevice* Dc::Device() const {
    return d_->device;
}
QImage* Dc::Image() const {
    if (!d_->device || d_->device->devType() != QInternal::Image) return nullptr;
    return static_cast<QImage*>(d_->device);
}

// ---- objects

Font* Dc::SelectObject(Font* font) {
    if (!font || !font->GetSafeHandle()) return nullptr;
    Font* previous = d_->st.font;
    d_->st.font = font;
    d_->st.qfont = font->ToQFont();
    d_->st.escapement = font->Desc().lfEscapement;
    return previous;
}

Pen* Dc::SelectObject(Pen* pen) {
    if (!pen || !pen->GetSafeHandle()) return nullptr;
    Pen* previous = d_->st.pen;
    d_->st.pen = pen;
    d_->st.penStyle = pen->Style();
    d_->st.penWidth = pen->Width();
    d_->st.penColor = pen->Color();
    return previous;
}

Brush* Dc::SelectObject(Brush* brush) {
    if (!brush || !brush->GetSafeHandle()) return nullptr;
    Brush* previous = d_->st.brush;
    d_->st.brush = brush;
    d_->st.brushNull = brush->IsNull();
    d_->st.brushColor = brush->Color();
    return previous;
}

Bitmap* Dc::SelectObject(Bitmap* bitmap) {
    Impl& d = *d_;
    if (!bitmap || !d.ownPainter || d.printer) return nullptr;
    QImage* target = nullptr;
    if (bitmap == &d.defaultBitmap)
        target = d.ownedImage.get();
    else if (!bitmap->Image().isNull())
        target = &bitmap->Image();
    if (!target || target->isNull()) return nullptr;
    Bitmap* previous = d.bitmap ? d.bitmap : &d.defaultBitmap;
    if (d.ownPainter->isActive()) d.ownPainter->end();
    d.painter = nullptr;
    d.device = target;
    if (d.ownPainter->begin(target)) d.painter = d.ownPainter.get();
    d.bitmap = bitmap == &d.defaultBitmap ? nullptr : bitmap;
    return previous;
}

Font* Dc::GetCurrentFont() const {
    return d_->st.font;
}

// ---- colours and modes

COLORREF Dc::SetTextColor(COLORREF color) {
    return std::exchange(d_->st.textColor, color);
}
COLORREF Dc::GetTextColor() const {
    return d_->st.textColor;
}
COLORREF Dc::SetBkColor(COLORREF color) {
    return std::exchange(d_->st.bkColor, color);
}
COLORREF Dc::GetBkColor() const {
    return d_->st.bkColor;
}
int Dc::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return std::exchange(d_->st.bkMode, mode);
}
int Dc::GetBkMode() const {
    return d_->st.bkMode;
}

// ---- state

int Dc::SaveDC() {
    d_->saved.push_back(d_->st);
    return static_cast<int>(d_->saved.size());
}

bool Dc::RestoreDC(int savedDc) {
    int levels = static_cast<int>(d_->saved.size());
    int level = savedDc < 0 ? levels + 1 + savedDc : savedDc;
    if (level < 1 || level > levels) return false;
    d_->st = d_->saved[static_cast<std::size_t>(level - 1)];
    d_->saved.resize(static_cast<std::size_t>(level - 1));
    return true;
}

// ---- mapping

int Dc::SetMapMode(int mode) {
    if (mode != MM_TEXT && mode != MM_ANISOTROPIC) return 0;
    return std::exchange(d_->st.mapMode, mode);
}
Size Dc::SetWindowExt(int cx, int cy) {
    if (d_->st.mapMode != MM_ANISOTROPIC || cx == 0 || cy == 0) return d_->st.windowExt;
    return std::exchange(d_->st.windowExt, Size(cx, cy));
}
Size Dc::SetViewportExt(int cx, int cy) {
    if (d_->st.mapMode != MM_ANISOTROPIC || cx == 0 || cy == 0) return d_->st.viewportExt;
    return std::exchange(d_->st.viewportExt, Size(cx, cy));
}
Point Dc::SetWindowOrg(int x, int y) {
    return std::exchange(d_->st.windowOrg, Point(x, y));
}
Point Dc::OffsetWindowOrg(int dx, int dy) {
    Point previous = d_->st.windowOrg;
    d_->st.windowOrg.Offset(dx, dy);
    return previous;
}
Point Dc::GetWindowOrg() const {
    return d_->st.windowOrg;
}

void Dc::LPtoDP(Rect* rect) const {
    if (rect) *rect = FromQRectFOutward(d_->Transform().mapRect(ToQRectF(*rect)));
}
void Dc::DPtoLP(Rect* rect) const {
    if (rect) *rect = FromQRectFOutward(d_->Transform().inverted().mapRect(ToQRectF(*rect)));
}

// ---- clip

int Dc::GetClipBox(Rect* rect) const {
    if (!rect) return ERROR_REGION;
    if (!d_->device) {
        rect->SetRectEmpty();
        return ERROR_REGION;
    }
    QRegion region(d_->DeviceBounds());
    if (d_->st.clipped) region &= d_->st.clip;
    if (region.isEmpty()) {
        rect->SetRectEmpty();
        return NULLREGION;
    }
    QRect box = region.boundingRect();
    *rect = FromQRectFOutward(d_->Transform().inverted().mapRect(QRectF(box)));
    return region.rectCount() > 1 ? COMPLEXREGION : SIMPLEREGION;
}

int Dc::IntersectClipRect(const Rect& rect) {
    QRect device;
    if (!rect.IsRectEmpty()) device = d_->Transform().mapRect(ToQRectF(rect)).toAlignedRect();
    QRegion region(device);
    if (d_->st.clipped)
        region &= d_->st.clip;
    else
        region &= QRegion(d_->DeviceBounds());
    d_->st.clip = region;
    d_->st.clipped = true;
    if (region.isEmpty()) return NULLREGION;
    return region.rectCount() > 1 ? COMPLEXREGION : SIMPLEREGION;
}

void Dc::SelectClipRgnNone() {
    d_->st.clipped = false;
    d_->st.clip = QRegion();
}

// ---- fills and frames

void Dc::FillSolidRect(const Rect& rect, COLORREF color) {
    if (DcCallLog::IsOpen()) {
        DcCall call;
        call.kind = DcCallKind::FillSolidRect;
        call.windowOrg = d_->st.windowOrg;
        call.rect = rect;
        call.color = color;
        DcCallLog::Record(std::move(call));
    }
    SetBkColor(color);
    d_->Fill(rect, ToQColor(color));
}

void Dc::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    FillSolidRect(Rect(x, y, x + cx, y + cy), color);
}

void Dc::FillRect(const Rect& rect, Brush* brush) {
    if (!brush || brush->IsNull()) return;
    d_->Fill(rect, ToQColor(brush->Color()));
}

void Dc::FrameRect(const Rect& rect, Brush* brush) {
    if (!brush || brush->IsNull() || rect.IsRectEmpty()) return;
    QColor c = ToQColor(brush->Color());
    d_->Fill({rect.left, rect.top, rect.right, rect.top + 1}, c);
    d_->Fill({rect.left, rect.bottom - 1, rect.right, rect.bottom}, c);
    d_->Fill({rect.left, rect.top, rect.left + 1, rect.bottom}, c);
    d_->Fill({rect.right - 1, rect.top, rect.right, rect.bottom}, c);
}

bool Dc::Rectangle(const Rect& rect) {
    const DcState& st = d_->st;
    if (DcCallLog::IsOpen()) {
        DcCall call;
        call.kind = DcCallKind::Rectangle;
        call.windowOrg = d_->st.windowOrg;
        call.rect = rect;
        call.color = st.penColor;
        DcCallLog::Record(std::move(call));
    }
    if (rect.IsRectEmpty()) return true;
    bool outline = st.penStyle != PS_NULL;
    if (!outline) {
        // Without a pen the fill stops one pixel short on the right and bottom.
        if (!st.brushNull)
            d_->Fill({rect.left, rect.top, rect.right - 1, rect.bottom - 1},
                     ToQColor(st.brushColor));
        return true;
    }
    int w = std::max(1, st.penWidth);
    if (!st.brushNull)
        d_->Fill({rect.left + w, rect.top + w, rect.right - w, rect.bottom - w},
                 ToQColor(st.brushColor));
    QColor c = ToQColor(st.penColor);
    d_->Fill({rect.left, rect.top, rect.right, std::min(rect.bottom, rect.top + w)}, c);
    d_->Fill({rect.left, std::max(rect.top, rect.bottom - w), rect.right, rect.bottom}, c);
    d_->Fill({rect.left, rect.top, std::min(rect.right, rect.left + w), rect.bottom}, c);
    d_->Fill({std::max(rect.left, rect.right - w), rect.top, rect.right, rect.bottom}, c);
    return true;
}

void Dc::DrawFocusRect(const Rect& rect) {
    if (DcCallLog::IsOpen()) {
        DcCall call;
        call.kind = DcCallKind::DrawFocusRect;
        call.windowOrg = d_->st.windowOrg;
        call.rect = rect;
        DcCallLog::Record(std::move(call));
    }
    if (rect.IsRectEmpty() || !d_->Prepare()) return;
    // Every other pixel of the border, each exactly once, inverted.
    QPainter* p = d_->painter;
    p->setCompositionMode(QPainter::RasterOp_NotDestination);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) p->fillRect(QRectF(x, y, 1, 1), Qt::black);
    };
    for (int x = rect.left; x < rect.right; ++x) {
        dot(x, rect.top);
        if (rect.bottom - 1 > rect.top) dot(x, rect.bottom - 1);
    }
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
        dot(rect.left, y);
        if (rect.right - 1 > rect.left) dot(rect.right - 1, y);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool Dc::DrawEdge(Rect* rect, UINT edge, UINT flags) {
    if (!rect) return false;
    Rect r = *rect;
    // Outer border first, then inner; each is one pixel on the sides asked for.
    struct Border {
        UINT raised, sunken;
        int raisedTopLeft, raisedBottomRight, sunkenTopLeft, sunkenBottomRight;
    };
    const Border borders[] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW,
         COLOR_BTNHIGHLIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW,
         COLOR_3DLIGHT},
    };
    for (const Border& b : borders) {
        if (!(edge & (b.raised | b.sunken)) || r.IsRectEmpty()) continue;
        bool raised = edge & b.raised;
        COLORREF tl = GetSysColor(raised ? b.raisedTopLeft : b.sunkenTopLeft);
        COLORREF br = GetSysColor(raised ? b.raisedBottomRight : b.sunkenBottomRight);
        if (flags & BF_FLAT) tl = br = GetSysColor(COLOR_BTNSHADOW);
        // Bottom and right own the corners they touch.
        if (flags & BF_BOTTOM) d_->Fill({r.left, r.bottom - 1, r.right, r.bottom}, ToQColor(br));
        if (flags & BF_RIGHT) d_->Fill({r.right - 1, r.top, r.right, r.bottom}, ToQColor(br));
        if (flags & BF_TOP) d_->Fill({r.left, r.top, r.right - 1, r.top + 1}, ToQColor(tl));
        if (flags & BF_LEFT) d_->Fill({r.left, r.top, r.left + 1, r.bottom - 1}, ToQColor(tl));
        r.DeflateRect(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? 1 : 0,
                      flags & BF_BOTTOM ? 1 : 0);
    }
    if (flags & BF_MIDDLE) d_->Fill(r, ToQColor(GetSysColor(COLOR_BTNFACE)));
    if (flags & BF_ADJUST) *rect = r;
    return true;
}

bool Dc::DrawFrameControl(Rect* rect, UINT type, UINT state) {
    if (rect && DcCallLog::IsOpen()) {
        DcCall call;
        call.kind = DcCallKind::DrawFrameControl;
        call.windowOrg = d_->st.windowOrg;
        call.rect = *rect;
        call.flags = type;
        call.state = state;
        DcCallLog::Record(std::move(call));
    }
    if (!rect || type != DFC_SCROLL) return false;
    Rect r = *rect;
    if (r.IsRectEmpty()) return true;
    d_->Fill(r, ToQColor(GetSysColor(COLOR_BTNFACE)));
    Rect inner = r;
    int shift = 0;
    if (state & (DFCS_PUSHED | DFCS_FLAT)) {
        Brush frame(GetSysColor(COLOR_BTNSHADOW));
        FrameRect(r, &frame);
        inner.DeflateRect(1, 1);
        shift = (state & DFCS_PUSHED) ? 1 : 0;
    } else {
        DrawEdge(&inner, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    // A filled triangle, widest row first for a down arrow, centred in the face.
    int side = std::min(inner.Width(), inner.Height());
    int rows = std::max(1, side / 4);
    if (2 * rows - 1 > inner.Width() || rows > inner.Height()) return true;
    int cx = (inner.left + inner.right) / 2 + shift;
    int top = (inner.top + inner.bottom - rows) / 2 + shift;
    QColor arrow = ToQColor(GetSysColor(state & DFCS_INACTIVE ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    bool down = (state & 0xF) == DFCS_SCROLLDOWN;
    for (int i = 0; i < rows; ++i) {
        int half = down ? rows - 1 - i : i;
        Rect row(cx - half, top + i, cx + half + 1, top + i + 1);
        row.IntersectRect(row, inner);
        d_->Fill(row, arrow);
    }
    return true;
}

void Dc::InvertRect(const Rect& rect) {
    if (rect.IsRectEmpty() || !d_->Prepare()) return;
    d_->Invert(ToQRectF(rect));
}

bool Dc::PatBlt(int x, int y, int width, int height, unsigned long rop) {
    Rect r(x, y, x + width, y + height);
    switch (rop) {
    case PATCOPY:
        if (!d_->st.brushNull) d_->Fill(r, ToQColor(d_->st.brushColor));
        return true;
    case DSTINVERT:
        InvertRect(r);
        return true;
    case BLACKNESS:
        d_->Fill(r, Qt::black);
        return true;
    case WHITENESS:
        d_->Fill(r, Qt::white);
        return true;
    default:
        return false;
    }
}

bool Dc::BitBlt(int x, int y, int width, int height, Dc* src, int xSrc, int ySrc,
                unsigned long rop) {
    if (rop != SRCCOPY || !src || width <= 0 || height <= 0) return false;
    QImage* image = src->Image();
    if (!image) return false;
    QRectF from = src->d_->Transform().mapRect(QRectF(xSrc, ySrc, width, height));
    // A copy first, so that a context may copy within its own image.
    QImage piece = image->copy(from.toAlignedRect());
    if (!d_->Prepare()) return false;
    d_->painter->setCompositionMode(QPainter::CompositionMode_Source);
    d_->painter->drawImage(QRectF(x, y, width, height), piece);
    d_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return true;
}

// ---- lines

Point Dc::MoveTo(int x, int y) {
    return std::exchange(d_->st.position, Point(x, y));
}

bool Dc::LineTo(int x, int y) {
    Point from = MoveTo(x, y);
    const DcState& st = d_->st;
    if (DcCallLog::IsOpen()) {
        DcCall call;
        call.kind = DcCallKind::LineTo;
        call.windowOrg = d_->st.windowOrg;
        call.from = from;
        call.to = Point(x, y);
        call.color = st.penColor;
        DcCallLog::Record(std::move(call));
    }
    if (st.penStyle == PS_NULL || from == Point(x, y) || !d_->Prepare()) return true;
    QPainter* p = d_->painter;
    QColor color = ToQColor(st.penColor);
    if (d_->PixelExact() && st.penWidth <= 1 && st.penStyle == PS_SOLID) {
        // Pixels from the start up to the end point, without it.
        int dx = std::abs(x - from.x), dy = -std::abs(y - from.y);
        int sx = from.x < x ? 1 : -1, sy = from.y < y ? 1 : -1;
        if (dy == 0) {
            p->fillRect(QRectF(sx > 0 ? from.x : x + 1, y, dx, 1), color);
            return true;
        }
        if (dx == 0) {
            p->fillRect(QRectF(x, sy > 0 ? from.y : y + 1, 1, -dy), color);
            return true;
        }
        QPolygon points;
        int err = dx + dy, px = from.x, py = from.y;
        while (px != x || py != y) {
            points << QPoint(px, py);
            int e2 = 2 * err;
            if (e2 >= dy) err += dy, px += sx;
            if (e2 <= dx) err += dx, py += sy;
        }
        p->setPen(QPen(color, 0));
        p->drawPoints(points);
        return true;
    }
    QPen pen(color, st.penWidth);
    if (st.penStyle == PS_DASH)
        pen.setStyle(Qt::DashLine);
    else if (st.penStyle == PS_DOT)
        pen.setStyle(Qt::DotLine);
    pen.setCapStyle(Qt::FlatCap);
    p->setPen(pen);
    p->drawLine(QPointF(from.x, from.y), QPointF(x, y));
    return true;
}

// ---- text

bool Dc::TextOut(int x, int y, const char* text, int count) {
    if (!text || count < 0) return false;
    DcText(*this).Out(x, y, QString::fromLatin1(text, count), -1);
    return true;
}

bool Dc::TextOut(int x, int y, const std::string& text) {
    return TextOut(x, y, text.data(), static_cast<int>(text.size()));
}

bool Dc::ExtTextOut(int x, int y, UINT options, const Rect* rect, const char* text, int count,
                    const int* dx) {
    (void)dx; // the characters keep the font's own advances
    if (count < 0 || (!text && count > 0)) return false;
    if (DcCallLog::IsOpen()) {
        DcCall call;
        call.kind = DcCallKind::ExtTextOut;
        call.windowOrg = d_->st.windowOrg;
        if (rect) call.rect = *rect;
        call.text.assign(text ? text : "", static_cast<std::size_t>(count));
        call.flags = options;
        call.color = d_->st.bkColor;
        DcCallLog::Record(std::move(call));
    }
    if (rect && (options & ETO_OPAQUE)) d_->Fill(*rect, ToQColor(d_->st.bkColor));
    if (count == 0) return true;
    DcText(*this).Out(x, y, QString::fromLatin1(text, count), -1,
                      rect && (options & ETO_CLIPPED) ? rect : nullptr);
    return true;
}

bool Dc::ExtTextOut(int x, int y, UINT options, const Rect* rect, const std::string& text) {
    return ExtTextOut(x, y, options, rect, text.data(), static_cast<int>(text.size()));
}

Size Dc::TabbedTextOut(int x, int y, const char* text, int count, int nTabPositions,
                       const int* tabPositions, int tabOrigin) {
    if (!text || count < 0) return Size();
    return DcText(*this).Tabbed(x, y, QString::fromLatin1(text, count), nTabPositions, tabPositions,
                                tabOrigin, true);
}

Size Dc::TabbedTextOut(int x, int y, const std::string& text, int nTabPositions,
                       const int* tabPositions, int tabOrigin) {
    return TabbedTextOut(x, y, text.data(), static_cast<int>(text.size()), nTabPositions,
                         tabPositions, tabOrigin);
}

int Dc::DrawText(const char* text, int count, Rect* rect, UINT format) {
    if (!rect || count < 0 || (!text && count > 0)) return 0;
    if (DcCallLog::IsOpen() && !(format & DT_CALCRECT)) {
        DcCall call;
        call.kind = DcCallKind::DrawText;
        call.windowOrg = d_->st.windowOrg;
        call.rect = *rect;
        call.text.assign(text ? text : "", static_cast<std::size_t>(count));
        call.flags = format;
        call.color = d_->st.textColor;
        DcCallLog::Record(std::move(call));
    }
    return DcText(*this).Draw(QString::fromLatin1(text, count), rect, format);
}

int Dc::DrawText(const std::string& text, Rect* rect, UINT format) {
    return DrawText(text.data(), static_cast<int>(text.size()), rect, format);
}

Size Dc::GetTextExtent(const char* text, int count) const {
    if (count < 0 || (!text && count > 0)) return Size();
    return DcText(*const_cast<Dc*>(this)).Extent(QString::fromLatin1(text, count));
}

Size Dc::GetTextExtent(const std::string& text) const {
    return GetTextExtent(text.data(), static_cast<int>(text.size()));
}

bool Dc::GetTextMetrics(TextMetrics* metrics) const {
    if (!metrics) return false;
    *metrics = DcText(*const_cast<Dc*>(this)).Metrics();
    return true;
}

void Dc::DrawQImage(int x, int y, const QImage& image) {
    if (image.isNull() || !d_->Prepare()) return;
    d_->painter->drawImage(QPointF(x, y), image);
}

// ---- device

namespace {
// Two colours: a one-bit device, a grey-scale image or a printer set to grey.
bool IsMonochromeDevice(const QPaintDevice* dev) {
    if (dev->depth() == 1) return true;
    if (dev->devType() == QInternal::Image) {
        const QImage::Format format = static_cast<const QImage*>(dev)->format();
        return format == QImage::Format_Grayscale8 || format == QImage::Format_Grayscale16;
    }
    if (dev->devType() == QInternal::Printer)
        return static_cast<const QPrinter*>(dev)->colorMode() == QPrinter::GrayScale;
    return false;
}
} // namespace

int Dc::GetDeviceCaps(int index) const {
    const QPaintDevice* dev = d_->device;
    if (!dev) return 0;
    // The part of the device that can be painted, in device pixels: a
    // printer's page within its margins, the whole of any other device.
    QPrinter* printer = d_->printer;
    const QRect paintable = printer ? printer->pageLayout().paintRectPixels(printer->resolution())
                                    : QRect(0, 0, dev->width(), dev->height());
    switch (index) {
    case HORZRES:
        return paintable.width();
    case VERTRES:
        return paintable.height();
    case LOGPIXELSX:
        return printer ? printer->resolution() : dev->logicalDpiX();
    case LOGPIXELSY:
        return printer ? printer->resolution() : dev->logicalDpiY();
    case BITSPIXEL:
        return dev->depth();
    case NUMCOLORS:
        return IsMonochromeDevice(dev) ? 2 : -1;
    default:
        return 0;
    }
}

bool Dc::IsPrinting() const {
    return d_->printing;
}
void Dc::SetPrinting(bool printing) {
    d_->printing = printing;
}

// ---- printing

int Dc::StartDoc(const char* docName) {
    DcCallLog::Record(DcCallKind::StartDoc, docName ? docName : "");
    Impl& d = *d_;
    if (!d.printer || d.docOpen) return -1;
    d.printer->setDocName(QString::fromLatin1(docName ? docName : ""));
    d.ownPainter = std::make_unique<QPainter>();
    if (!d.ownPainter->begin(d.printer)) {
        d.ownPainter.reset();
        return -1;
    }
    d.painter = d.ownPainter.get();
    d.docOpen = true;
    d.pagesStarted = 0;
    return JobIds();
}

int Dc::StartPage() {
    DcCallLog::Record(DcCallKind::StartPage);
    Impl& d = *d_;
    if (!d.docOpen) return -1;
    if (d.pagesStarted > 0 && !d.printer->newPage()) return -1;
    ++d.pagesStarted;
    return 1;
}

int Dc::EndPage() {
    DcCallLog::Record(DcCallKind::EndPage);
    return d_->docOpen ? 1 : -1;
}

int Dc::EndDoc() {
    DcCallLog::Record(DcCallKind::EndDoc);
    Impl& d = *d_;
    if (!d.docOpen) return -1;
    d.ownPainter->end();
    d.painter = nullptr;
    d.docOpen = false;
    return 1;
}

int Dc::AbortDoc() {
    DcCallLog::Record(DcCallKind::AbortDoc);
    Impl& d = *d_;
    if (!d.docOpen) return -1;
    d.printer->abort();
    d.ownPainter->end();
    d.painter = nullptr;
    d.docOpen = false;
    // An aborted job leaves no half-written file behind.
    if (d.printer->outputFormat() == QPrinter::PdfFormat && !d.printer->outputFileName().isEmpty())
        QFile::remove(d.printer->outputFileName());
    return 1;
}

} // namespace platform
