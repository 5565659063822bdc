// The whole editor with its real application object and main window,
// started as main starts it in a scratch start-up folder that is the current
// directory for the test, with the profile in the scratch folder: every
// message box is recorded, the file dialogs answer from a queue, "Please
// Wait" lasts a millisecond. The main window records each raw-image open and
// each rebuild of the channel list; it opens the image too unless the test
// asks it only to record (RecordOpensOnly). Images are made by the database
// tests' image builder and containers by the project's writer; files are
// read back from disk.
//
// The list image (ListImage): satellite slot 0 "Astra" with TP A, 11000 MHz,
// holding the services named.
// The database (LoadDatabase): satellite slot 0 "Astra": TP A 11000 MHz with
// services "A1" "A2" "A3", TP B 12000 MHz with services "B1" "B2".
#pragma once

#include "dialogs/filedialog.h"
#include "dialogs/messagebox.h"
#include "mainfrm.h"
#include "quorvandelix.h"
#include "slm.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class RecordingFrame : public CMainFrame {
  public:
    using CMainFrame::CMainFrame;
    void OpenWorkFile(const char* path) override {
        opened.emplace_back(path);
        if (!recordOnly) CMainFrame::OpenWorkFile(path);
    }
    void RefreshList(platform::BOOL bAll) override {
        ++rebuilds;
        CMainFrame::RefreshList(bAll);
    }
    std::vector<std::string> opened;
    int rebuilds = 0;
    bool recordOnly = false;
};

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program with these arguments in the start-up folder; the
    // window, when it is up, is active. Returns InitInstance's result.
    int Start(const std::vector<std::string>& args = {});
    // Ends the running program as its close does (the document goes last).
    void Stop();
    RecordingFrame* frame() const;
    // From the next Start on, raw-image opens are only recorded.
    void RecordOpensOnly() { m_recordOnly = true; }

    // ---- images and containers ----
    // A valid image of a list with these services on TP A. The library is
    // left as at start-up (no list open); call it while none is loaded.
    static QByteArray ListImage(const std::vector<std::string>& services);
    // The container the project's writer makes of an image.
    static QByteArray Container(const QByteArray& image);
    // Builds the database above, opens it through the document and shows it
    // as a load does: the list is loaded and the tree rebuilt.
    void LoadDatabase();

    // ---- files ----
    // Paths: in the start-up folder, and anywhere.
    QString StartFile(const QString& name) const { return start + QLatin1Char('/') + name; }
    static void WriteFile(const QString& path, const QByteArray& bytes);
    static QByteArray ReadFile(const QString& path);
    // A file in the scratch folder with a few bytes in it.
    std::string MakeFile(const std::string& name);
    // SHA-256 of a file's bytes; "missing" when there is none.
    static QByteArray Hash(const QString& path);
    // Every file below the folder with its hash, sorted by path.
    static std::vector<std::pair<QString, QByteArray>> Tree(const QString& folder);
    // The container at path checked and unwrapped: nullopt when it fails a check.
    static std::optional<QByteArray> Decoded(const QString& path);

    // The next file dialogs answer these paths in order (nullopt: Cancel).
    void Answer(const std::optional<QString>& path) {
        m_answers.push_back(path.value_or(QString()));
    }
    std::vector<platform::FileDialogRequest> requests;

    // ---- the user's hand ----
    // Commands as the menu gives them.
    void Command(unsigned id);
    // The tree's selection set as a click sets it, and the list rebuilt.
    void SelectSatellite(uint8_t slot);
    void SelectTp(const TpInfo& tp);
    // Real clicks on rows of the channel list (Ctrl adds to the selection).
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Files dragged from a file manager and dropped over the tree pane (the
    // drag goes up to the window, which takes it).
    void Drop(const QList<QUrl>& files);

    // ---- the database and the views ----
    // The names of the services on a transponder (TP A when none is given),
    // in the database's order.
    static std::vector<std::string> Services(const TpInfo& tp);
    static std::vector<std::string> Services() { return Services(tpA); }
    // Adds a service to TP A, as the channel dialog does.
    void AddService(const char* name);
    // The flash image as it is in memory.
    static QByteArray FlashImage();
    // Rows of the views: the tree's items and the channel list's rows.
    int TreeItems() const;
    int ListRows() const;
    QString Caption() const;

    QTemporaryDir scratch; // holds the start-up folder and others
    QString start;         // the start-up folder
    platform::MessageBoxRecorder boxes;
    std::unique_ptr<CQuorvandelixApp> app;
    static TpInfo tpA;
    static TpInfo tpB;

  private:
    std::deque<QString> m_answers; // empty: Cancel
    QString m_previousDir;
    bool m_recordOnly = false;
};
