// A context on a widget's painter during a paint event: the clip box is the
// region being painted, and an off-screen context made on it copies back into
// that region only.
#include "canvas.h"

#include "draw/dc.h"
#include "draw/memorydc.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>

using namespace platform;
using namespace platformtest;

namespace {

class PaintedWidget : public QWidget {
  public:
    Rect clipBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Dc dc(&painter);
        dc.GetClipBox(&clipBox);
        MemDc mem(&dc);
        mem.FillSolidRect(Rect(0, 0, width(), height()), kRed);
    }
};

TEST(PaintEventTest, ClipBoxIsThePaintedRegion) {
    PaintedWidget widget;
    widget.resize(40, 30);
    QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    widget.render(&image, QPoint(), QRegion(10, 10, 20, 15), QWidget::RenderFlags());
    EXPECT_EQ(widget.clipBox, Rect(10, 10, 30, 25));
    auto at = [&image](int x, int y) { return FromQColor(QColor(image.pixel(x, y))); };
    // The region lands at the image's corner.
    EXPECT_EQ(at(0, 0), kRed);
    EXPECT_EQ(at(19, 14), kRed);
    EXPECT_EQ(at(20, 14), kWhite);
    EXPECT_EQ(at(19, 15), kWhite);
}

} // namespace
