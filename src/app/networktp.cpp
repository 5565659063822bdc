#include "networktp.h"

#include "base/colors.h"
#include "dialogrunner.h"
#include "dialogs/messagebox.h"
#include "networkbitmap.h"
#include "networklabels.h"
#include "networkmenu.h"
#include "networktphost.h"
#include "window/popupmenu.h"
#include "resource.h"
#include "treebranches.h"
#include "base/keys.h"
#include "base/trace.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {

constexpr int kNoImage = -1;
constexpr int kSatelliteImage = 0;
constexpr int kImageWidth = 16;
constexpr int kImageGrow = 1;
constexpr int kDialogEdit = 0;
constexpr int kDialogAdd = 1;
constexpr int kChannelFromTree = 0;
constexpr int kRefreshAll = 1;
constexpr uint32_t kUserSlots = SN_USER_SLOTS;

const char* const kRootLabel = "Network";

} // namespace

CNetworkTp::CNetworkTp(QWidget* parent)
    : QTreeWidget(parent), m_bRebuilding(0), m_tpInfo{}, m_nTotalTps(0), m_nAvailTps(0),
      m_select(kLevelNone), m_iNet(0), m_iTp(0) {
    setColumnCount(1);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false); // a begin-drag does nothing
    setRootIsDecorated(false);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now) {
        if (m_ignoreCurrentChange) return;
        if (m_keyboardMove) ItemSelection(now, m_select, m_iNet, m_iTp);
        OnSelchanged();
    });
    MapCommand(ID_EDIT_NETWORK, [this] { OnEditNetwork(); });
    MapCommand(ID_ADD_NETWORK, [this] { OnAddNetwork(); });
    MapCommand(ID_DELETE_NETWORK, [this] { OnDeleteNetwork(); });
    MapCommand(ID_EDIT_TRANSPORT, [this] { OnEditTransport(); });
    MapCommand(ID_ADD_TRANSPORT, [this] { OnAddTransport(); });
    MapCommand(ID_DELETE_TRANSPORT, [this] { OnDeleteTransport(); });
    MapCommand(ID_ADD_CHANNEL_TREE, [this] { OnAddChannel(); });
}

CNetworkTp::~CNetworkTp() {
    // Items deleted with the view change no selection the editor sees.
    disconnect(this, &QTreeWidget::currentItemChanged, nullptr, nullptr);
}

// A strip that cannot be made leaves the tree without images.
void CNetworkTp::OnInitialUpdate() {
    const QImage strip(NetworkTreePixmap());
    m_imageList.Create(strip.convertToFormat(QImage::Format_ARGB32), kImageWidth, kImageGrow,
                       platform::CLR_NONE);
    setIconSize(QSize(kImageWidth, kImageWidth));
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::black);
    setPalette(colours);
}

void CNetworkTp::Refresh() {
    // Buttons, lines and lines at the root: the items below the root can
    // be opened and closed, and so can the root.
    m_hasButtons = true;
    m_hasLines = true;
    setRootIsDecorated(true);
    setItemsExpandable(true);
    viewport()->update();
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, Qt::white);
    setPalette(colours);
    m_select = kLevelRoot;
    m_iNet = 0;
    BuildTree();
    if (m_host) m_host->RebuildChannelList(kRefreshAll);
}

void CNetworkTp::BuildTree() {
    ClearQuietly();
    auto* root = new QTreeWidgetItem(this, QStringList(QString::fromLatin1(kRootLabel)));
    SetItemImage(root, kNoImage);
    int number = 1;
    const uint32_t usableSlots =
        SN_GetUsableSlotCount(); // the region's satellites and the user slots
    for (uint32_t s = 0; s < usableSlots; ++s) {
        if (SN_IsSatUsed(s) != 1) continue;
        const auto slot = static_cast<uint8_t>(s);
        auto* satellite = new QTreeWidgetItem(root, QStringList(SatelliteLabel(number, slot)));
        SetItemImage(satellite, kSatelliteImage);
        ++number;
        uint16_t count = 0, available = 0;
        SLM_LoadSatTpList(slot, 0, &count, &available);
        InsertTpItems(satellite, count, kNoImage);
    }
}

// Nothing is selected, or the root is selected in an empty tree: nothing to
// rebuild.
void CNetworkTp::RebuildTpItems(uint8_t satellite) {
    QTreeWidgetItem* selected = currentItem();
    if (selected == nullptr) return;
    QTreeWidgetItem* anchor = selected->childCount() > 0 ? selected->child(0) : selected;
    QTreeWidgetItem* parent = anchor->parent();
    if (parent == nullptr) return;
    // A satellite without transponders was selected: its parent is the root.
    const bool parentIsRoot = parent->text(0) == QString::fromLatin1(kRootLabel);
    QTreeWidgetItem* satelliteItem = parentIsRoot ? anchor : parent;

    m_bRebuilding = 1;
    // The final selection of the satellite must reach OnSelchanged, also
    // when Qt has moved the current item onto it while its children went.
    setCurrentItem(nullptr);
    if (!parentIsRoot) qDeleteAll(satelliteItem->takeChildren());
    SLM_LoadSatTpList(satellite, 0, &m_nTotalTps, &m_nAvailTps);
    // Without an image, as a full build makes them: the list's image 0 (the
    // satellite's) on a transponder would also make its row taller.
    InsertTpItems(satelliteItem, m_nTotalTps, kNoImage);
    m_bRebuilding = 0;
    setCurrentItem(satelliteItem);
}

void CNetworkTp::HitTestSelection(QPoint viewportPos, uint8_t& level, uint8_t& satellite,
                                  uint16_t& tp) const {
    ItemSelection(itemAt(viewportPos), level, satellite, tp);
}

void CNetworkTp::ItemSelection(const QTreeWidgetItem* item, uint8_t& level, uint8_t& satellite,
                               uint16_t& tp) const {
    level = kLevelNone;
    satellite = 0;
    tp = 0;
    if (item == nullptr) return;
    const QTreeWidgetItem* parent = item->parent();
    if (parent == nullptr) {
        level = kLevelRoot;
    } else if (parent->parent() == nullptr) {
        satellite = static_cast<uint8_t>(
            SN_GetNthUsedSatIndex(static_cast<uint32_t>(LabelNumber(item->text(0)))));
        level = kLevelSatellite;
    } else {
        tp = static_cast<uint16_t>(LabelNumber(item->text(0)) - 1);
        satellite = static_cast<uint8_t>(
            SN_GetNthUsedSatIndex(static_cast<uint32_t>(LabelNumber(parent->text(0)))));
        level = kLevelTransponder;
    }
}

void CNetworkTp::UpdateGridList(uint8_t level, uint8_t satellite, uint16_t tp) {
    TRACE("update GridList: select = %d, iNet = %d, iTp = %d.\n", level, satellite, tp);
    switch (level) {
    case kLevelRoot:
        RefreshChannelList();
        break;
    case kLevelSatellite:
        SLM_LoadSatTpList(satellite, 0, &m_nTotalTps, &m_nAvailTps);
        RefreshChannelList();
        break;
    case kLevelTransponder: {
        SLM_LoadSatTpList(satellite, 0, &m_nTotalTps, &m_nAvailTps);
        // A row past the list would read the first row again: a row the
        // list no longer has leaves no transponder selected.
        TpRow row{};
        const bool read = tp < m_nTotalTps && SLM_GetNthTp(tp, &row) == DBERR_OK;
        m_tpInfo = read ? SLM_TpRowToKey(row, satellite) : TpInfo{};
        RefreshChannelList();
        break;
    }
    default:
        break;
    }
}

void CNetworkTp::OnClick(QPoint viewportPos) {
    HitTestSelection(viewportPos, m_select, m_iNet, m_iTp);
}

void CNetworkTp::OnSelchanged() {
    if (m_bRebuilding == 1) return;
    UpdateGridList(m_select, m_iNet, m_iTp);
}

void CNetworkTp::OnRclick(QPoint viewportPos) {
    uint8_t level = kLevelNone, satellite = 0;
    uint16_t tp = 0;
    HitTestSelection(viewportPos, level, satellite, tp);
    if (level == kLevelNone) return;
    m_select = level;
    m_iTp = tp;
    m_iNet = satellite;
    const unsigned id = platform::PopupMenuRunner::Run(NetworkPopupMenu(m_select),
                                                       viewport()->mapToGlobal(viewportPos), this);
    // The item under the click becomes the selection before its command runs.
    if (QTreeWidgetItem* item = itemAt(viewportPos)) setCurrentItem(item);
    if (id != 0) ExecuteCommand(id);
}

void CNetworkTp::OnContextMenuKey() {
    const QTreeWidgetItem* item = currentItem();
    if (item == nullptr) return;
    const QRect rect = visualItemRect(item);
    if (rect.isEmpty()) return;
    OnRclick(rect.center());
}

void CNetworkTp::OnEditNetwork() {
    if (RunEditNetwork(this, kDialogEdit, m_iNet) != 1) return;
    QTreeWidgetItem* item = currentItem();
    if (item == nullptr) return;
    item->setText(0, SatelliteLabel(LabelNumber(item->text(0)), m_iNet));
}

void CNetworkTp::OnAddNetwork() {
    const uint32_t first = SN_GetCurrentNumAntenna();
    const uint32_t end = std::min(first + kUserSlots, SN_GetUsableSlotCount());
    uint32_t slot = first;
    while (slot < end && SN_IsSatUsed(slot) != 0)
        ++slot;
    if (slot >= end) {
        platform::MessageBox("You can add satellite up to five", "Information", platform::MB_OK,
                             this);
        return;
    }
    if (RunEditNetwork(this, kDialogAdd, static_cast<uint8_t>(slot)) != 1) return;
    // The full build keeps what the user had opened, and the new satellite
    // becomes the selection (its channels in the list).
    const std::vector<uint8_t> opened = ExpandedSatellites();
    BuildTree();
    RootItem()->setExpanded(true);
    for (uint8_t open : opened)
        if (QTreeWidgetItem* item = SatelliteItem(open)) item->setExpanded(true);
    if (QTreeWidgetItem* added = SatelliteItem(static_cast<uint8_t>(slot))) {
        m_select = kLevelSatellite;
        m_iNet = static_cast<uint8_t>(slot);
        m_iTp = 0;
        setCurrentItem(added);
        scrollToItem(added);
    }
}

std::vector<uint8_t> CNetworkTp::ExpandedSatellites() const {
    std::vector<uint8_t> opened;
    const QTreeWidgetItem* root = RootItem();
    for (int n = 0; root && n < root->childCount(); ++n) {
        const QTreeWidgetItem* item = root->child(n);
        uint8_t level = kLevelNone, satellite = 0;
        uint16_t tp = 0;
        ItemSelection(item, level, satellite, tp);
        if (item->isExpanded() && level == kLevelSatellite) opened.push_back(satellite);
    }
    return opened;
}

QTreeWidgetItem* CNetworkTp::SatelliteItem(uint8_t slot) const {
    QTreeWidgetItem* root = RootItem();
    for (int n = 0; root && n < root->childCount(); ++n) {
        QTreeWidgetItem* item = root->child(n);
        uint8_t level = kLevelNone, satellite = 0;
        uint16_t tp = 0;
        ItemSelection(item, level, satellite, tp);
        if (level == kLevelSatellite && satellite == slot) return item;
    }
    return nullptr;
}

void CNetworkTp::OnDeleteNetwork() {
    if (platform::MessageBox("Do you wnat to delete current Satelite infomation", "Delete Satelite",
                             platform::MB_OKCANCEL | platform::MB_ICONQUESTION,
                             this) != platform::IDOK)
        return;
    ReloadEditList();
    SLM_DeleteSatellite(m_iNet, &m_nTotalTps);
    delete currentItem();
    BuildTree();
    RootItem()->setExpanded(true);
}

void CNetworkTp::OnEditTransport() {
    ReloadEditList();
    if (RunEditTransport(this, kDialogEdit, m_iNet, m_iTp) == 1) RebuildTpItems(m_iNet);
}

void CNetworkTp::OnAddTransport() {
    ReloadEditList();
    if (RunEditTransport(this, kDialogAdd, m_iNet, m_iTp) == 1) RebuildTpItems(m_iNet);
}

void CNetworkTp::OnDeleteTransport() {
    if (platform::MessageBox("Do you wnat to delete current TP infomation", "Delete TP",
                             platform::MB_OKCANCEL | platform::MB_ICONQUESTION,
                             this) != platform::IDOK)
        return;
    ReloadEditList();
    SLM_DeleteTp(m_iNet, m_iTp);
    RebuildTpItems(m_iNet);
    m_select = kLevelSatellite;
    UpdateGridList(kLevelSatellite, m_iNet, m_iTp);
}

void CNetworkTp::OnAddChannel() {
    if (RunEditChannel(this, kChannelFromTree, m_select, m_iNet, m_iTp) == 1) RefreshChannelList();
}

void CNetworkTp::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    // A right press never moves the current item; the pop-up comes with
    // the release.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        OnClick(pos);
        // On empty space the native tree keeps its selection as it is.
        if (itemAt(pos) == nullptr) {
            event->accept();
            return;
        }
    }
    QTreeWidget::mousePressEvent(event);
}

void CNetworkTp::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        OnRclick(event->position().toPoint());
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void CNetworkTp::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CNetworkTp::focusInEvent(QFocusEvent* event) {
    // Qt makes the first item current when the view takes the focus with
    // none; the native tree selects nothing then.
    const bool hadCurrent = currentItem() != nullptr;
    m_ignoreCurrentChange = true;
    QTreeWidget::focusInEvent(event);
    if (!hadCurrent) selectionModel()->clearCurrentIndex();
    m_ignoreCurrentChange = false;
}

void CNetworkTp::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (platform::IsContextMenuKey(platform::VirtualKeyFromQt(event->key(), mods),
                                   mods & Qt::ShiftModifier, mods & Qt::ControlModifier,
                                   mods & Qt::AltModifier)) {
        event->accept();
        OnContextMenuKey();
        return;
    }
    m_keyboardMove = true;
    QTreeWidget::keyPressEvent(event);
    m_keyboardMove = false;
}

bool CNetworkTp::focusNextPrevChild(bool next) {
    if (m_host && m_host->FocusChannelList()) return true;
    return QTreeWidget::focusNextPrevChild(next);
}

void CNetworkTp::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    if (!hasFocus() || index != currentIndex()) return;
    const QRect item = visualRect(index).adjusted(0, 0, -1, -1);
    if (item.isEmpty()) return;
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(item);
    painter->restore();
}

void CNetworkTp::drawBranches(QPainter* painter, const QRect& rect,
                              const QModelIndex& index) const {
    const QColor background = palette().color(QPalette::Base);
    painter->fillRect(rect, background);
    std::vector<platform::BranchCell> cells = BranchCells(index, m_hasLines, m_hasButtons);
    if (cells.empty()) return;
    cells.back().expanded = isExpanded(index);
    // The item's own column is the rightmost of the rectangle.
    const int indent = indentation();
    int left = rect.right() + 1 - indent * static_cast<int>(cells.size());
    for (const platform::BranchCell& cell : cells) {
        const QRect column(left, rect.top(), indent, rect.height());
        if (column.intersects(rect))
            PaintBranchCell(painter, column, cell, BranchLineColour(),
                            palette().color(QPalette::Text), background);
        left += indent;
    }
}

void CNetworkTp::ReloadEditList() {
    SLM_LoadSatTpList(m_iNet, 0, &m_nTotalTps, &m_nAvailTps);
}

// Rows that cannot be read end the list: no label is made from a row the
// database did not give.
void CNetworkTp::InsertTpItems(QTreeWidgetItem* parent, uint16_t count, int image) {
    for (uint16_t n = 0; n < count; ++n) {
        TpRow row{};
        if (SLM_GetNthTp(n, &row) != DBERR_OK) break;
        auto* item = new QTreeWidgetItem(parent, QStringList(TransponderLabel(n, row)));
        SetItemImage(item, image);
    }
}

void CNetworkTp::SetItemImage(QTreeWidgetItem* item, int image) const {
    item->setIcon(0, image == kNoImage ? QIcon() : m_imageList.GetIcon(image));
}

void CNetworkTp::Empty() {
    ClearQuietly();
    m_select = kLevelNone;
    m_iNet = 0;
    m_iTp = 0;
    m_tpInfo = TpInfo{};
}

void CNetworkTp::ClearQuietly() {
    m_ignoreCurrentChange = true;
    clear();
    m_ignoreCurrentChange = false;
}

// A window without the channel-list pane refreshes nothing.
void CNetworkTp::RefreshChannelList() {
    if (m_host) m_host->RefreshChannelList(kRefreshAll);
}
