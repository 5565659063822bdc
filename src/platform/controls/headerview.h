// The Qt side of a header control: a horizontal QHeaderView whose sections
// are the items of its HeaderControl. Items with HDF_OWNERDRAW are painted by
// the control's DrawItem (through the owner, which reflects it); the others
// as Qt paints a section.
#pragma once

#include <QHeaderView>

namespace platform {

class HeaderView : public QHeaderView {
    Q_OBJECT
  public:
    explicit HeaderView(QWidget* parent = nullptr);

    // The height a section needs for a line of text in the view's font and
    // style, with or without sections.
    int NeededHeight() const;

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int pressed_ = -1;
};

} // namespace platform
