// The application: start-up in the order the program has always followed,
// the one document (which outlives the main window) and the about box.
#pragma once

#include "window/commandtarget.h"
#include "base/recentfilelist.h"
#include "quorvandelixtemplate.h"

#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CQuorvandelixDoc;
class QLockFile;

// The product title of the main window's caption.
inline constexpr const char* kProductTitle = "Kestrawin";
// The lock beside the working file "data.tmp" that keeps a second editor out
// of the start-up folder while one runs there.
inline constexpr const char* kFolderLockName = "data.tmp.lock";
// What a second editor started in that folder says, in a box and on
// standard error, before it ends.
inline constexpr const char* kAlreadyOpenText = "Quorvandelix is already open in this folder.";

class CQuorvandelixApp : public platform::CommandTarget {
  public:
    CQuorvandelixApp();
    ~CQuorvandelixApp() override;

    // Profile, the document template, document, main window, the lock of
    // the start-up folder, the command line's read check, drops, caption,
    // show: 1 when the window is up, 0 (after a message) to end, with the
    // folder's lock let go. args are the program's arguments after its name;
    // only the first counts.
    int InitInstance(const std::vector<std::string>& args);
    // The about box, modal.
    void OnAppAbout();

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    CQuorvandelixDoc* GetDocument() const { return m_pDoc.get(); }
    // The template registered at start-up; null before.
    const CQuorvandelixTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }

  protected:
    // The main window over the document (a test makes its own).
    virtual std::unique_ptr<CMainFrame> MakeMainFrame(CQuorvandelixDoc* doc);

  private:
    // Opens path for reading only, as the framework's document would, but
    // never waits and takes only a regular file: a path that cannot be read,
    // or names a FIFO, a device, a socket or a folder, shows "%s\n%s" of it
    // and the reason and answers false; else it enters the recent-file list.
    bool CheckCommandLineFile(const std::string& path);
    // The steps of InitInstance; its result.
    int StartUp(const std::vector<std::string>& args);
    // Takes the start-up folder's lock: true. False, after kAlreadyOpenText
    // on standard error and in a box, when a running editor holds it.
    bool LockStartFolder();

    platform::RecentFileList m_recentFiles;
    // Held while the program runs; let go when it ends.
    std::unique_ptr<QLockFile> m_folderLock;
    std::unique_ptr<CQuorvandelixTemplate> m_pDocTemplate;
    // Declared first, destroyed last: the document outlives the window.
    std::unique_ptr<CQuorvandelixDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

// The application object and its main window and document; null when there
// is none.
CQuorvandelixApp* AfxGetApp();
CMainFrame* GetMainFrame();
CQuorvandelixDoc* GetDocument();

// The caption "%s (%s %s)" of the product title and the build date and time.
std::string MainCaption();
// The caption of an opened list: "%s (%s %s)  %s" with the list's file name.
std::string ListCaption(const std::string& fileName);
// The caption after an upload of channel data: "Quorvandelix  Data(%s %s)
// Version:%d  %s" with the build date and time, version 1 and the date file.
std::string UploadCaption(const std::string& dateFile);

// The program: a QApplication titled "Quorvandelix", start-up and the event
// loop. Returns the exit code (non-zero when start-up failed).
int QuorvandelixMain(int argc, char** argv);
