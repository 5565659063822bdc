#include "controls/headermodel.h"

#include "controls/listdefs.h"
#include "base/text.h"

#include <algorithm>
#include <utility>

namespace platform {

int HeaderModel::Insert(int index, HeaderItem item) {
    if (index < 0) return -1;
    index = std::min(index, Count());
    beginInsertColumns(QModelIndex(), index, index);
    items_.insert(items_.begin() + index, std::move(item));
    endInsertColumns();
    return index;
}

bool HeaderModel::Remove(int index) {
    if (!IsItem(index)) return false;
    beginRemoveColumns(QModelIndex(), index, index);
    items_.erase(items_.begin() + index);
    endRemoveColumns();
    return true;
}

const HeaderItem* HeaderModel::Item(int index) const {
    return IsItem(index) ? &items_[index] : nullptr;
}

bool HeaderModel::Replace(int index, HeaderItem item) {
    if (!IsItem(index)) return false;
    items_[index] = std::move(item);
    emit headerDataChanged(Qt::Horizontal, index, index);
    return true;
}

int HeaderModel::rowCount(const QModelIndex&) const {
    return 0;
}

int HeaderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant HeaderModel::data(const QModelIndex&, int) const {
    return {};
}

QVariant HeaderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || !IsItem(section)) return {};
    const HeaderItem& item = items_[section];
    switch (role) {
    case Qt::DisplayRole:
        return FromLatin1(item.text);
    case Qt::TextAlignmentRole: {
        const int justify = item.fmt & HDF_JUSTIFYMASK;
        const Qt::Alignment h = justify == HDF_RIGHT    ? Qt::AlignRight
                                : justify == HDF_CENTER ? Qt::AlignHCenter
                                                        : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

} // namespace platform
