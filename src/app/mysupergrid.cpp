#include "mysupergrid.h"

#include "channelimages.h"
#include "comboinlistview.h"
#include "dialogs/messagebox.h"
#include "resource.h"
#include "servicecells.h"
#include "draw/sysmetrics.h"
#include "base/text.h"
#include "base/trace.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Levels of the tree's selection.
constexpr int kLevelRoot = 0;
constexpr int kLevelSatellite = 1;
constexpr int kLevelTransponder = 2;

// Row images of bitmap 158.
constexpr int kImageSize = 16;
constexpr int kImageGrow = 1;
constexpr platform::COLORREF kImageMask = platform::RGB(0, 255, 255);
constexpr int kImageExpanded = 0;
constexpr int kImageCollapsed = 1;
constexpr int kImageLeaf = 2;

// Room beside the widest choice of an in-place combo.
constexpr int kComboExtentMargin = 6;

struct ColumnSpec {
    const char* title;
    int width;
};
constexpr ColumnSpec kColumns[kChannelColumnCount] = {
    {"Channel No.", 145}, {"Service Name", 130}, {"VID", 75},  {"AID", 75}, {"PCRPID", 75},
    {"ServiceID", 75},    {"LOCK", 75},          {"TYPE", 75}, {"CAS", 75},
};

// Service n (from 0) of the transponder; false when the database gives none.
bool FindService(const TpInfo& tpKey, int n, SvcHandle* handle) {
    if (n < 0) return false;
    *handle = SVC_HANDLE_INVALID;
    return SLM_GetNthServiceHandleWithTpInfo(&tpKey, static_cast<uint32_t>(n), handle) ==
               DBERR_OK &&
           *handle != SVC_HANDLE_INVALID;
}

// The number the handle carries (its low 14 bits); -1 when the lists do not
// know the handle.
int ServiceNumber(SvcHandle handle) {
    constexpr uint16_t kNumberMask = 0x3FFF;
    uint16_t number = 0;
    uint8_t type = 0;
    if (SLM_GetServiceNumber(handle, &number, &type) != DBERR_OK) return -1;
    return number & kNumberMask;
}

std::string RootText(const NetworkSelection& selection) {
    const auto satelliteName = [&] {
        const char* name = SN_GetSatName(static_cast<uint32_t>(selection.m_iNet));
        return std::string(name ? name : "");
    };
    switch (selection.m_select) {
    case kLevelRoot:
        return "Network";
    case kLevelSatellite:
        return satelliteName();
    case kLevelTransponder: {
        char frequency[16];
        std::snprintf(frequency, sizeof frequency, "%u", selection.m_tpInfo.frequency);
        std::string text = satelliteName();
        text += " | ";
        text += frequency;
        return text;
    }
    default:
        return std::string();
    }
}

} // namespace

CMySuperGrid::~CMySuperGrid() {
    // The list keeps a pointer to the images: take them back first.
    SetImageList(nullptr, platform::LVSIL_SMALL);
    m_himl = nullptr;
    m_imageList.DeleteImageList();
}

int CMySuperGrid::OnCreate(platform::CREATESTRUCT* cs) {
    if (CSuperGridCtrl::OnCreate(cs) == -1) return -1;
    const QImage strip(ChannelImagesPixmap());
    if (!m_imageList.Create(strip, kImageSize, kImageGrow, kImageMask)) return -1;
    SetImageList(&m_imageList, platform::LVSIL_SMALL);
    if (GetImageList(platform::LVSIL_SMALL) != &m_imageList) return -1;
    m_imageList.GetIconSize(&m_cxImage, &m_cyImage);
    return 0;
}

void CMySuperGrid::InitColumns() {
    SetExtendedStyle(GetExtendedStyle() | platform::LVS_EX_GRIDLINES);
    for (int column = 0; column < kChannelColumnCount; ++column)
        InsertColumn(column, kColumns[column].title, platform::LVCFMT_LEFT, kColumns[column].width);
}

NetworkSelection CMySuperGrid::Selection() const {
    return m_pSelection ? m_pSelection->GetNetworkSelection() : NetworkSelection{};
}

void CMySuperGrid::RebuildList(BOOL /*bAll*/) {
    auto* info = new CItemInfo;
    DeleteAll();
    const NetworkSelection selection = Selection();
    info->SetItemText(RootText(selection));
    CTreeItem* root = InsertRootItem(info);
    if (selection.m_select == kLevelTransponder) AddServiceItems(root, &selection.m_tpInfo);
    if (selection.m_select == kLevelRoot) {
        Expand(root, GetItemIndex(root));
    } else if (selection.m_select == kLevelSatellite || selection.m_select == kLevelTransponder) {
        int last = 0;
        ExpandAll(root, last);
    }
}

void CMySuperGrid::AddServiceItems(CTreeItem* root, const TpInfo* tpKey) {
    if (!root || !tpKey) return;
    // One walk along the master list, on from each service to the next one
    // of the transponder: the services n = 0, 1, ... of the transponder in
    // their order, without a walk from the start for each row.
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (int n = 0; SLM_GetNextServiceHandleWithTpInfo(tpKey, handle, &handle) == DBERR_OK &&
                    handle != SVC_HANDLE_INVALID;
         ++n) {
        // The handle came from the master list just now: its record is read
        // without looking the handle up there again.
        SvcInfo record{};
        SLM_ReadServiceInfo(handle, &record);
        const int number = ServiceNumber(handle);
        auto* info = new CItemInfo;
        info->SetItemText(ServiceCellText(colChannelNo, n, record, number));
        info->SetControlType(CItemInfo::combobox, colLock - 1);
        info->SetListData(colLock - 1, &m_lockList);
        info->SetControlType(CItemInfo::combobox, colType - 1);
        info->SetListData(colType - 1, &m_typeList);
        info->SetControlType(CItemInfo::editNoButton, colCas - 1);
        for (int column = colServiceName; column < kChannelColumnCount; ++column)
            info->AddSubItemText(ServiceCellText(column, n, record, number));
        InsertItem(root, info, FALSE, insertTail);
    }
}

// ---- cell edits ----

std::string CMySuperGrid::StoredText(CTreeItem* node, const platform::LV_ITEM& item) const {
    const CItemInfo* info = node ? GetData(node) : nullptr;
    if (!info) return GetItemText(item.iItem, item.iSubItem);
    return item.iSubItem == 0 ? info->GetItemText() : info->GetSubItemText(item.iSubItem - 1);
}

void CMySuperGrid::CommitText(CTreeItem* node, const platform::LV_ITEM& item,
                              const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    platform::LV_ITEM shown = item;
    shown.pszText = buffer.data();
    shown.cchTextMax = static_cast<int>(text.size());
    CSuperGridCtrl::CommitCellText(node, &shown);
}

void CMySuperGrid::CommitCellText(CTreeItem* node, platform::LV_ITEM* item) {
    ASSERT(item);
    if (!item || item->iSubItem < 0 || item->iSubItem >= kChannelColumnCount) return;
    const NetworkSelection selection = Selection();
    if (selection.m_select != kLevelTransponder) {
        platform::MessageBox(platform::FromUtf8("Current not applied"),
                             platform::FromUtf8("Information"), platform::MB_OK);
        CSuperGridCtrl::CommitCellText(node, item);
        return;
    }
    // Row 0 is the transponder's own row: no service stands behind it.
    if (item->iItem < 1 || !item->pszText) {
        CSuperGridCtrl::CommitCellText(node, item);
        return;
    }
    const int n = item->iItem - 1;
    SvcHandle handle = SVC_HANDLE_INVALID;
    if (!FindService(selection.m_tpInfo, n, &handle)) {
        CommitText(node, *item, StoredText(node, *item));
        return;
    }
    // A record that cannot be read is not written: the zeroed copy would
    // take the service's name and PIDs with it.
    SvcInfo record{};
    if (m_readService(handle, &record) != DBERR_OK) {
        CommitText(node, *item, StoredText(node, *item));
        return;
    }
    const CellCommit result = ApplyCellText(item->iSubItem, item->pszText, &record);
    if (result == CellCommit::write) SLM_SetServiceInfo(handle, &record);
    // A service of another kind belongs in that kind's order at once, where
    // a reload would put it; its place among the transponder's services
    // moves with it, so the rows are built again once this edit has ended.
    if (result == CellCommit::write && item->iSubItem == colType &&
        SLM_SetServiceType(handle, static_cast<uint8_t>(DB_GetBits(record.flags, SVCF_TYPE_LO,
                                                                   SVCF_TYPE_W))) == DBERR_OK)
        PostMessage(kRebuildAfterRefile);
    // The cell shows what the record now holds, not what was typed.
    SvcInfo stored{};
    if (m_readService(handle, &stored) != DBERR_OK) {
        CommitText(node, *item, StoredText(node, *item));
        return;
    }
    CommitText(node, *item, ServiceCellText(item->iSubItem, n, stored, ServiceNumber(handle)));
    // Told once the cell shows the stored value again, so the box stands over it.
    if (result == CellCommit::refuse && IsPidColumn(item->iSubItem)) TellPidRefused();
}

void CMySuperGrid::OnCellTextRefused(CTreeItem* /*node*/, const platform::LV_ITEM& item) {
    if (IsPidColumn(item.iSubItem)) TellPidRefused();
}

void CMySuperGrid::TellPidRefused() {
    platform::MessageBox(platform::FromUtf8(kPidCellRefusal), platform::FromUtf8("ERROR"),
                         platform::MB_OK | platform::MB_ICONSTOP);
}

platform::LRESULT CMySuperGrid::WindowProc(platform::UINT message, platform::WPARAM wParam,
                                           platform::LPARAM lParam) {
    if (message != kRebuildAfterRefile) return CSuperGridCtrl::WindowProc(message, wParam, lParam);
    if (ITreeListHost* host = GetHost())
        host->RefreshList(TRUE);
    else
        RebuildList(TRUE);
    return 0;
}

// ---- in-place combo ----

bool CMySuperGrid::ComboColumn(int row, int column, CItemInfo::ChoiceList*& list) const {
    if (row < 0 || row >= GetItemCount() || column < 1) return false;
    const CItemInfo* info = GetData(GetTreeItem(row));
    CItemInfo::CONTROLTYPE kind = CItemInfo::edit;
    if (!info || !info->GetControlType(column - 1, kind) || kind != CItemInfo::combobox)
        return false;
    list = nullptr;
    info->GetListData(column - 1, list);
    return true;
}

BOOL CMySuperGrid::BeginCellEdit(UINT /*flags*/, platform::Point point,
                                 platform::LVHITTESTINFO* hit) {
    if (!hit) return FALSE;
    CItemInfo::ChoiceList* list = nullptr;
    if (!ComboColumn(hit->iItem, hit->iSubItem, list)) return FALSE;
    platform::Rect cell;
    if (!GetSubItemRect(hit->iItem, hit->iSubItem, platform::LVIR_BOUNDS, cell)) return FALSE;
    // The drop button's width, as the cell draws it.
    const int button = platform::GetSystemMetrics(platform::SM_CYVSCROLL);
    if (point.x < cell.right - button || point.x > cell.right) return FALSE;
    ShowInPlaceCombo(hit->iItem, hit->iSubItem, list);
    return TRUE;
}

BOOL CMySuperGrid::OnVkF2() {
    const int row = GetNextItem(-1, platform::LVNI_SELECTED);
    const int order = GetCurSubItem();
    if (row == -1 || order == -1) return FALSE;
    platform::HeaderControl* header = GetHeaderCtrl();
    const int column = header ? header->OrderToIndex(order) : order;
    CItemInfo::ChoiceList* list = nullptr;
    if (!ComboColumn(row, column, list)) return FALSE;
    ShowInPlaceCombo(row, column, list);
    return TRUE;
}

platform::ComboBox* CMySuperGrid::ShowInPlaceCombo(int row, int column,
                                                   CItemInfo::ChoiceList* list) {
    const std::string text = GetItemText(row, column);
    platform::Rect rect;
    if (!CellBoxRect(row, column, &rect)) return nullptr;
    // The box covers the cell; its list drops down as tall as its choices.
    auto* combo = new CComboInListView(row, column, list);
    constexpr platform::DWORD kStyle = platform::WS_CHILD | platform::WS_VISIBLE |
                                       platform::CBS_DROPDOWNLIST | platform::CBS_DISABLENOSCROLL;
    if (!combo->Create(kStyle, rect, this, IDC_COMBOINLISTVIEW)) {
        delete combo;
        return nullptr;
    }
    combo->ModifyStyleEx(0, platform::WS_EX_CLIENTEDGE);
    combo->SetHorizontalExtent(static_cast<UINT>(CalcComboExtent(combo, list)));
    combo->ShowDropDown();
    combo->SelectString(-1, text.c_str());
    return combo;
}

int CMySuperGrid::CalcComboExtent(platform::ComboBox* combo, const CItemInfo::ChoiceList* list) {
    if (!combo || !combo->IsWindow() || !list) return 0;
    platform::Font* font = combo->GetFont();
    if (!font) return 0;
    platform::Dc* dc = combo->GetDC();
    if (!dc) return 0;
    platform::Font* old = dc->SelectObject(font);
    int extent = 0;
    for (const std::string& choice : *list)
        extent = std::max(extent, dc->GetTextExtent(choice).cx + kComboExtentMargin);
    dc->SelectObject(old);
    combo->ReleaseDC(dc);
    return extent;
}

// ---- the remaining virtual operations ----

CItemInfo* CMySuperGrid::CopyItemInfo(CItemInfo* info) {
    ASSERT(info);
    auto* copy = new CItemInfo;
    if (info) copy->CopyObjects(*info);
    return copy;
}

int CMySuperGrid::GetItemIcon(CTreeItem* node) {
    if (!node) return 0;
    if (const CItemInfo* info = GetData(node); info && info->GetImage() != -1)
        return info->GetImage();
    if (!ItemHasChildren(node)) return kImageLeaf;
    return IsCollapsed(node) ? kImageCollapsed : kImageExpanded;
}

platform::COLORREF CMySuperGrid::GetFocusCellColor() {
    return platform::RGB(255, 0, 0);
}

std::unique_ptr<platform::ImageList> CMySuperGrid::MakeDragImage(int /*row*/) {
    if (!m_bDragImage) return nullptr;
    return CSuperGridCtrl::MakeDragImage(GetDragItem());
}

BOOL CMySuperGrid::OnBeforeExpand(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CMySuperGrid::OnAfterExpand(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CMySuperGrid::OnBeforeCollapse(CTreeItem* /*node*/) {
    return TRUE;
}
BOOL CMySuperGrid::OnAfterCollapse(CTreeItem* /*node*/) {
    return TRUE;
}
BOOL CMySuperGrid::OnItemEvent(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CMySuperGrid::OnItemLButtonDown(platform::LVHITTESTINFO& /*hit*/) {
    return TRUE;
}

BOOL CMySuperGrid::DeleteRowService(int row) {
    // Row 0 is the transponder itself; rows name services only under one.
    const NetworkSelection selection = Selection();
    if (row < 1 || selection.m_select != kLevelTransponder) return FALSE;
    SvcHandle handle = SVC_HANDLE_INVALID;
    if (!FindService(selection.m_tpInfo, row - 1, &handle)) return FALSE;
    return SLM_DeleteService(handle) == DBERR_OK ? TRUE : FALSE;
}
