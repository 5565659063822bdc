#include "networktpfixture.h"

#include "dbstate.h"
#include "imagebuilder.h"
#include "slm.h"
#include "wrapper.h"

#include <QHBoxLayout>
#include <QTest>

#include <cstring>

namespace nettree_test {

namespace {

struct FixtureTp {
    uint8_t slot;
    uint32_t frequency;
    uint16_t symbolRate;
    uint8_t polarisation;
    int services; // services made on it
};

// Slot A's rows stand in frequency order: polarisations 1, 16, 0 and 7.
const FixtureTp kTransponders[] = {
    {kSlotA, 11778, 27500, 1, 2}, {kSlotA, 11900, 27500, 16, 0}, {kSlotA, 12000, 27500, 0, 1},
    {kSlotA, 12100, 27500, 7, 0}, {kSlotB, 10700, 22000, 0, 1},  {kSlotB, 10800, 22000, 1, 1},
    {kUserA, 12500, 30000, 0, 2},
};

ImageSpec FixtureSpec() {
    ImageSpec spec;
    spec.satellites[kSlotA] = MakeSatellite("Sat Three", 192, 9750000);
    spec.satellites[kSlotB] = MakeSatellite("Sat Seven", 130, 9750000);
    spec.satellites[kUserA] = MakeSatellite("User A", 282, 10600000);
    spec.satellites[kUserEmpty] = MakeSatellite("User B", -50, 10600000);
    SatInfo longName = MakeSatellite("", 90, 10600000);
    std::memcpy(longName.name, "ABCDEFGHIJKLMNOP", SAT_NAME_LEN); // no terminator
    spec.satellites[kUserLong] = longName;
    int serviceNumber = 0;
    for (const FixtureTp& tp : kTransponders) {
        const TsInfo ts = MakeTs(tp.frequency, tp.symbolRate, tp.polarisation, tp.slot);
        spec.transponders.push_back(ts.tp);
        if (tp.services == 0) continue;
        spec.transportStreams.push_back(ts);
        for (int n = 0; n < tp.services; ++n) {
            ImageService service;
            const std::string name = "Svc " + std::to_string(serviceNumber);
            const auto pid = static_cast<uint16_t>(0x100 + serviceNumber++);
            service.record = MakeService(name.c_str(), SVC_TYPE_TV, pid, pid + 1);
            service.tsIndex = static_cast<int>(spec.transportStreams.size()) - 1;
            spec.services.push_back(service);
        }
    }
    return spec;
}

} // namespace

bool AllZero(const TpInfo& tpInfo) {
    const TpInfo zero{};
    return std::memcmp(&tpInfo, &zero, sizeof zero) == 0;
}

void RecordingPane::RefreshChannelList(int flag) {
    const CNetworkTp& tree = **m_tree;
    refreshes.push_back({tree.m_select, tree.m_iNet, tree.m_iTp, tree.m_tpInfo});
    m_log->push_back("refresh " + std::to_string(flag) + " " + std::to_string(tree.m_select) + " " +
                     std::to_string(tree.m_iNet) + " " + std::to_string(tree.m_iTp));
}

void RecordingPane::RebuildChannelList(int flag) {
    ++rebuilds;
    m_log->push_back("rebuild " + std::to_string(flag));
}

void NetworkTpTest::SetUp() {
    DB_ResetAllState();
    ASSERT_TRUE(BuildImage(FixtureSpec()));
    const std::vector<uint8_t> bytes(g_FlashImage, g_FlashImage + DB_IMAGE_SIZE);
    DB_ResetAllState();
    ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
    ASSERT_EQ(DB_OpenImage(bytes.data(), bytes.size()), DBERR_OK);

    m_boxes = std::make_unique<platform::MessageBoxRecorder>();
    m_previousPopup =
        platform::PopupMenuRunner::SetHook([this](const platform::PopupMenuRequest& r) {
            m_popups.push_back(r.items);
            m_log.push_back("popup " + std::to_string(m_tree->m_select) + " " +
                            std::to_string(m_tree->m_iNet) + " " + std::to_string(m_tree->m_iTp));
            return std::exchange(m_popupChoice, 0u);
        });
    DialogRunner runner;
    runner.editNetwork = [this](QWidget*, int mode, uint8_t slot) {
        m_log.push_back("editNetwork " + std::to_string(mode) + " " + std::to_string(slot));
        return m_editNetwork ? m_editNetwork(mode, slot, 0) : 2;
    };
    runner.editTransport = [this](QWidget*, int mode, uint8_t slot, uint16_t tp) {
        m_log.push_back("editTransport " + std::to_string(mode) + " " + std::to_string(slot) + " " +
                        std::to_string(tp));
        return m_editTransport ? m_editTransport(mode, slot, tp) : 2;
    };
    runner.editChannel = [this](QWidget*, int mode, uint8_t level, uint8_t slot, uint16_t tp) {
        m_log.push_back("editChannel " + std::to_string(mode) + " " + std::to_string(level) + " " +
                        std::to_string(slot) + " " + std::to_string(tp));
        return m_editChannel ? m_editChannel(mode, level, slot, tp) : 2;
    };
    m_previousRunner = SetDialogRunner(std::move(runner));

    m_window = std::make_unique<QWidget>();
    m_window->resize(360, 520);
    auto* layout = new QHBoxLayout(m_window.get());
    m_tree = new CNetworkTp(m_window.get());
    layout->addWidget(m_tree);
    m_pane = std::make_unique<RecordingPane>(&m_tree, &m_log);
    m_tree->SetHost(m_pane.get());
    m_tree->OnInitialUpdate();
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    m_tree->Refresh();
    m_log.clear();
    m_pane->refreshes.clear();
    m_pane->rebuilds = 0;
}

void NetworkTpTest::TearDown() {
    m_window.reset(); // the tree with it
    SetDialogRunner(std::move(m_previousRunner));
    platform::PopupMenuRunner::SetHook(std::move(m_previousPopup));
    m_boxes.reset();
    DB_ResetAllState();
}

QTreeWidgetItem* NetworkTpTest::Item(std::vector<int> path) const {
    QTreeWidgetItem* item = m_tree->RootItem();
    for (int index : path) {
        if (item == nullptr) return nullptr;
        item->setExpanded(true);
        item = item->child(index);
    }
    return item;
}

QStringList NetworkTpTest::ChildLabels(const QTreeWidgetItem* item) const {
    QStringList labels;
    for (int n = 0; item != nullptr && n < item->childCount(); ++n)
        labels << item->child(n)->text(0);
    return labels;
}

QPoint NetworkTpTest::CentreOf(const QTreeWidgetItem* item) const {
    return m_tree->visualItemRect(item).center();
}

QPoint NetworkTpTest::EmptySpace() const {
    return QPoint(m_tree->viewport()->width() / 2, m_tree->viewport()->height() - 4);
}

void NetworkTpTest::LeftClick(QPoint viewportPos) {
    QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, {}, viewportPos);
}

void NetworkTpTest::RightClick(QPoint viewportPos) {
    QTest::mouseClick(m_tree->viewport(), Qt::RightButton, {}, viewportPos);
}

void NetworkTpTest::Key(Qt::Key key) {
    QTest::keyClick(m_tree, key);
}

std::vector<TpRow> NetworkTpTest::RowsOf(uint8_t slot) {
    std::vector<TpRow> rows;
    uint16_t count = 0, constant = 0;
    EXPECT_EQ(SLM_LoadSatTpList(slot, 0, &count, &constant), DBERR_OK);
    for (uint16_t n = 0; n < count; ++n) {
        TpRow row{};
        EXPECT_EQ(SLM_GetNthTp(n, &row), DBERR_OK);
        rows.push_back(row);
    }
    return rows;
}

std::vector<SvcHandle> NetworkTpTest::ServicesOn(const TpInfo& key) {
    std::vector<SvcHandle> handles;
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (uint32_t n = 0; SLM_GetNthServiceHandleWithTpInfo(&key, n, &handle) == DBERR_OK; ++n)
        handles.push_back(handle);
    return handles;
}

std::vector<SvcInfo> NetworkTpTest::RecordsOn(const TpInfo& key) {
    std::vector<SvcInfo> records;
    for (SvcHandle handle : ServicesOn(key)) {
        SvcInfo svcInfo{};
        EXPECT_EQ(SLM_GetServiceInfo(handle, &svcInfo), DBERR_OK);
        records.push_back(svcInfo);
    }
    return records;
}

TpInfo NetworkTpTest::KeyOf(uint32_t frequencyMhz, uint8_t slot) {
    for (const TpRow& row : RowsOf(slot))
        if (row.frequency == frequencyMhz) return SLM_TpRowToKey(row, slot);
    ADD_FAILURE() << "no row " << frequencyMhz << " on slot " << int(slot);
    return TpInfo{};
}

} // namespace nettree_test
