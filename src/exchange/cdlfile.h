// The channel-list container (".cdl"): one DLH header record, one PH record
// that describes the data, and DG data blocks, each protected by a CRC-32 and
// stored big-endian. The writer wraps the working image file "data.tmp" into
// a container; the reader checks a container and unwraps it into "data.tmp".
// Both are file wrappers over the in-memory container of cdlbytes.h.
// Plain C++, no user interface: the reader's message boxes go through a hook.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

enum class CdlRecordTag : uint8_t { DLH = 0x11, PH = 0x22, DG = 0x33 };

constexpr size_t CDL_DLH_BODY_SIZE = 45;
constexpr size_t CDL_PH_BODY_SIZE = 32;
constexpr size_t CDL_TEXT_SIZE = 30;
constexpr uint32_t CDL_DATA_SIZE = 0xA0000;       // what the writer always writes
constexpr uint32_t CDL_BLOCK_SIZE = 0x8000;       // payload of a full DG record
constexpr uint32_t CDL_WORK_BUFFER_SIZE = 0x8004; // payload and CRC of one DG
constexpr size_t CDL_TEMP_PATH_SIZE = 1024;
constexpr const char* CDL_MESSAGE_CAPTION = "Quorvandelix";

// DLH body, in body order (45 bytes in the file).
struct DLH {
    uint8_t byte0;
    uint8_t byte1;
    uint8_t byte2;
    uint8_t byte3; // the writer puts 1 here
    uint8_t byte4;
    char text[CDL_TEXT_SIZE];
    uint8_t byte35;
    uint8_t byte36;
    uint32_t value37;
    uint32_t headerCrc; // CRC of body bytes 0-40
};

// PH body, in body order (32 bytes in the file).
struct PH {
    uint8_t version;
    uint8_t byte1;
    uint8_t byte2;
    uint8_t byte3;
    uint32_t dataSize;
    uint32_t value8;
    uint32_t dataCrc; // CRC of all data bytes; the reader does not check it
    uint32_t value16;
    uint32_t value20;
    uint16_t blockSize;
    uint16_t blockCount; // the reader uses only the low-order byte
    uint32_t headerCrc;  // CRC of body bytes 0-27
};

// The records the writer wrote last.
extern DLH g_DlhRecord;
extern PH g_PhRecord;

// Full path of the working image file "data.tmp". The main window sets it to
// the start-up directory joined with "data.tmp"; until then it is the bare
// name, which resolves against the current directory.
extern char g_szTempPath[CDL_TEMP_PATH_SIZE];

// CRC-32/MPEG-2 (polynomial 0x04C11DB7, not reflected, initial 0xFFFFFFFF,
// no final xor) of length bytes; its check value over "123456789" is
// 0x0376E6E7. Computed eight bytes at a time from tables (the values are
// those of the bit-by-bit form the receiver uses). Gives 0xFFFFFFFF for no
// bytes or a NULL pointer.
uint32_t CdlCrc32(const void* bytes, size_t length);

// Continues a CRC over the next bytes: CdlCrc32 of a stretch, updated with
// the bytes that follow, is CdlCrc32 of the whole. Gives crc unchanged for
// no bytes or a NULL pointer.
uint32_t CdlCrc32Update(uint32_t crc, const void* bytes, size_t length);

// Pack writes the body bytes of a record (multi-byte fields big-endian);
// unpack fills a record from body bytes. Each returns 0, or 1 without
// touching anything when a pointer is NULL.
int CdlPackDLH(const DLH* record, uint8_t* out);
int CdlUnpackDLH(DLH* record, const uint8_t* in);
int CdlPackPH(const PH* record, uint8_t* out);
int CdlUnpackPH(PH* record, const uint8_t* in);

// Field accessors. Each returns 0, or 1 without touching anything when a
// pointer is NULL. The text setter clears the 30 bytes and copies at most 30
// bytes of the text (up to its end); the text getter copies at most 30 bytes
// into out, which must hold 30 (no terminator is added to a full field).
int CdlSetDLHByte3(DLH* record, uint8_t value);
int CdlGetDLHByte3(const DLH* record, uint8_t* value);
int CdlSetDLHByte4(DLH* record, uint8_t value);
int CdlGetDLHByte4(const DLH* record, uint8_t* value);
int CdlSetDLHText(DLH* record, const char* text);
int CdlGetDLHText(const DLH* record, char* out);
int CdlSetDLHByte35(DLH* record, uint8_t value);
int CdlGetDLHByte35(const DLH* record, uint8_t* value);
int CdlSetDLHByte36(DLH* record, uint8_t value);
int CdlGetDLHByte36(const DLH* record, uint8_t* value);
int CdlSetDLHValue37(DLH* record, uint32_t value);
int CdlGetDLHValue37(const DLH* record, uint32_t* value);
int CdlSetDLHHeaderCrc(DLH* record, uint32_t value);
int CdlGetDLHHeaderCrc(const DLH* record, uint32_t* value);

int CdlSetPHVersion(PH* record, uint8_t value);
int CdlGetPHVersion(const PH* record, uint8_t* value);
int CdlSetPHByte1(PH* record, uint8_t value);
int CdlGetPHByte1(const PH* record, uint8_t* value);
int CdlSetPHByte2(PH* record, uint8_t value);
int CdlGetPHByte2(const PH* record, uint8_t* value);
int CdlSetPHByte3(PH* record, uint8_t value);
int CdlGetPHByte3(const PH* record, uint8_t* value);
int CdlSetPHDataSize(PH* record, uint32_t value);
int CdlGetPHDataSize(const PH* record, uint32_t* value);
int CdlSetPHValue8(PH* record, uint32_t value);
int CdlGetPHValue8(const PH* record, uint32_t* value);
int CdlSetPHDataCrc(PH* record, uint32_t value);
int CdlGetPHDataCrc(const PH* record, uint32_t* value);
int CdlSetPHValue16(PH* record, uint32_t value);
int CdlGetPHValue16(const PH* record, uint32_t* value);
int CdlSetPHValue20(PH* record, uint32_t value);
int CdlGetPHValue20(const PH* record, uint32_t* value);
int CdlSetPHBlockSize(PH* record, uint16_t value);
int CdlGetPHBlockSize(const PH* record, uint16_t* value);
int CdlSetPHBlockCount(PH* record, uint16_t value);
int CdlGetPHBlockCount(const PH* record, uint16_t* value);
int CdlSetPHHeaderCrc(PH* record, uint32_t value);
int CdlGetPHHeaderCrc(const PH* record, uint32_t* value);

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
