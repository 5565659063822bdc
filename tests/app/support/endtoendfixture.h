// The editor as a user runs it: the real application object and main window,
// started in a scratch start-up folder that holds the build's "Default.dat",
// with the profile in that folder, the local clock at 2024-03-05 09:07 and
// "COM1" a pty whose master end the receiver simulator speaks on. The user's
// hand is real mouse and key events on the menus, the toolbar, the tree, the
// channel list and the dialogs; what would block (message boxes, file
// dialogs, modal dialogs, pop-up menus) goes through the platform's hooks,
// each answered from a queue the test fills before it acts.
#pragma once

#include "base/clock.h"
#include "dialogs/dialogbase.h"
#include "dialogs/filedialog.h"
#include "dialogs/messagebox.h"
#include "ptypair.h"
#include "quorvandelix.h"
#include "receiversim.h"
#include "slm.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMainFrame;
class CMySuperGrid;
class CNetworkTp;
class QTreeWidgetItem;

namespace e2e_test {

using Bytes = std::vector<uint8_t>;

// What the user sees of one service, read back from the database.
struct ServiceView {
    uint32_t number = 0;
    std::string name; // the name field up to its first zero
    uint16_t videoPid = 0, audioPid = 0, pcrPid = 0;
    uint32_t flags = 0;
    bool operator==(const ServiceView&) const = default;
};

// One transponder of a satellite and its services in the channel list's order.
struct TpView {
    uint32_t frequency = 0;
    uint16_t symbolRate = 0;
    uint8_t polarisation = 0, modulation = 0, fec = 0;
    std::vector<ServiceView> services;
    bool operator==(const TpView&) const = default;
};

struct SatView {
    uint32_t slot = 0;
    SatInfo record{};
    std::vector<TpView> tps;
    bool operator==(const SatView& other) const;
};

// The whole list as the tree, the channel list and the favourite groups show
// it: used satellites in slot order, and the names in favourite groups 0 and 1.
struct ListView {
    std::vector<SatView> satellites;
    std::vector<std::vector<std::string>> favourites;
    bool operator==(const ListView&) const = default;
};

class EndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program as main does, with no argument; the window is up
    // and active.
    void Start();
    CMainFrame* frame() const;
    CNetworkTp* tree() const;
    CMySuperGrid* list() const;

    // ---- the user's hand ----
    // Makes the main window the active one again (after a dialog).
    void Activate();
    // Opens the menu that holds the command with the mouse and clicks it.
    void ClickMenu(unsigned id);
    // Clicks the command's toolbar button.
    void ClickToolButton(unsigned id);
    // The tree: the root, a satellite by its name, a transponder by its row.
    QTreeWidgetItem* RootItem() const;
    QTreeWidgetItem* SatelliteItem(const std::string& name) const;
    // Shows an item's children with the keyboard, as a user opens a branch.
    void Expand(QTreeWidgetItem* item);
    void LeftClick(QTreeWidgetItem* item);
    // A right click whose pop-up menu the hook answers with the id.
    void RightClickChoosing(QTreeWidgetItem* item, unsigned id);
    // The channel list: a click in the middle of a cell, F2, typed text and
    // Enter on the edit box that opens.
    void ClickCell(int row, int column);
    void EditCell(int row, int column, const std::string& text);
    void PressKeyInList(Qt::Key key);
    // The channel list's text of a cell.
    std::string Cell(int row, int column) const;
    // The service names the channel list shows, rows 1 .. end.
    std::vector<std::string> ListedNames() const;

    // ---- the hooks' queues ----
    // The next modal dialog with this template: steps act as the user on the
    // shown, active dialog and end it. "Please Wait" needs no entry: its own
    // timer ends it.
    void ExpectDialog(unsigned templateId, std::function<void(platform::DialogBase&)> steps);
    // The next file dialog answers this path (nullopt: Cancel).
    void AnswerFile(std::optional<std::string> path);
    // Every queued answer was used.
    void ExpectQueuesUsed();

    // ---- waiting ----
    // Delivers events until done holds or bound passes; the longest gap
    // between two turns of the event loop goes to longestStallMs.
    bool PumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds bound = std::chrono::seconds(30));

    // ---- files and the database ----
    std::string Path(const std::string& name) const;
    static Bytes ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const Bytes& bytes);
    // The image a ".cdl" file holds, decoded with the project's reader; empty
    // when it does not decode.
    static Bytes DecodeCdl(const std::string& path);
    // A ".cdl" of the image, made with the project's writer.
    static Bytes EncodeCdl(const Bytes& image);
    // The list as the editor has it loaded now.
    static ListView CurrentList();
    static uint16_t ServiceCount();

    QTemporaryDir scratch;
    platform::MessageBoxRecorder boxes;
    std::vector<platform::FileDialogRequest> fileRequests;
    PtyPair pty;
    int64_t longestStallMs = 0;

  private:
    struct ExpectedDialog {
        unsigned templateId;
        std::function<void(platform::DialogBase&)> steps;
    };
    void OnModal(platform::DialogBase& dialog);

    std::unique_ptr<CQuorvandelixApp> m_app;
    std::deque<ExpectedDialog> m_dialogs;
    std::deque<std::optional<std::string>> m_files;
    std::deque<unsigned> m_popupChoices;
    std::unique_ptr<platform::ManualClock> m_clock;
    const platform::Clock* m_previousClock = nullptr;
    QString m_previousFolder;
};

} // namespace e2e_test
