// The open and save file dialogs. The filter comes in the original's form
// ("Channel List(*.cdl)|*.cdl||": description|patterns pairs ending in "||");
// the dialog returns the chosen file's full path or a cancel. A test installs a
// hook that answers in place of the user; the default extension, the overwrite
// question and the change of the current folder run the same way either way.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace platform {

// Flags of the original dialog that the editor uses.
inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr unsigned OFN_HIDEREADONLY = 0x00000004;
inline constexpr unsigned OFN_NOCHANGEDIR = 0x00000008;
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x00001000;

// What the dialog would show.
struct FileDialogRequest {
    bool open = true;         // open dialog, else save dialog
    QString title;            // "Open" / "Save As" unless the caller set one
    QStringList nameFilters;  // Qt's form: "Channel List(*.cdl) (*.cdl)"
    QString initialName;      // the file name shown at start (may be a full path)
    QString defaultExtension; // without the dot; "" = none
    QString folder;           // the folder the dialog opens in
    unsigned flags = 0;
};

// Test hook: the path the user would choose (absolute or relative to the
// current folder), or nullopt for Cancel. Returns the previous hook.
using FileDialogHook = std::function<std::optional<QString>(const FileDialogRequest&)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// "desc|patterns|desc|patterns||" -> Qt name filters; ';' between patterns
// becomes a blank. A filter without '|' is taken as one pattern ("*.CDL").
QStringList NameFiltersFromFilterString(const QString& filter);
// The original's filters match names in either case ("*.cdl" shows "A.CDL"),
// a native dialog's may not: each pattern of "desc (patterns)" is followed
// by its lower- and upper-case spellings where they differ from it.
QStringList NameFiltersInBothCases(const QStringList& filters);

// Writes the folder of the last file chosen into the settings, where the
// next run finds it (the editor does it once a chosen list has loaded or
// been saved); false when they could not be written.
bool SaveFileDialogSettings();
// Drops what this run knows of the last folder: the next dialog reads the
// settings again (a test that changes the settings file).
void ForgetFileDialogSettings();

class FileDialog {
  public:
    FileDialog(bool openFileDialog, const QString& defaultExtension = QString(),
               const QString& fileName = QString(), unsigned flags = OFN_HIDEREADONLY,
               const QString& filter = QString(), QWidget* parent = nullptr);

    void SetTitle(const QString& title) { m_title = title; }
    // The folder to open in (the current document's); when it is not set or
    // no longer exists, the folder of the last file chosen in any file
    // dialog (kept in the settings), else the home folder.
    void SetInitialFolder(const QString& folder) { m_initialFolder = folder; }

    // Runs the dialog: IDOK with a path chosen, IDCANCEL otherwise. On OK the
    // default extension is added to a name that has none, a save dialog with
    // OFN_OVERWRITEPROMPT asks before replacing a file (No asks for another
    // name) and, unless OFN_NOCHANGEDIR, the chosen file's folder becomes the
    // current folder.
    int DoModal();
    // The folder a dialog opens in, by the rule of SetInitialFolder.
    static QString StartFolder(const QString& preferred);

    QString GetPathName() const { return m_path; } // full path
    QString GetFileName() const;                   // name and extension
    QString GetFileExt() const;                    // extension without the dot
    QString GetFileTitle() const;                  // name without extension

  private:
    std::optional<QString> Ask(const FileDialogRequest& request) const;
    QString WithDefaultExtension(const QString& path) const;
    bool ConfirmOverwrite(const QString& path) const;

    bool m_open;
    QString m_defaultExtension;
    QString m_initialName;
    unsigned m_flags;
    QStringList m_nameFilters;
    QWidget* m_parent;
    QString m_title;
    QString m_initialFolder;
    QString m_path;
};

} // namespace platform
