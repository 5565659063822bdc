// The satellite and transponder tree: the left pane of the main window. One
// root "Network", one item per used satellite and, under each, one item per
// row of that satellite's transponder edit list. The tree keeps the editor's
// selection as three small numbers and the selected transponder's key, reads
// every label from the database and reads the numbers back from the labels.
// Its pop-up menu adds, edits and deletes satellites, transponders and
// channels through the dialog runner (dialogrunner.h).
//
// Event order is the native tree's: a click stores its hit test before the
// selection changes, and a selection change (click, item delete) updates the
// channel list from the stored values. A key that moves the selection
// stores the newly selected item first, so that the list shows its channels.
#pragma once

#include "window/commandtarget.h"
#include "draw/imagelist.h"
#include "slm.h"

#include <QTreeWidget>

#include <cstdint>
#include <vector>

class NetworkTpHost;

class CNetworkTp : public QTreeWidget, public platform::CommandTarget {
    Q_OBJECT

  public:
    // Levels of m_select.
    static constexpr uint8_t kLevelRoot = 0;
    static constexpr uint8_t kLevelSatellite = 1;
    static constexpr uint8_t kLevelTransponder = 2;
    static constexpr uint8_t kLevelNone = 255;

    explicit CNetworkTp(QWidget* parent = nullptr);
    ~CNetworkTp() override;

    // The main window that hosts the channel-list pane; none: no pane.
    void SetHost(NetworkTpHost* host) { m_host = host; }

    // The image list from bitmap 167 and a black background.
    void OnInitialUpdate();
    // After an image was opened: styles and colours, selection level 0 slot
    // 0, a full build, then the channel list rebuilt.
    void Refresh();
    // No list: every item goes (no selection change reaches the channel
    // list) and nothing is selected.
    void Empty();
    // Fills the whole tree from the database; the root stays collapsed. A
    // satellite's rows stop at the first that cannot be read.
    void BuildTree();
    // Replaces the transponder items of the satellite the selection belongs
    // to, then selects the satellite item (through OnSelchanged). Nothing
    // when nothing is selected.
    void RebuildTpItems(uint8_t satellite);
    // The item at a point of the viewport as level, slot and row: level 255,
    // slot 0, row 0 where there is no item.
    void HitTestSelection(QPoint viewportPos, uint8_t& level, uint8_t& satellite,
                          uint16_t& tp) const;
    // An item as level, slot and row, read from its label and its parent's
    // as the hit test reads them: level 255, slot 0, row 0 for none.
    void ItemSelection(const QTreeWidgetItem* item, uint8_t& level, uint8_t& satellite,
                       uint16_t& tp) const;
    // Loads what the channel list needs for a selection and refreshes it;
    // level 255 does nothing. A transponder row that cannot be read leaves
    // m_tpInfo all zero.
    void UpdateGridList(uint8_t level, uint8_t satellite, uint16_t tp);

    // Tree notifications.
    void OnClick(QPoint viewportPos);
    void OnSelchanged();
    void OnRclick(QPoint viewportPos);
    // The Menu key or Shift+F10: the focused item's pop-up, as a right click
    // on it opens it; nothing without a focused item.
    void OnContextMenuKey();

    // Commands of the pop-up menu (menu 132).
    void OnEditNetwork();
    void OnAddNetwork();
    void OnDeleteNetwork();
    void OnEditTransport();
    void OnAddTransport();
    void OnDeleteTransport();
    void OnAddChannel();

    // The root "Network", or null before the first build.
    QTreeWidgetItem* RootItem() const { return topLevelItem(0); }

    // The selection, read by the main window, the channel list and the
    // tree-list control's Delete key.
    int m_bRebuilding;
    TpInfo m_tpInfo;
    uint16_t m_nTotalTps;
    uint16_t m_nAvailTps;
    uint8_t m_select;
    uint8_t m_iNet;
    uint16_t m_iTp;
    platform::ImageList m_imageList;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab, which no item claims, move to the channel list.
    bool focusNextPrevChild(bool next) override;
    // The focused item framed in the text colour: the style's focus frame
    // does not show on the black background.
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    // Lines and buttons as the native tree draws them (the style has none).
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

  private:
    // The slots of the satellite items that are open, and the item of a
    // slot (null when the tree has none).
    std::vector<uint8_t> ExpandedSatellites() const;
    QTreeWidgetItem* SatelliteItem(uint8_t slot) const;
    // Reloads m_iNet's transponder edit list: a dialog may have loaded
    // another satellite's since the tree numbered its rows.
    void ReloadEditList();
    // Inserts the labels of rows 0 .. count-1 of the loaded edit list under
    // parent, with the image given (kNoImage for none).
    void InsertTpItems(QTreeWidgetItem* parent, uint16_t count, int image);
    void SetItemImage(QTreeWidgetItem* item, int image) const;
    // Deletes every item without a selection change reaching OnSelchanged.
    void ClearQuietly();
    void RefreshChannelList();

    NetworkTpHost* m_host = nullptr;
    // The tree's styles: lines between the items, buttons on those with
    // children (set by Refresh).
    bool m_hasLines = false;
    bool m_hasButtons = false;
    // Set while Qt moves the current item on its own (a cleared tree, focus
    // taken with none): the native tree has no such change.
    bool m_ignoreCurrentChange = false;
    // Set while a key moves the current item: the selection is then the new
    // item's, not the one a click stored.
    bool m_keyboardMove = false;
};
