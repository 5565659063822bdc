#include "workfile.h"

#include <QFileInfo>

#include <cstring>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

QFile g_WorkFile;
char g_szCurFileName[kCurFileNameSize] = "";

bool SetCurFileName(const QByteArray& path) {
    if (static_cast<std::size_t>(path.size()) >= kCurFileNameSize) return false;
    std::memcpy(g_szCurFileName, path.constData(), static_cast<std::size_t>(path.size()));
    g_szCurFileName[path.size()] = '\0';
    return true;
}

QByteArray CurFileBareName() {
    return QFile::encodeName(QFileInfo(QFile::decodeName(g_szCurFileName)).fileName());
}

// ExistingOnly: an open that must not create never does.
bool OpenWorkImageFile(const QByteArray& path) {
    CloseWorkImageFile();
    g_WorkFile.setFileName(QFile::decodeName(path));
    if (g_WorkFile.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return true;
    g_WorkFile.setFileName(QString());
    return false;
}

void CloseWorkImageFile() {
    if (g_WorkFile.isOpen()) g_WorkFile.close();
    g_WorkFile.setFileName(QString());
}

QByteArray WorkFilePath() {
    return g_WorkFile.isOpen() ? QFile::encodeName(g_WorkFile.fileName()) : QByteArray();
}

// One file by device and inode, as the system tells them apart: a file made
// anew under an old name is another file.
bool IsSameFile(const QByteArray& a, const QByteArray& b) {
    std::error_code ec;
    return std::filesystem::equivalent(std::filesystem::path(a.toStdString()),
                                       std::filesystem::path(b.toStdString()), ec) &&
           !ec;
}

// The open file itself, not the name it was opened by: one removed or
// replaced since is no longer the file at its path.
bool WorkFileIs(const QByteArray& path) {
    if (!g_WorkFile.isOpen()) return false;
    struct stat opened {}, named {};
    return ::fstat(g_WorkFile.handle(), &opened) == 0 &&
           ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// A read that fails part way counts as a file that could not be read: the
// image would be cut at an arbitrary place.
bool ReadImageFile(QFile& file, qint64 maxSize, QByteArray& image) {
    image.clear();
    if (!file.isOpen() && !file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly)) return false;
    if (!file.seek(0)) return false;
    image.resize(maxSize);
    qint64 total = 0;
    while (total < maxSize) {
        const qint64 got = file.read(image.data() + total, maxSize - total);
        if (got < 0) {
            image.clear();
            return false;
        }
        if (got == 0) break;
        total += got;
    }
    image.resize(total);
    return true;
}

bool AppendFileTail(QFile& file, qint64 from, QByteArray& bytes) {
    const qint64 size = file.size();
    if (size <= from) return true;
    if (!file.seek(from)) return false;
    const QByteArray tail = file.read(size - from);
    if (tail.size() != size - from) return false;
    bytes += tail;
    return true;
}
