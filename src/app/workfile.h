// The working image file and the name of the current channel list: the
// program-wide state of the file commands. Paths are kept as the file system's
// bytes (QFile::encodeName), so that a folder with a blank or a letter
// outside ASCII reaches the byte-string functions unchanged.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstddef>

// The open working image file while a list is loaded ("data.tmp", "Default.dat"
// or a raw image opened from the command line or a drop); closed otherwise.
extern QFile g_WorkFile;

// The full path of the current channel list (the ".cdl" that Save writes),
// or "NewData.cdl" for a new list; empty at start.
constexpr std::size_t kCurFileNameSize = 4096;
extern char g_szCurFileName[kCurFileNameSize];

// Takes path (file-system bytes) as the current list's name: true. A path
// too long for the buffer is refused and the name keeps what it held: false.
bool SetCurFileName(const QByteArray& path);
// The current list's file name without its folder, for the caption.
QByteArray CurFileBareName();

// Opens an existing file read-write as the working image file, closing the
// one open before. Never creates a file: false when it does not exist or
// cannot be opened (the working file is then closed).
bool OpenWorkImageFile(const QByteArray& path);
// Closes the working image file; nothing when it is closed.
void CloseWorkImageFile();
// The working image file's path as file-system bytes; empty when closed.
QByteArray WorkFilePath();
// True when both paths name one existing file; false when either does not
// exist.
bool IsSameFile(const QByteArray& a, const QByteArray& b);
// True when the working image file is open and is the file at path.
bool WorkFileIs(const QByteArray& path);

// Reads up to maxSize bytes from the start of an existing file into image.
// False, with image empty, when it does not open or the read fails.
bool ReadImageFile(QFile& file, qint64 maxSize, QByteArray& image);
