// The items of a header control as a Qt model with columns and no rows, so
// that a QHeaderView shows one section per item: its text (bytes, shown as
// Latin-1), its format and its item data. The widths are the view's sections.
#pragma once

#include "base/messages.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace platform {

struct HeaderItem {
    std::string text;
    int fmt = 0; // HDF_ bits
    LPARAM lParam = 0;
};

class HeaderModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int Count() const { return static_cast<int>(items_.size()); }
    bool IsItem(int index) const { return index >= 0 && index < Count(); }
    // Inserts at index (past the end: appends); returns the index, -1 for a
    // negative one.
    int Insert(int index, HeaderItem item);
    // False for a bad index.
    bool Remove(int index);
    // Null for a bad index.
    const HeaderItem* Item(int index) const;
    // Replaces an item and repaints its section; false for a bad index.
    bool Replace(int index, HeaderItem item);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<HeaderItem> items_;
};

} // namespace platform
