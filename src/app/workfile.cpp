#include "workfile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QFile g_WorkFile;
char g_szCurFileName[kCurFileNameSize] = "";

namespace {

// The path the working file was opened by; a descriptor has no name.
QByteArray s_workFilePath;

} // namespace

bool SetCurFileName(const QByteArray& path) {
    if (static_cast<std::size_t>(path.size()) >= kCurFileNameSize) return false;
    std::memcpy(g_szCurFileName, path.constData(), static_cast<std::size_t>(path.size()));
    g_szCurFileName[path.size()] = '\0';
    return true;
}

QByteArray CurFileBareName() {
    const QByteArray name(g_szCurFileName);
    return name.mid(name.lastIndexOf('/') + 1);
}

QString OpenErrorText(int error) {
    if (error == kNotARegularFile) return QStringLiteral("Not a regular file");
    return QString::fromLocal8Bit(std::strerror(error));
}

// O_NONBLOCK makes the open of a FIFO without a writer, or of a terminal
// without a carrier, return at once; the descriptor is then looked at, and
// kept, blocking again, only when it is a regular file.
int OpenRegularFile(const QByteArray& path, bool write, int* error) {
    const auto fail = [error](int reason) {
        if (error) *error = reason;
        return -1;
    };
    const int descriptor =
        ::open(path.constData(), (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return fail(errno);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int reason = S_ISDIR(status.st_mode) ? EISDIR : kNotARegularFile;
        ::close(descriptor);
        return fail(reason);
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int reason = errno;
        ::close(descriptor);
        return fail(reason);
    }
    if (error) *error = 0;
    return descriptor;
}

bool OpenWorkImageFile(const QByteArray& path, int* error) {
    CloseWorkImageFile();
    const int descriptor = OpenRegularFile(path, true, error);
    if (descriptor < 0) return false;
    if (!g_WorkFile.open(descriptor, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        if (error) *error = EIO;
        return false;
    }
    s_workFilePath = path;
    return true;
}

void CloseWorkImageFile() {
    if (g_WorkFile.isOpen()) g_WorkFile.close();
    s_workFilePath.clear();
}

QByteArray WorkFilePath() {
    return g_WorkFile.isOpen() ? s_workFilePath : QByteArray();
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

bool AppendFileTail(QFile& file, qint64 from, QByteArray& bytes) {
    const qint64 size = file.size();
    if (size <= from) return true;
    if (!file.seek(from)) return false;
    const QByteArray tail = file.read(size - from);
    if (tail.size() != size - from) return false;
    bytes += tail;
    return true;
}

// A read that fails part way counts as a file that could not be read: the
// image would be cut at an arbitrary place.
bool ReadImageFile(QFile& file, qint64 maxSize, QByteArray& image) {
    image.clear();
    if (!file.isOpen() || !file.seek(0)) return false;
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

bool ReadRegularFile(const QByteArray& path, qint64 maxSize, QByteArray& image, int* error) {
    image.clear();
    const int descriptor = OpenRegularFile(path, false, error);
    if (descriptor < 0) return false;
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        if (error) *error = EIO;
        return false;
    }
    if (ReadImageFile(file, maxSize, image)) return true;
    if (error) *error = EIO;
    return false;
}
