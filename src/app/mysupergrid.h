// The channel list: the tree list specialised for the services of one
// transponder. One root row names what the satellite and transponder tree
// has selected; under a selected transponder, row r is service r - 1 of that
// transponder (rows hold no handle: every row operation looks its service up
// again by position). A cell edit is written into the service's record at
// once; the list is rebuilt only on request.
#pragma once

#include "controls/combobox.h"
#include "draw/imagelist.h"
#include "networkselection.h"
#include "supergridctrl.h"

#include <functional>
#include <memory>
#include <string>

namespace platform {
class PrintSurface;
}

class CMySuperGrid : public CSuperGridCtrl {
  public:
    CMySuperGrid() = default;
    ~CMySuperGrid() override;

    // Where the tree's selection is read from; none (the default) reads as
    // nothing selected. The source must outlive the grid or be reset first.
    void SetSelectionSource(const INetworkSelectionSource* source) { m_pSelection = source; }

    // Grid lines and the nine columns. Called once after creation.
    void InitColumns();
    // Discards every row and builds the rows of the tree's selection: the
    // root row alone, and under a transponder one row per service. bAll is
    // passed along by the callers and changes nothing.
    void RebuildList(BOOL bAll);
    // Prints the list (mysupergridprint.cpp): a banner, then, while a row is
    // selected, one line per node (roots and every node below them, collapsed
    // ones included) holding its texts each followed by a tab, at x 10, a new
    // page whenever a line would pass the page's bottom. Stops when the
    // surface cannot begin a new page.
    void PrintRows(platform::PrintSurface& surface);
    // Appends one row per service of the transponder key under root, without
    // list rows (they appear when root is expanded). Stops at the first
    // service the database does not give; a null root or key adds nothing.
    void AddServiceItems(CTreeItem* root, const TpInfo* tpKey);
    // Deletes the service behind list row (service row - 1 of the selected
    // transponder) from the database; the rows stay until the next rebuild.
    // FALSE for row 0 or less, when no transponder is selected, or when the
    // transponder has no such service.
    BOOL DeleteRowService(int row);

    // Opens the in-place combo over cell (row, column) with the choices,
    // dropped down, with the entry that begins with the cell's text selected
    // (none when no entry does). Returns it, or nullptr when the row cannot
    // be made visible or the combo cannot be made.
    platform::ComboBox* ShowInPlaceCombo(int row, int column, CItemInfo::ChoiceList* list);
    // The widest choice in the combo's own font, plus 6 pixels; 0 without a
    // combo window, a font or choices.
    int CalcComboExtent(platform::ComboBox* combo, const CItemInfo::ChoiceList* list);

    // ---- the control's virtual operations ----
    // A full copy of a row record. A null record is an assertion and gives
    // an empty one.
    CItemInfo* CopyItemInfo(CItemInfo* info) override;
    // The row's own image when it names one; else 1 for a collapsed row with
    // children, 0 for an expanded one, 2 for a row without children. 0 for a
    // null node.
    int GetItemIcon(CTreeItem* node) override;
    // Red.
    platform::COLORREF GetFocusCellColor() override;
    // Writes the edited cell into the service record of its row, then stores
    // the cell's text. At a level other than a transponder the edit is
    // refused with a message and the typed text stays; a service row shows
    // the value the database now holds (a refused value, a shown-only column or
    // a service no longer found all show the stored text again; a record
    // that cannot be read is not written and the cell keeps its text). An edit
    // of no column of the list commits nothing.
    void CommitCellText(CTreeItem* node, platform::LV_ITEM* item) override;
    // A PID with a letter, refused by the control, gets the message every
    // refused PID gets; the cell keeps the stored value.
    void OnCellTextRefused(CTreeItem* node, const platform::LV_ITEM& item) override;
    // A click into the drop button of a combo column opens the combo (TRUE);
    // everything else opens nothing and answers FALSE.
    BOOL BeginCellEdit(UINT flags, platform::Point point, platform::LVHITTESTINFO* hit) override;
    // The control's picture of the row being dragged while m_bDragImage is
    // set; nothing otherwise.
    std::unique_ptr<platform::ImageList> MakeDragImage(int row) override;
    BOOL OnBeforeExpand(CTreeItem* node, int row) override;
    BOOL OnAfterExpand(CTreeItem* node, int row) override;
    BOOL OnBeforeCollapse(CTreeItem* node) override;
    BOOL OnAfterCollapse(CTreeItem* node) override;
    BOOL OnItemEvent(CTreeItem* node, int row) override;
    // F2 on a combo column opens the combo (TRUE); FALSE lets the control
    // open its edit box.
    BOOL OnVkF2() override;
    BOOL OnItemLButtonDown(platform::LVHITTESTINFO& hit) override;

  protected:
    // -1 when the list or its row images cannot be made, else 0.
    int OnCreate(platform::CREATESTRUCT* cs) override;
    // kRebuildAfterRefile rebuilds the rows (through the host, so that its
    // commands follow); everything else goes to the control.
    platform::LRESULT WindowProc(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;

  private:
    // Posted by a TYPE commit that filed its service into the other kind.
    static constexpr platform::UINT kRebuildAfterRefile = platform::WM_USER + 0x51;

    NetworkSelection Selection() const;
    // The combo kind and choices of a row's list column; false for any
    // other editor kind.
    bool ComboColumn(int row, int column, CItemInfo::ChoiceList*& list) const;
    // The cell's text as the row record holds it.
    std::string StoredText(CTreeItem* node, const platform::LV_ITEM& item) const;
    // What every refused PID text is told ("ERROR", stop icon).
    static void TellPidRefused();
    // The base commit with text in place of the typed one.
    void CommitText(CTreeItem* node, const platform::LV_ITEM& item, const std::string& text);

  public:
    int m_bDragImage = 1; // the drag image is used; nothing clears it
    // How a cell commit reads a service's record (a test makes it fail).
    std::function<SLM_RESULT(SvcHandle, SvcInfo*)> m_readService = SLM_GetServiceInfo;

  private:
    // The row images (bitmap 158). The control's own m_imageList, which
    // holds sub-item images, stays empty in the channel list.
    platform::ImageList m_imageList;
    const INetworkSelectionSource* m_pSelection = nullptr;
};
