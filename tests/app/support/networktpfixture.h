// The satellite and transponder tree in a window of its own, over an image
// built for the test, with every hook it reaches installed: a pane that
// records what the tree selected each time the channel list is refreshed,
// the pop-up menu, the message boxes and the dialog runner. Everything the
// hooks see goes into one event log, in order.
#pragma once

#include "dialogrunner.h"
#include "dialogs/messagebox.h"
#include "networktp.h"
#include "networktphost.h"
#include "window/popupmenu.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace nettree_test {

// Slots of the fixture image (region 0 has 53 antennas: user slots 53-57).
constexpr uint8_t kSlotA = 3;      // "1. Sat Three": four transponders, services on two
constexpr uint8_t kSlotB = 7;      // "2. Sat Seven": two transponders, a service on each
constexpr uint8_t kUserA = 53;     // "3. User A": one transponder with two services
constexpr uint8_t kUserEmpty = 55; // "4. User B": no transponders
constexpr uint8_t kUserLong = 57;  // a name that fills its 16 bytes, unterminated

// What the channel-list pane saw of the tree at one refresh.
struct PaneRecord {
    uint8_t level;
    uint8_t slot;
    uint16_t row;
    TpInfo tpInfo;
};

class RecordingPane : public NetworkTpHost {
  public:
    RecordingPane(const CNetworkTp* const* tree, std::vector<std::string>* log)
        : m_tree(tree), m_log(log) {}
    void RefreshChannelList(int flag) override;
    void RebuildChannelList(int flag) override;

    std::vector<PaneRecord> refreshes;
    int rebuilds = 0;

  private:
    const CNetworkTp* const* m_tree;
    std::vector<std::string>* m_log;
};

class NetworkTpTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The tree's item at a path of child indexes from the root ({} the root,
    // {1} the second satellite, {0, 2} the third row of the first one); the
    // path is expanded so the item can be clicked.
    QTreeWidgetItem* Item(std::vector<int> path) const;
    QStringList ChildLabels(const QTreeWidgetItem* item) const;
    QPoint CentreOf(const QTreeWidgetItem* item) const;
    QPoint EmptySpace() const;

    void LeftClick(QPoint viewportPos);
    void RightClick(QPoint viewportPos);
    void Key(Qt::Key key);

    // The next pop-up chooses this id (0 dismisses it).
    void ChoosePopup(unsigned id) { m_popupChoice = id; }

    // The database, as a dialog or the channel list reads it.
    static std::vector<TpRow> RowsOf(uint8_t slot);
    static std::vector<SvcHandle> ServicesOn(const TpInfo& key);
    static std::vector<SvcInfo> RecordsOn(const TpInfo& key);
    static TpInfo KeyOf(uint32_t frequencyMhz, uint8_t slot);

    std::unique_ptr<QWidget> m_window;
    CNetworkTp* m_tree = nullptr;
    std::vector<std::string> m_log;
    std::unique_ptr<RecordingPane> m_pane;
    std::unique_ptr<platform::MessageBoxRecorder> m_boxes;
    // Each dialog the runner opens: (mode, slot, row) and what it answers.
    std::function<int(int mode, uint8_t slot, uint16_t tp)> m_editNetwork;
    std::function<int(int mode, uint8_t slot, uint16_t tp)> m_editTransport;
    std::function<int(int mode, uint8_t level, uint8_t slot, uint16_t tp)> m_editChannel;
    std::vector<std::vector<platform::PopupMenuItem>> m_popups;

  private:
    unsigned m_popupChoice = 0;
    DialogRunner m_previousRunner;
    platform::PopupMenuHook m_previousPopup;
};

bool AllZero(const TpInfo& tpInfo);

} // namespace nettree_test
