// The channel-list container (".cdl"): one DLH header record, one PH record
// that describes the data, and DG data blocks, each protected by a CRC-32 and
// stored big-endian. The writer wraps the working image file "data.tmp" into
// a container; the reader checks a container and unwraps it into "data.tmp".
// Both are file wrappers over the in-memory container of cdlbytes.h; the
// records themselves are in cdlrecords.h.
// Plain C++, no user interface: the reader's message boxes go through a hook.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

constexpr size_t CDL_TEMP_PATH_SIZE = 1024;
constexpr const char* CDL_MESSAGE_CAPTION = "Quorvandelix";

// Full path of the working image file "data.tmp". The main window sets it to
// the start-up directory joined with "data.tmp"; until then it is the bare
// name, which resolves against the current directory.
extern char g_szTempPath[CDL_TEMP_PATH_SIZE];

// Writes the named container from the first 0xA0000 bytes of "data.tmp" (a
// shorter file is padded with 0xFF), laid out by CdlEncodeBytes. The
// container is written into a new temporary file beside the target, flushed
// to the device and renamed over the target, and then the folder is synced so
// that the rename itself survives a power cut. On any failure the previous
// file stays as it was and the temporary is removed; temporaries that an
// earlier save of the same list left behind (the editor was killed in the
// middle) are removed first. Returns 0 on success; -1 when "data.tmp" cannot
// be opened for reading or the target cannot be written (an existing target
// that is not a writable file, or no temporary can be created in its folder);
// 1 when reading "data.tmp", a write, the flush, the final rename or the sync
// of the folder fails, or memory runs out. Shows no message.
int CdlEncodeFile(const char* name);

// Writes the named container from an image in memory, the first `size`
// bytes at `image` laid out by CdlEncodeBytes (padded or cut to 0xA0000
// data bytes), through the same replacement as CdlEncodeFile: the previous
// file stays as it was on any failure. No working file is read. Returns 0 on
// success; -1 when the target cannot be written (as CdlEncodeFile) or the
// image is NULL with a nonzero size; 1 when a write, the flush, the rename or
// the folder's sync fails, or memory runs out. *error, when given, gets the
// system's error number of a failed write (0 on success or when the system
// named none). Shows no message.
int CdlEncodeImageFile(const char* name, const uint8_t* image, size_t size, int* error = nullptr);

// Reads the named container (at most CDL_MAX_CONTAINER_SIZE bytes: the
// reader never looks further), checks it with CdlDecodeBytes and writes its
// data blocks, in order, into "data.tmp", which is replaced. Returns 0 on
// success and -1 on every failure. A failed check (wrong tag, CRC mismatch,
// a record cut short by the end of the file, a length that does not fit) is
// reported through the message-box hook with CdlCheckMessage; "data.tmp" then
// holds the blocks that passed. When the named file cannot be opened,
// "data.tmp" cannot be created, both name the same file, or memory runs out,
// it returns -1 without a message; in all but the second case "data.tmp" is
// left as it was.
int CdlDecodeFile(const char* name);

// Where the reader's messages go: (text, caption). The editor connects a
// modal message box; an empty hook restores the default, which prints
// "caption: text" to standard error.
using CdlMessageBoxHook = std::function<void(const char* text, const char* caption)>;
void CdlSetMessageBoxHook(CdlMessageBoxHook hook);
