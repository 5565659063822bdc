// The whole application started as main starts it, on an active window,
// with the profile in a scratch folder and every box recorded. The main
// window is a recording one: it notes each raw-image open and each rebuild
// of the channel list, and opens nothing.
//
// The database image (Database()):
//   satellite slot 0 "Astra": TP A 11000 MHz with services "A1" "A2" "A3",
//                             TP B 12000 MHz with services "B1" "B2"
#pragma once

#include "mainfrm.h"
#include "dialogs/messagebox.h"
#include "quorvandelix.h"
#include "slm.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

class RecordingFrame : public CMainFrame {
  public:
    using CMainFrame::CMainFrame;
    void OpenWorkFile(const char* path) override { opened.emplace_back(path); }
    void RefreshList(platform::BOOL bAll) override {
        ++rebuilds;
        CMainFrame::RefreshList(bAll);
    }
    std::vector<std::string> opened;
    int rebuilds = 0;
};

class TestApp : public CQuorvandelixApp {
  public:
    RecordingFrame* Frame() const { return static_cast<RecordingFrame*>(GetMainFrame()); }

  protected:
    std::unique_ptr<CMainFrame> MakeMainFrame(CQuorvandelixDoc* doc) override {
        return std::make_unique<RecordingFrame>(doc);
    }
};

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program with these arguments; the window, when it is up,
    // is active. Returns InitInstance's result.
    int Start(const std::vector<std::string>& args = {});
    // Ends the running program as its close does (the document goes last).
    void Stop();

    // Builds the image above, opens it through the document and shows it as
    // a load does: the list is loaded and the tree rebuilt.
    void LoadDatabase();
    // The tree's selection set as a click sets it, and the list rebuilt.
    void SelectSatellite(uint8_t slot);
    void SelectTp(const TpInfo& tp);
    // Real clicks on rows of the channel list (Ctrl adds to the selection).
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The names of the services on a transponder, in the database's order.
    static std::vector<std::string> Services(const TpInfo& tp);
    // A file in the scratch folder with a few bytes in it.
    std::string MakeFile(const std::string& name);

    RecordingFrame* frame() const { return app ? app->Frame() : nullptr; }

    QTemporaryDir scratch;
    platform::MessageBoxRecorder boxes;
    std::unique_ptr<TestApp> app;
    TpInfo tpA{};
    TpInfo tpB{};
};
