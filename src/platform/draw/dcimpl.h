// The state behind a drawing context, shared by the context's own files
// (dc.cpp, dctext.cpp, memdc.cpp) and by nothing else.
#pragma once

#include "draw/bitmap.h"
#include "draw/brush.h"
#include "draw/dc.h"
#include "draw/font.h"
#include "draw/pen.h"

#include <QFont>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QRegion>
#include <QTransform>

#include <cmath>
#include <memory>
#include <vector>

namespace platform {

inline QRectF ToQRectF(const Rect& r) {
    return QRectF(r.left, r.top, r.Width(), r.Height());
}

// Round outward so that a mapped rectangle covers every pixel it touches.
inline Rect FromQRectFOutward(const QRectF& r) {
    return Rect(static_cast<int>(std::floor(r.left() + 1e-9)),
                static_cast<int>(std::floor(r.top() + 1e-9)),
                static_cast<int>(std::ceil(r.right() - 1e-9)),
                static_cast<int>(std::ceil(r.bottom() - 1e-9)));
}

// The font a context starts with: the application's.
Font* StockFont();

struct DcState {
    Font* font = nullptr;
    QFont qfont;
    int escapement = 0;
    Pen* pen = nullptr;
    int penStyle = PS_SOLID;
    int penWidth = 0;
    COLORREF penColor = RGB(0, 0, 0);
    Brush* brush = nullptr;
    bool brushNull = false;
    COLORREF brushColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int mapMode = MM_TEXT;
    Point windowOrg;
    Size windowExt{1, 1};
    Size viewportExt{1, 1};
    bool clipped = false;
    QRegion clip; // device coordinates
    Point position;
};

struct Dc::Impl {
    QPaintDevice* device = nullptr;
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownPainter;
    std::unique_ptr<QImage> ownedImage;
    Bitmap defaultBitmap; // stands for the owned image while a bitmap is selected
    Bitmap* bitmap = nullptr;
    QPrinter* printer = nullptr;
    bool printing = false;
    bool docOpen = false;
    int pagesStarted = 0;
    DcState st;
    std::vector<DcState> saved;
    // From the painter's coordinates to the pixels of the device it really
    // paints on (a widget painted into its window's buffer, or rendered).
    QTransform baseTransform;

    void InitState() {
        Font* f = StockFont();
        st.font = f;
        st.qfont = f->ToQFont();
        st.escapement = f->Desc().lfEscapement;
        st.pen = GetStockPen(BLACK_PEN);
        st.brush = GetStockBrush(WHITE_BRUSH);
    }

    void BeginOn(QPaintDevice* dev) {
        device = dev;
        if (!dev) return;
        if (dev->devType() == QInternal::Printer) {
            printer = static_cast<QPrinter*>(dev);
            printing = true;
            return;
        }
        ownPainter = std::make_unique<QPainter>();
        if (ownPainter->begin(dev)) painter = ownPainter.get();
    }

    QTransform Transform() const {
        QTransform t = QTransform::fromTranslate(-st.windowOrg.x, -st.windowOrg.y);
        if (st.mapMode == MM_ANISOTROPIC && st.windowExt.cx != 0 && st.windowExt.cy != 0)
            t *= QTransform::fromScale(double(st.viewportExt.cx) / st.windowExt.cx,
                                       double(st.viewportExt.cy) / st.windowExt.cy);
        return t;
    }
    // True when logical units are device pixels, only shifted.
    bool PixelExact() const { return Transform().type() <= QTransform::TxTranslate; }

    QRect DeviceBounds() const {
        if (!device) return QRect();
        QRect bounds(0, 0, device->width(), device->height());
        if (painter && painter->paintEngine()) {
            // The paint event's region, from the target's pixels into the
            // painter's own coordinates.
            QRegion system = painter->paintEngine()->systemClip();
            if (!system.isEmpty()) bounds &= baseTransform.inverted().map(system).boundingRect();
        }
        return bounds;
    }

    // Applies mapping and clip to the painter; false when there is none.
    bool Prepare(const Rect* extraClip = nullptr) {
        if (!painter) return false;
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter->setOpacity(1.0);
        painter->resetTransform();
        QRegion clip;
        bool clipped = st.clipped;
        if (clipped) clip = st.clip;
        if (extraClip) {
            QRegion extra(Transform().mapRect(ToQRectF(*extraClip)).toAlignedRect());
            clip = clipped ? clip & extra : extra;
            clipped = true;
        }
        if (clipped)
            painter->setClipRegion(clip);
        else
            painter->setClipping(false);
        painter->setTransform(Transform());
        return true;
    }

    void Fill(const Rect& r, const QColor& color) {
        if (r.IsRectEmpty() || !Prepare()) return;
        painter->fillRect(ToQRectF(r), color);
    }

    void Invert(const QRectF& r) {
        painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        painter->fillRect(r, Qt::black);
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
};

} // namespace platform
