// The whole editor with its real main window, started in a scratch start-up
// directory that is the current directory for the test: every message box
// is recorded, the file dialogs answer from a queue, "Please Wait" lasts a
// millisecond. Images are made by the database tests' image builder and
// containers by the project's writer; files are read back from disk.
//
// A list image (ListImage): satellite slot 0 "Astra" with TP A, 11000 MHz,
// holding the services named.
#pragma once

#include "mainfrm.h"
#include "dialogs/messagebox.h"
#include "dialogs/filedialog.h"
#include "quorvandelix.h"
#include "slm.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class RoadsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program with these arguments in the start-up directory;
    // the window, when it is up, is active. Returns InitInstance's result.
    int Start(const std::vector<std::string>& args = {});
    void Stop();
    CMainFrame* frame() const { return app ? app->GetMainFrame() : nullptr; }

    // A valid image of a list with these services on TP A. The library is
    // left as at start-up (no list open); call it while none is loaded.
    static QByteArray ListImage(const std::vector<std::string>& services);
    // The container the project's writer makes of an image.
    static QByteArray Container(const QByteArray& image);

    // Paths: in the start-up directory, and anywhere.
    QString StartFile(const QString& name) const { return start + QLatin1Char('/') + name; }
    static void WriteFile(const QString& path, const QByteArray& bytes);
    static QByteArray ReadFile(const QString& path);
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

    // Commands as the menu gives them.
    void Command(unsigned id);
    // The names of TP A's services, in the database's order.
    std::vector<std::string> Services() const;
    // Adds a service to TP A, as the channel dialog does.
    void AddService(const char* name);
    // The flash image as it is in memory.
    static QByteArray FlashImage();
    // Rows of the views: the tree's items and the channel list's rows.
    int TreeItems() const;
    int ListRows() const;
    QString Caption() const;

    QTemporaryDir scratch; // holds the start-up folder and others
    QString start;         // the start-up directory
    platform::MessageBoxRecorder boxes;
    std::unique_ptr<CQuorvandelixApp> app;
    static TpInfo tpA;

  private:
    std::deque<QString> m_answers; // empty: Cancel
    QString m_previousDir;
};
