#include "controls/headerview.h"

#include "controls/headercontrol.h"
#include "controls/headermodel.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionHeader>

namespace platform {

HeaderView::HeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsMovable(false);
    setStretchLastSection(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Interactive);
    setFocusPolicy(Qt::NoFocus);
}

int HeaderView::NeededHeight() const {
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.text = QStringLiteral("Xg");
    option.fontMetrics = fontMetrics();
    const QSize text(fontMetrics().horizontalAdvance(option.text), fontMetrics().height());
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, text, this).height();
}

void HeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    auto* header = dynamic_cast<HeaderControl*>(Window::FromWidget(this));
    const auto* items = qobject_cast<const HeaderModel*>(model());
    const HeaderItem* item = items ? items->Item(logicalIndex) : nullptr;
    if (header && item && (item->fmt & HDF_OWNERDRAW)) {
        header->PaintOwnerDrawnItem(painter, rect, logicalIndex, logicalIndex == pressed_);
        return;
    }
    QHeaderView::paintSection(painter, rect, logicalIndex);
}

void HeaderView::mousePressEvent(QMouseEvent* event) {
    // Only a press that is not on a divider (which starts a resize) holds a section down.
    const int index = logicalIndexAt(event->position().toPoint());
    const bool onDivider = cursor().shape() == Qt::SplitHCursor;
    if (event->button() == Qt::LeftButton && sectionsClickable() && !onDivider) {
        pressed_ = index;
        viewport()->update();
    }
    QHeaderView::mousePressEvent(event);
}

void HeaderView::mouseReleaseEvent(QMouseEvent* event) {
    if (pressed_ >= 0) {
        pressed_ = -1;
        viewport()->update();
    }
    QHeaderView::mouseReleaseEvent(event);
}

} // namespace platform
