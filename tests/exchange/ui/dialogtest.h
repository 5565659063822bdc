// The transfer dialog run modally through the platform's hooks: the steps of
// a test run in place of the modal loop on the shown, active dialog, with
// real key and mouse events. Message boxes are recorded, the Load dialog
// answers from a queue, the local clock stands at 2024-03-05 09:07, the
// current folder is a scratch folder and "COM1" is a pty whose master end
// the receiver simulator speaks on.
#pragma once
#include <gtest/gtest.h>

#include <QTest>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "dialogs/filedialog.h"
#include "dialogs/messagebox.h"
#include "ptypair.h"
#include "receiversim.h"
#include "resource.h"
#include "scratchdir.h"
#include "stbdownloaddlg.h"

using namespace platform;

class TransferDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the dialog in the mode with steps in place of the user; the
    // dialog is shown and active when they begin and they must end it.
    int Run(unsigned mode, const std::function<void(CSTBDownloadDlg&)>& steps,
            Window* parent = nullptr);

    // The devices behind "COM1", "COM2" ... (the pty's slave is COM1).
    static void SetPorts(const std::string& colonSeparated);

    // Delivers events until done holds; false when it did not within bound.
    static bool PumpUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds bound = std::chrono::seconds(30));

    // Real input on the dialog's controls and menu.
    static void Click(CSTBDownloadDlg& dialog, int id);
    static void Key(CSTBDownloadDlg& dialog, int focusId, Qt::Key key);
    // Chooses item index of a combo with the arrow keys, as a user would.
    static void Choose(CSTBDownloadDlg& dialog, int comboId, int index);
    // Opens the menu's popup with the mouse and clicks the item.
    static void ClickMenuItem(CSTBDownloadDlg& dialog, UINT id);

    static bool Enabled(CSTBDownloadDlg& dialog, int id);
    static bool MenuEnabled(CSTBDownloadDlg& dialog, UINT id);
    static int Selection(CSTBDownloadDlg& dialog, int comboId);
    static std::string InfoLine(CSTBDownloadDlg& dialog, int line);
    static bool Idle(CSTBDownloadDlg& dialog);
    // Idle, and the worker has ended (its end report is then delivered).
    static bool Ended(CSTBDownloadDlg& dialog);

    std::string Cwd(const std::string& name) const { return dir.File(name); }

    PtyPair pty;
    ReceiverSim sim{pty};
    ScratchDir dir;
    std::unique_ptr<MessageBoxRecorder> boxes;
    // Paths the Load dialog gives, in order ("" or none left: Cancel), and
    // what it was asked.
    void AnswerLoad(const std::vector<std::string>& paths);
    std::deque<std::string> loadAnswers;
    std::vector<FileDialogRequest> loadRequests;
    // The highest progress the bar showed since the last Run.
    int progressPeak = 0;

  private:
    std::unique_ptr<ManualClock> m_clock;
    const Clock* m_previousClock = nullptr;
    std::string m_previousFolder;
};
