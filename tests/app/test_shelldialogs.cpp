// The please-wait step, the modeless "New File" window and the document's
// database check.
#include "appfixture.h"

#include "dbstate.h"
#include "dialogs/dialogbase.h"
#include "imagebuilder.h"
#include "pleasewait.h"
#include "quorvandelixdoc.h"
#include "satnet.h"
#include "wrapper.h"

#include <QTest>

#include <cstring>

class ShellDialogTest : public AppTest {};

TEST_F(ShellDialogTest, PleaseWaitIgnoresEscapeAndEndsByItsTimer) {
    ASSERT_EQ(Start(), 1);
    CMainFrame::s_nPleaseWaitMs = 50;
    bool openAfterEscape = false;
    bool endedByTimer = false;
    auto previous = platform::DialogBase::SetModalHook([&](platform::DialogBase& dialog) {
        QWidget* widget = dialog.GetWidget();
        widget->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(widget));
        QTest::keyClick(widget, Qt::Key_Escape);
        openAfterEscape =
            dialog.IsWindowVisible() && frame()->IsTimerActive(CMainFrame::kTimerCloseWait);
        endedByTimer =
            QTest::qWaitFor([&] { return !frame()->IsTimerActive(CMainFrame::kTimerCloseWait); });
    });
    const int result = frame()->PleaseWait();
    platform::DialogBase::SetModalHook(previous);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(endedByTimer);
    EXPECT_EQ(result, platform::IDOK);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("fdasfsda"));
    EXPECT_EQ(boxes.Calls()[0].caption, QStringLiteral("Quorvandelix"));
}

TEST_F(ShellDialogTest, ClosedPleaseWaitWindowFreesItselfOnce) {
    platform::Window parent;
    ASSERT_TRUE(parent.Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 300, 200), nullptr, 0));
    auto* wait = new CPleaseWait(&parent);
    ASSERT_TRUE(wait->Create());
    const std::shared_ptr<const bool> alive = wait->AliveToken();
    QWidget* widget = wait->GetWidget();
    widget->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
    QTest::keyClick(widget, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !*alive; }));
    parent.DestroyWindow();
}

// The check and load of the image in memory: what it answers and what it
// leaves of the current region.
TEST_F(ShellDialogTest, OpenDatabaseLoadsAValidImageAndLeavesABadOneAlone) {
    ASSERT_EQ(Start(), 1);
    CQuorvandelixDoc* doc = frame()->GetActiveDocument();
    ASSERT_EQ(SN_SetRegionId(2), DBERR_OK);
    const uint32_t region2Antennas = g_NumAntenna;

    // Both banks erased: no database.
    std::memset(g_FlashImage, 0xFF, sizeof g_FlashImage);
    EXPECT_EQ(doc->OpenDatabase(), 0);
    EXPECT_EQ(g_NumAntenna, region2Antennas);

    // An image from the builder: loaded, region 0 selected, and loading it
    // again starts from empty tables (the same count of services).
    ImageCounts counts;
    counts.services = 6;
    counts.transportStreams = 2;
    counts.satellites = 1;
    ASSERT_TRUE(BuildImage(SampleSpec(counts)));
    ASSERT_EQ(SN_SetRegionId(2), DBERR_OK);
    ASSERT_EQ(doc->OpenDatabase(), 1);
    EXPECT_EQ(g_RegionId, 0u);
    const auto serviceCount = [] {
        uint16_t count = 0;
        EXPECT_EQ(SLM_GetNumServicesInList(0, 0x3FFF, 6, &count), 0);
        return count;
    };
    EXPECT_EQ(serviceCount(), 6);
    ASSERT_EQ(doc->OpenDatabase(), 1);
    EXPECT_EQ(serviceCount(), 6);
}
