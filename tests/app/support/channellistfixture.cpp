#include "channellistfixture.h"

#include "dbopen.h"
#include "dbstate.h"
#include "imagebuilder.h"
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
    ImageSpec spec;
    spec.satellites[0] = MakeSatellite("Hotbird", 130, 9750000);
    TsInfo a = MakeTs(1234, 27500, POL_HORIZONTAL, 0);
    a.id1 = 1;
    TsInfo b = MakeTs(11900, 27500, POL_VERTICAL, 0);
    b.id1 = 2;
    spec.transportStreams = {a, b};
    spec.transponders = {a.tp, b.tp};
    *tpA = a.tp;
    *tpB = b.tp;

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

} // namespace

void ChannelListTest::SetUp() {
    DB_ResetAllState();
    ASSERT_TRUE(BuildImage(FixtureSpec(&tpA, &tpB)));
    ResetLibraryKeepImage();
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    ASSERT_EQ(count, 3);
    ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);

    font.CreateFromQFont(QApplication::font());
    owner = std::make_unique<platform::Window>();
    ASSERT_TRUE(owner->Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 900, 300), nullptr, 0));
    QWidget* window = owner->GetWidget();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
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
