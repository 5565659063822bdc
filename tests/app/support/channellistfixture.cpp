#include "channellistfixture.h"

#include "activeowner.h"
#include "dbopen.h"
#include "dbstate.h"
#include "imagebuilder.h"
#include "smalllist.h"
#include "resource.h"
#include "servicecells.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <cstring>
#include <vector>

const char kTvName[] = "News TV";
const char kRadioName[] = "Music FM";
const char kDataName[] = "ABCDEFGHIJKLMNOPQRSTUV";
static_assert(sizeof kDataName - 1 == SVC_NAME_LEN);

namespace {

ImageSpec FixtureSpec(TpInfo* tpA, TpInfo* tpB) {
    ImageSpec spec = SmallListSpec(MakeSatellite("Hotbird", 130, 9750000), 0,
                                   {{1234}, {11900, 27500, POL_VERTICAL}});
    *tpA = spec.transponders[0];
    *tpB = spec.transponders[1];

    ImageService tv{MakeService(kTvName, SVC_TYPE_TV, 256, 257), 0};
    ImageService radio{MakeService(kRadioName, SVC_TYPE_RADIO, PID_NONE, 300), 0};
    radio.record.flags |= SVCF_LOCK;
    radio.record.casId[0] = kViaccessId;
    ImageService data{MakeService("", 2, kHighPid, kHighPid + 1), 0};
    data.record.pcrPid = 0xFFFF;
    data.record.casId[0] = kUnknownCasId;
    std::memcpy(data.record.name, kDataName, SVC_NAME_LEN);
    spec.services = {tv, radio, data};
    return spec;
}

ImageSpec SixServicesSpec(TpInfo* tp) {
    ImageSpec spec = SmallListSpec(MakeSatellite("Astra", 192, 9750000), 0, {{11494, 22000}});
    *tp = spec.transponders[0];
    AddTvServices(spec, 0, kSixNames);
    return spec;
}

} // namespace

const Names kSixNames = {"S1", "S2", "S3", "S4", "S5", "S6"};

void ChannelListTest::SetUp() {
    DB_ResetAllState();
    ASSERT_TRUE(BuildImage(FixtureSpec(&tpA, &tpB)));
    ResetLibraryKeepImage();
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    ASSERT_EQ(count, 3);
    ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);

    font.CreateFromQFont(QApplication::font());
    owner = std::make_unique<ReportingOwner>();
    ASSERT_TRUE(CreateActiveOwner(*owner, 900, 300));
    grid = std::make_unique<ChannelGrid>();
    ASSERT_TRUE(grid->Create(platform::WS_CHILD | platform::WS_VISIBLE,
                             platform::Rect(0, 0, 900, 300), owner.get(), 256));
    grid->SetFont(&font);
    grid->InitColumns();
    grid->SetSelectionSource(this);
}

void ChannelListTest::TearDown() {
    grid.reset();
    if (owner) owner->DestroyWindow();
    owner.reset();
    DB_ResetAllState();
}

void ChannelListTest::OpenSixServices() {
    DB_ResetAllState();
    TpInfo tp{};
    ASSERT_TRUE(BuildImage(SixServicesSpec(&tp)));
    ResetLibraryKeepImage();
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);
    SelectTp(tp);
    ASSERT_EQ(ServiceNames(), kSixNames);
    ASSERT_EQ(grid->GetItemCount(), 7);
}

Names ChannelListTest::ServiceNames() const {
    Names names;
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (uint32_t n = 0;
         SLM_GetNthServiceHandleWithTpInfo(&selection.m_tpInfo, n, &handle) == DBERR_OK &&
         handle != SVC_HANDLE_INVALID;
         ++n) {
        const SvcInfo record = Record(handle);
        const auto* name = reinterpret_cast<const char*>(record.name);
        names.emplace_back(name, strnlen(name, SVC_NAME_LEN));
    }
    return names;
}

void ChannelListTest::SelectRoot() {
    selection = NetworkSelection{};
    selection.m_select = 0;
    grid->RebuildList(TRUE);
}

void ChannelListTest::SelectSatellite(int slot) {
    selection = NetworkSelection{};
    selection.m_select = 1;
    selection.m_iNet = slot;
    grid->RebuildList(TRUE);
}

void ChannelListTest::SelectTp(const TpInfo& tp) {
    selection = NetworkSelection{};
    selection.m_select = 2;
    selection.m_iNet = tp.satIndex;
    selection.m_tpInfo = tp;
    grid->RebuildList(TRUE);
}

SvcHandle ChannelListTest::RowService(int row) const {
    SvcHandle handle = SVC_HANDLE_INVALID;
    if (row < 1) return handle;
    if (SLM_GetNthServiceHandleWithTpInfo(&selection.m_tpInfo, static_cast<uint32_t>(row - 1),
                                          &handle) != DBERR_OK)
        return SVC_HANDLE_INVALID;
    return handle;
}

SvcInfo ChannelListTest::Record(SvcHandle handle) const {
    SvcInfo record{};
    EXPECT_EQ(SLM_GetServiceInfo(handle, &record), DBERR_OK);
    return record;
}

int ChannelListTest::RowOf(const char* name) const {
    for (int row = 1; row < grid->GetItemCount(); ++row) {
        const SvcHandle handle = RowService(row);
        if (handle == SVC_HANDLE_INVALID) continue;
        const SvcInfo record = Record(handle);
        if (std::memcmp(record.name, name, std::min(std::strlen(name), SVC_NAME_LEN)) == 0)
            return row;
    }
    return -1;
}

void ChannelListTest::Commit(int row, int column, const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    platform::LV_ITEM item;
    item.mask = platform::LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(text.size());
    grid->CommitCellText(grid->GetTreeItem(row), &item);
}

void ChannelListTest::Settle() {
    for (int n = 0; n < 3; ++n) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

platform::ComboBox* ChannelListTest::OpenCombo() const {
    return dynamic_cast<platform::ComboBox*>(grid->GetDlgItem(IDC_COMBOINLISTVIEW));
}

void ChannelListTest::PressF2(int row, int column) {
    grid->SelectAllRows(FALSE);
    grid->SetItemState(row, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                       platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
    grid->SetCurrentColumn(column);
    grid->SetFocus();
    QTest::keyClick(grid->GetClientWidget(), Qt::Key_F2);
    Settle();
}

void ChannelListTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // In the open list the keys go where the keyboard does: its view.
    QWidget* target = QApplication::activePopupWidget();
    if (target && target->focusWidget()) target = target->focusWidget();
    if (!target) target = QApplication::focusWidget();
    QTest::keyClick(target, key, modifiers);
    Settle();
}

void ChannelListTest::Type(const std::string& text) {
    QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text.c_str()));
}

BOOL GridDeleteHost::DeleteRowService(int row) {
    SvcHandle handle = SVC_HANDLE_INVALID;
    SvcInfo record{};
    const NetworkSelection selection = m_tree->GetNetworkSelection();
    if (row > 0 && SLM_GetNthServiceHandleWithTpInfo(
                       &selection.m_tpInfo, static_cast<uint32_t>(row - 1), &handle) == DBERR_OK)
        SLM_GetServiceInfo(handle, &record);
    deleted.emplace_back(row, record);
    return m_grid->DeleteRowService(row);
}

void GridDeleteHost::RefreshList(BOOL bAll) {
    ++rebuilds;
    m_grid->RebuildList(bAll);
}

BOOL ReportingOwner::OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                              platform::LRESULT* result) {
    const auto* header = reinterpret_cast<const platform::NMHDR*>(lParam);
    if (header && header->code == platform::LVN_ENDLABELEDIT) {
        const platform::LV_ITEM& item =
            reinterpret_cast<const platform::LV_DISPINFO*>(header)->item;
        reports.push_back({item.iItem, item.iSubItem, item.pszText != nullptr,
                           item.pszText ? item.pszText : "", item.mask, item.lParam});
    }
    return Window::OnNotify(wParam, lParam, result);
}
