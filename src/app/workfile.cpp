#include "workfile.h"

#include <QFileInfo>

#include <cstring>

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

bool IsSameFile(const QByteArray& a, const QByteArray& b) {
    const QFileInfo first(QFile::decodeName(a)), second(QFile::decodeName(b));
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

bool WorkFileIs(const QByteArray& path) {
    return g_WorkFile.isOpen() && IsSameFile(WorkFilePath(), path);
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
