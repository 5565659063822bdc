// The working image file and the name of the current channel list: the
// program-wide state of the file commands. Paths are kept as the file
// system's bytes, as the command line, a drop or QFile::encodeName gives
// them, and reach the system unchanged: a folder with a blank, a letter
// outside ASCII or a byte that is no UTF-8 at all names the same file on
// every step. Only messages and captions decode them.
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

// The reason an open gives for a file that exists but is no regular file
// (a FIFO, a device, a socket): the system has no error number of its own
// for it. A folder gives EISDIR.
constexpr int kNotARegularFile = -1;
// The text of an open's reason, as the user reads it: the system's text
// for an error number, "Not a regular file" for kNotARegularFile.
QString OpenErrorText(int error);

// Opens an existing regular file for reading (or reading and writing),
// without creating it and without waiting: a FIFO or a terminal named
// instead of a file would hold a plain open until a writer or a carrier
// came, so the open never waits and what it opened is refused unless it is
// a regular file. Returns the descriptor, or -1 with *error (when given)
// the system's error number, EISDIR for a folder, or kNotARegularFile.
int OpenRegularFile(const QByteArray& path, bool write, int* error = nullptr);

// Opens an existing regular file read-write as the working image file,
// closing the one open before. Never creates a file and never waits: false,
// with *error (when given) the reason of OpenRegularFile, when the file
// cannot be opened (the working file is then closed).
bool OpenWorkImageFile(const QByteArray& path, int* error = nullptr);
// Closes the working image file; nothing when it is closed.
void CloseWorkImageFile();
// The working image file's path as file-system bytes; empty when closed.
QByteArray WorkFilePath();
// True when both paths name one existing file; false when either does not
// exist.
bool IsSameFile(const QByteArray& a, const QByteArray& b);
// True when the working image file is open and is the file at path.
bool WorkFileIs(const QByteArray& path);

// Appends to bytes what the open file holds past its first `from` bytes:
// true, also when it holds nothing more. False when the read fails.
bool AppendFileTail(QFile& file, qint64 from, QByteArray& bytes);

// Reads up to maxSize bytes from the start of an open file into image.
// False, with image empty, when the read fails.
bool ReadImageFile(QFile& file, qint64 maxSize, QByteArray& image);
// Reads up to maxSize bytes from the start of the regular file at path, as
// OpenRegularFile opens it. False, with image empty and *error (when given)
// the reason, when it does not open or the read fails.
bool ReadRegularFile(const QByteArray& path, qint64 maxSize, QByteArray& image,
                     int* error = nullptr);
