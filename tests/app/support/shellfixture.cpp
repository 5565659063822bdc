#include "shellfixture.h"

#include "dbstate.h"
#include "imagebuilder.h"
#include "mysupergrid.h"
#include "networktp.h"
#include "base/profile.h"
#include "quorvandelixdoc.h"
#include "supervw.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>

void ShellTest::SetUp() {
    ASSERT_TRUE(scratch.isValid());
    platform::SetProfileFile(scratch.filePath(QStringLiteral("profile.ini")));
    DB_ResetAllState();
    g_bFirstShow = 1;
}

void ShellTest::TearDown() {
    Stop();
    platform::SetProfileFile(QString());
    DB_ResetAllState();
    CMainFrame::s_nPleaseWaitMs = 500;
}

int ShellTest::Start(const std::vector<std::string>& args) {
    app = std::make_unique<TestApp>();
    const int result = app->InitInstance(args);
    if (result && frame()) {
        frame()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame()));
    }
    return result;
}

void ShellTest::Stop() {
    app.reset();
}

void ShellTest::LoadDatabase() {
    ImageSpec spec;
    spec.satellites[0] = MakeSatellite("Astra", 192, 9750000);
    TsInfo a = MakeTs(11000, 27500, POL_HORIZONTAL, 0);
    a.id1 = 1;
    TsInfo b = MakeTs(12000, 27500, POL_VERTICAL, 0);
    b.id1 = 2;
    spec.transportStreams = {a, b};
    spec.transponders = {a.tp, b.tp};
    tpA = a.tp;
    tpB = b.tp;
    for (const char* name : {"A1", "A2", "A3"})
        spec.services.push_back({MakeService(name, SVC_TYPE_TV, 256, 257), 0});
    for (const char* name : {"B1", "B2"})
        spec.services.push_back({MakeService(name, SVC_TYPE_TV, 256, 257), 1});
    ASSERT_TRUE(BuildImage(spec));
    ASSERT_EQ(frame()->GetActiveDocument()->OpenDatabase(), 1);
    frame()->SetLoaded(1);
    frame()->GetNetworkTp()->Refresh();
}

void ShellTest::SelectSatellite(uint8_t slot) {
    CNetworkTp* tree = frame()->GetNetworkTp();
    tree->m_select = CNetworkTp::kLevelSatellite;
    tree->m_iNet = slot;
    tree->UpdateGridList(tree->m_select, slot, 0);
}

void ShellTest::SelectTp(const TpInfo& tp) {
    CNetworkTp* tree = frame()->GetNetworkTp();
    tree->m_select = CNetworkTp::kLevelTransponder;
    tree->m_iNet = 0;
    tree->m_iTp = &tp == &tpA ? 0 : 1;
    tree->UpdateGridList(tree->m_select, 0, tree->m_iTp);
    ASSERT_EQ(std::memcmp(&tree->m_tpInfo, &tp, sizeof tp), 0);
}

void ShellTest::ClickRow(int row, Qt::KeyboardModifiers modifiers) {
    CMySuperGrid* grid = frame()->GetSuperVw()->GetGrid();
    platform::Rect rect;
    ASSERT_TRUE(grid->GetItemRect(row, &rect, platform::LVIR_BOUNDS));
    // Past the tree column's button and image, inside the row.
    const QPoint at(rect.left + 120, (rect.top + rect.bottom) / 2);
    QTest::mouseClick(grid->GetClientWidget(), Qt::LeftButton, modifiers, at);
}

std::vector<std::string> ShellTest::Services(const TpInfo& tp) {
    std::vector<std::string> names;
    for (uint32_t n = 0;; ++n) {
        SvcHandle handle = SVC_HANDLE_INVALID;
        if (SLM_GetNthServiceHandleWithTpInfo(&tp, n, &handle) != 0 || handle == SVC_HANDLE_INVALID)
            break;
        SvcInfo info{};
        if (SLM_GetServiceInfo(handle, &info) != 0) break;
        const char* name = reinterpret_cast<const char*>(info.name);
        names.emplace_back(name, strnlen(name, sizeof info.name));
    }
    return names;
}

std::string ShellTest::MakeFile(const std::string& name) {
    const QString path = scratch.filePath(QString::fromStdString(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("image");
    return path.toStdString();
}
