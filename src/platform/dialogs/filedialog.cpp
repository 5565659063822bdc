#include "dialogs/filedialog.h"

#include "base/profile.h"
#include "dialogs/messagebox.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <utility>

namespace platform {

namespace {

// Where the folder of the last file chosen is kept.
const QString kFolderSection = QStringLiteral("Settings");
const QString kLastFolderEntry = QStringLiteral("Last Folder");

// The folder of the last file chosen in this run; read from the settings
// the first time, written back by SaveFileDialogSettings.
struct LastFolder {
    bool read = false;
    bool changed = false;
    QString folder;
};

LastFolder& Last() {
    static LastFolder last;
    if (!last.read) {
        last.folder = GetProfileString(kFolderSection, kLastFolderEntry);
        last.read = true;
    }
    return last;
}

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

// The real dialog. Qt's own overwrite question is off: the caller asks.
std::optional<QString> RunQtDialog(const FileDialogRequest& request, QWidget* parent) {
    QFileDialog dialog(parent ? parent : QApplication::activeWindow(), request.title);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open && (request.flags & OFN_FILEMUSTEXIST)
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!request.nameFilters.isEmpty())
        dialog.setNameFilters(NameFiltersInBothCases(request.nameFilters));
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

bool SaveFileDialogSettings() {
    LastFolder& last = Last();
    if (!last.changed) return true;
    last.changed = false;
    return WriteProfileString(kFolderSection, kLastFolderEntry, last.folder);
}

void ForgetFileDialogSettings() {
    Last() = LastFolder{};
}

FileDialogHook SetFileDialogHook(FileDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

QStringList NameFiltersFromFilterString(const QString& filter) {
    QStringList out;
    if (filter.isEmpty()) return out;
    if (!filter.contains(QLatin1Char('|'))) {
        out << QStringLiteral("%1 (%1)").arg(filter);
        return out;
    }
    const QStringList parts = filter.split(QLatin1Char('|'));
    // Pairs until the empty entry of the closing "||".
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns.simplified());
    }
    return out;
}

QStringList NameFiltersInBothCases(const QStringList& filters) {
    QStringList out;
    for (const QString& filter : filters) {
        const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
        if (open < 0 || !filter.endsWith(QLatin1Char(')'))) {
            out << filter;
            continue;
        }
        QStringList patterns;
        for (const QString& pattern : filter.mid(open + 1, filter.size() - open - 2)
                                          .split(QLatin1Char(' '), Qt::SkipEmptyParts))
            for (const QString& spelling : {pattern, pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(spelling)) patterns << spelling;
        out << filter.left(open + 1) + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

FileDialog::FileDialog(bool openFileDialog, const QString& defaultExtension,
                       const QString& fileName, unsigned flags, const QString& filter,
                       QWidget* parent)
    : m_open(openFileDialog), m_defaultExtension(defaultExtension), m_initialName(fileName),
      m_flags(flags), m_nameFilters(NameFiltersFromFilterString(filter)), m_parent(parent) {
    if (m_defaultExtension.startsWith(QLatin1Char('.'))) m_defaultExtension.remove(0, 1);
}

std::optional<QString> FileDialog::Ask(const FileDialogRequest& request) const {
    if (Hook()) return Hook()(request);
    return RunQtDialog(request, m_parent);
}

QString FileDialog::WithDefaultExtension(const QString& path) const {
    if (m_defaultExtension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + m_defaultExtension;
}

// Asks before replacing an existing file; false means "choose again".
bool FileDialog::ConfirmOverwrite(const QString& path) const {
    if (m_open || !(m_flags & OFN_OVERWRITEPROMPT) || !QFileInfo::exists(path)) return true;
    const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QDir::toNativeSeparators(path));
    return MessageBox(text, m_title.isEmpty() ? QStringLiteral("Save As") : m_title,
                      MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, m_parent) == IDYES;
}

QString FileDialog::StartFolder(const QString& preferred) {
    if (!preferred.isEmpty() && QFileInfo(preferred).isDir()) return preferred;
    const QString last = Last().folder;
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    return QDir::homePath();
}

int FileDialog::DoModal() {
    FileDialogRequest request;
    request.folder = StartFolder(m_initialFolder);
    request.open = m_open;
    request.title = !m_title.isEmpty() ? m_title
                    : m_open           ? QStringLiteral("Open")
                                       : QStringLiteral("Save As");
    request.nameFilters = m_nameFilters;
    request.initialName = m_initialName;
    request.defaultExtension = m_defaultExtension;
    request.flags = m_flags;

    for (;;) {
        const std::optional<QString> chosen = Ask(request);
        if (!chosen || chosen->isEmpty()) return IDCANCEL;
        const QString path = QFileInfo(WithDefaultExtension(*chosen)).absoluteFilePath();
        if (!ConfirmOverwrite(path)) {
            request.initialName = path;
            continue;
        }
        m_path = path;
        break;
    }
    Last().folder = QFileInfo(m_path).absolutePath();
    Last().changed = true;
    // The editor hands bare file names to the container reader and writer, so
    // the chosen folder becomes the current one, as the original dialog did.
    if (!(m_flags & OFN_NOCHANGEDIR)) QDir::setCurrent(QFileInfo(m_path).absolutePath());
    return IDOK;
}

QString FileDialog::GetFileName() const {
    return QFileInfo(m_path).fileName();
}
QString FileDialog::GetFileExt() const {
    return QFileInfo(m_path).suffix();
}
QString FileDialog::GetFileTitle() const {
    return QFileInfo(m_path).completeBaseName();
}

} // namespace platform
