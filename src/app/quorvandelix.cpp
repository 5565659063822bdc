#include "quorvandelix.h"

#include "aboutdlg.h"
#include "buildstamp.h"
#include "base/appcommandline.h"
#include "mainfrm.h"
#include "dialogs/messagebox.h"
#include "quorvandelixdoc.h"
#include "resource.h"
#include "base/text.h"
#include "workfile.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLockFile>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

using namespace platform;

namespace {

CQuorvandelixApp* s_pApp = nullptr;

// After the main window's first paint, writes "first paint" on standard
// output and quits the program (start-up timing: the reader times the line).
class FirstPaintQuit : public QObject {
  public:
    explicit FirstPaintQuit(QWidget* window) : m_window(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_window) {
            m_done = true;
            // Once this paint has been delivered.
            QTimer::singleShot(0, qApp, [] {
                std::fputs("first paint\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    QWidget* m_window;
    bool m_done = false;
};

} // namespace

CQuorvandelixApp* AfxGetApp() {
    return s_pApp;
}

CMainFrame* GetMainFrame() {
    return s_pApp ? s_pApp->GetMainFrame() : nullptr;
}

CQuorvandelixDoc* GetDocument() {
    return s_pApp ? s_pApp->GetDocument() : nullptr;
}

std::string MainCaption() {
    char caption[128];
    std::snprintf(caption, sizeof caption, "%s (%s %s)", kProductTitle, BuildDate(),
                  BuildTime());
    return caption;
}

std::string ListCaption(const std::string& fileName) {
    return MainCaption() + "  " + fileName;
}

std::string UploadCaption(const std::string& dateFile) {
    constexpr int kDataVersion = 1;
    char caption[64];
    std::snprintf(caption, sizeof caption, "Quorvandelix  Data(%s %s) Version:%d  ",
                  BuildDate(), BuildTime(), kDataVersion);
    return caption + dateFile;
}

CQuorvandelixApp::CQuorvandelixApp() {
    s_pApp = this;
    MapCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

CQuorvandelixApp::~CQuorvandelixApp() {
    m_pMainFrame.reset();
    m_pDoc.reset();
    if (s_pApp == this) s_pApp = nullptr;
}

bool CQuorvandelixApp::CheckCommandLineFile(const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    int error = 0;
    const int descriptor = OpenRegularFile(bytes, false, &error);
    if (descriptor < 0) {
        MessageBox(QFile::decodeName(bytes) + QLatin1Char('\n') + OpenErrorText(error), kAppTitle,
                   MB_OK | MB_ICONSTOP);
        return false;
    }
    ::close(descriptor);
    m_recentFiles.Add(FromLatin1(path));
    m_recentFiles.WriteList();
    return true;
}

// A start that fails lets the folder go at once: the program is ending.
int CQuorvandelixApp::InitInstance(const std::vector<std::string>& args) {
    const int started = StartUp(args);
    if (!started) m_folderLock.reset();
    return started;
}

// Only a lock another running editor holds keeps this one out; a lock left
// by an editor that died is taken over (QLockFile looks whether its process
// still runs), and one that cannot be made at all (a folder we may not write
// in, where no working file can be written either) does not stop the start.
// An editor killed between making its lock and writing its process id into it
// leaves a lock that names nobody; the holder's system lock on the file, which
// ends with its process, tells a live holder from a dead one, so such a lock
// is removed when nobody holds it.
bool CQuorvandelixApp::LockStartFolder() {
    const QByteArray path = QByteArray(g_szStartDir) + '/' + kFolderLockName;
    auto lock = std::make_unique<QLockFile>(QFile::decodeName(path));
    lock->setStaleLockTime(0); // never stale by age: an editor may run for days
    bool taken = lock->tryLock(0);
    if (!taken && lock->error() == QLockFile::LockFailedError && lock->removeStaleLockFile())
        taken = lock->tryLock(0);
    if (taken) {
        m_folderLock = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError) return true;
    std::fprintf(stderr, "%s\n", kAlreadyOpenText);
    std::fflush(stderr);
    MessageBox(QString::fromLatin1(kAlreadyOpenText), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

int CQuorvandelixApp::StartUp(const std::vector<std::string>& args) {
    m_recentFiles.ReadList();
    // One argument, kept whole; more are ignored.
    SetAppCommandLine(args.empty() ? std::string() : args.front());

    m_pDocTemplate = std::make_unique<CQuorvandelixTemplate>(IDR_MAINFRAME);
    m_pDoc = m_pDocTemplate->CreateNewDocument();
    m_pMainFrame = MakeMainFrame(m_pDoc.get());
    if (!m_pMainFrame->StartDirOk()) return 0;
    // Before anything is written, the recent-file list included.
    if (!LockStartFolder()) return 0;
    m_pMainFrame->SetApp(this);
    if (!m_pMainFrame->Create()) return 0;
    if (!m_pMainFrame->m_szCmdLine.empty()) {
        if (!CheckCommandLineFile(m_pMainFrame->m_szCmdLine)) return 0;
    } else {
        m_pDoc->OnNewDocument();
    }
    m_pMainFrame->setAcceptDrops(true);
    m_pMainFrame->SetCaption(FromLatin1(MainCaption()));
    m_pMainFrame->show();
    m_pMainFrame->update();
    return 1;
}

std::unique_ptr<CMainFrame> CQuorvandelixApp::MakeMainFrame(CQuorvandelixDoc* doc) {
    return std::make_unique<CMainFrame>(doc);
}

void CQuorvandelixApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

int QuorvandelixMain(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    CQuorvandelixApp app;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    // For a run without a user (a test starting the program): every box is
    // written to standard error and answered with its default button.
    if (std::getenv("QUORVANDELIX_ANSWER_BOXES")) {
        SetMessageBoxHook([](const MessageBoxCall& call) {
            std::fprintf(stderr, "message box: %s: %s\n", call.caption.toLocal8Bit().constData(),
                         call.text.toLocal8Bit().constData());
            return DefaultAnswer(call.flags);
        });
    }
    if (!app.InitInstance(args)) return 1;
    std::unique_ptr<FirstPaintQuit> quitAfterPaint;
    if (std::getenv("QUORVANDELIX_EXIT_AFTER_FIRST_PAINT")) {
        quitAfterPaint = std::make_unique<FirstPaintQuit>(app.GetMainFrame());
        application.installEventFilter(quitAfterPaint.get());
    }
    return QApplication::exec();
}
