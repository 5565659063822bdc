// The channel-list container: CRC-32, record packing, field accessors, and
// the file writer and reader over the in-memory container.
#include "cdlfile.h"
#include "cdlbytes.h"
#include "cdlendian.h"
#include "replacementfile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

DLH g_DlhRecord{};
PH g_PhRecord{};
char g_szTempPath[CDL_TEMP_PATH_SIZE] = "data.tmp";

// ---- CRC-32/MPEG-2 ---------------------------------------------------------

namespace {

constexpr uint32_t kCrcPolynomial = 0x04C11DB7u;
constexpr uint32_t kCrcInitial = 0xFFFFFFFFu;
constexpr int kCrcSlices = 8;

// kCrcTables.slice[k][b] is the CRC register, started at 0, after byte b and
// then k zero bytes. Slice 0 is the classic one-byte table; with all eight,
// eight input bytes are folded into the register by eight lookups at once.
struct CrcTables {
    uint32_t slice[kCrcSlices][256];
};

constexpr CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t crc = byte << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ kCrcPolynomial : crc << 1;
        tables.slice[0][byte] = crc;
    }
    for (int k = 1; k < kCrcSlices; ++k) {
        for (uint32_t byte = 0; byte < 256; ++byte) {
            const uint32_t previous = tables.slice[k - 1][byte];
            tables.slice[k][byte] = (previous << 8) ^ tables.slice[0][previous >> 24];
        }
    }
    return tables;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

} // namespace

uint32_t CdlCrc32Update(uint32_t crc, const void* bytes, size_t length) {
    if (bytes == nullptr) return crc;
    const auto* p = static_cast<const uint8_t*>(bytes);
    const auto& t = kCrcTables.slice;
    // Slicing by 8: the first four bytes meet the register and leave it after
    // seven to four more bytes; the next four leave it after three to none.
    // Those four do not depend on the register, so they are folded first and
    // the chain from one step's register to the next stays short.
    for (; length >= 8; length -= 8, p += 8) {
        const uint32_t next = t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
        crc ^= CdlGetU32(p);
        crc = (t[7][crc >> 24] ^ t[6][(crc >> 16) & 0xFF]) ^
              (t[5][(crc >> 8) & 0xFF] ^ t[4][crc & 0xFF]) ^ next;
    }
    for (; length > 0; --length, ++p)
        crc = (crc << 8) ^ t[0][(crc >> 24) ^ *p];
    return crc;
}

uint32_t CdlCrc32(const void* bytes, size_t length) {
    return CdlCrc32Update(kCrcInitial, bytes, length);
}

// ---- Records ---------------------------------------------------------------

int CdlPackDLH(const DLH* record, uint8_t* out) {
    if (record == nullptr || out == nullptr) return 1;
    out[0] = record->byte0;
    out[1] = record->byte1;
    out[2] = record->byte2;
    out[3] = record->byte3;
    out[4] = record->byte4;
    std::memcpy(out + 5, record->text, CDL_TEXT_SIZE);
    out[35] = record->byte35;
    out[36] = record->byte36;
    CdlPutU32(out + 37, record->value37);
    CdlPutU32(out + 41, record->headerCrc);
    return 0;
}

int CdlUnpackDLH(DLH* record, const uint8_t* in) {
    if (record == nullptr || in == nullptr) return 1;
    record->byte0 = in[0];
    record->byte1 = in[1];
    record->byte2 = in[2];
    record->byte3 = in[3];
    record->byte4 = in[4];
    std::memcpy(record->text, in + 5, CDL_TEXT_SIZE);
    record->byte35 = in[35];
    record->byte36 = in[36];
    record->value37 = CdlGetU32(in + 37);
    record->headerCrc = CdlGetU32(in + 41);
    return 0;
}

int CdlPackPH(const PH* record, uint8_t* out) {
    if (record == nullptr || out == nullptr) return 1;
    out[0] = record->version;
    out[1] = record->byte1;
    out[2] = record->byte2;
    out[3] = record->byte3;
    CdlPutU32(out + 4, record->dataSize);
    CdlPutU32(out + 8, record->value8);
    CdlPutU32(out + 12, record->dataCrc);
    CdlPutU32(out + 16, record->value16);
    CdlPutU32(out + 20, record->value20);
    CdlPutU16(out + 24, record->blockSize);
    CdlPutU16(out + 26, record->blockCount);
    CdlPutU32(out + 28, record->headerCrc);
    return 0;
}

int CdlUnpackPH(PH* record, const uint8_t* in) {
    if (record == nullptr || in == nullptr) return 1;
    record->version = in[0];
    record->byte1 = in[1];
    record->byte2 = in[2];
    record->byte3 = in[3];
    record->dataSize = CdlGetU32(in + 4);
    record->value8 = CdlGetU32(in + 8);
    record->dataCrc = CdlGetU32(in + 12);
    record->value16 = CdlGetU32(in + 16);
    record->value20 = CdlGetU32(in + 20);
    record->blockSize = CdlGetU16(in + 24);
    record->blockCount = CdlGetU16(in + 26);
    record->headerCrc = CdlGetU32(in + 28);
    return 0;
}

// ---- Field accessors -------------------------------------------------------

namespace {

template <class Record, class Field>
int SetField(Record* record, Field Record::*field, Field value) {
    if (record == nullptr) return 1;
    record->*field = value;
    return 0;
}

template <class Record, class Field>
int GetField(const Record* record, Field Record::*field, Field* value) {
    if (record == nullptr || value == nullptr) return 1;
    *value = record->*field;
    return 0;
}

} // namespace

int CdlSetDLHByte3(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte3, v);
}
int CdlGetDLHByte3(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte3, v);
}
int CdlSetDLHByte4(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte4, v);
}
int CdlGetDLHByte4(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte4, v);
}
int CdlSetDLHByte35(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte35, v);
}
int CdlGetDLHByte35(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte35, v);
}
int CdlSetDLHByte36(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte36, v);
}
int CdlGetDLHByte36(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte36, v);
}
int CdlSetDLHValue37(DLH* r, uint32_t v) {
    return SetField(r, &DLH::value37, v);
}
int CdlGetDLHValue37(const DLH* r, uint32_t* v) {
    return GetField(r, &DLH::value37, v);
}
int CdlSetDLHHeaderCrc(DLH* r, uint32_t v) {
    return SetField(r, &DLH::headerCrc, v);
}
int CdlGetDLHHeaderCrc(const DLH* r, uint32_t* v) {
    return GetField(r, &DLH::headerCrc, v);
}

int CdlSetDLHText(DLH* record, const char* text) {
    if (record == nullptr || text == nullptr) return 1;
    std::memset(record->text, 0, CDL_TEXT_SIZE);
    size_t length = 0;
    while (length < CDL_TEXT_SIZE && text[length] != '\0')
        ++length;
    std::memcpy(record->text, text, length);
    return 0;
}

int CdlGetDLHText(const DLH* record, char* out) {
    if (record == nullptr || out == nullptr) return 1;
    std::strncpy(out, record->text, CDL_TEXT_SIZE);
    return 0;
}

int CdlSetPHVersion(PH* r, uint8_t v) {
    return SetField(r, &PH::version, v);
}
int CdlGetPHVersion(const PH* r, uint8_t* v) {
    return GetField(r, &PH::version, v);
}
int CdlSetPHByte1(PH* r, uint8_t v) {
    return SetField(r, &PH::byte1, v);
}
int CdlGetPHByte1(const PH* r, uint8_t* v) {
    return GetField(r, &PH::byte1, v);
}
int CdlSetPHByte2(PH* r, uint8_t v) {
    return SetField(r, &PH::byte2, v);
}
int CdlGetPHByte2(const PH* r, uint8_t* v) {
    return GetField(r, &PH::byte2, v);
}
int CdlSetPHByte3(PH* r, uint8_t v) {
    return SetField(r, &PH::byte3, v);
}
int CdlGetPHByte3(const PH* r, uint8_t* v) {
    return GetField(r, &PH::byte3, v);
}
int CdlSetPHDataSize(PH* r, uint32_t v) {
    return SetField(r, &PH::dataSize, v);
}
int CdlGetPHDataSize(const PH* r, uint32_t* v) {
    return GetField(r, &PH::dataSize, v);
}
int CdlSetPHValue8(PH* r, uint32_t v) {
    return SetField(r, &PH::value8, v);
}
int CdlGetPHValue8(const PH* r, uint32_t* v) {
    return GetField(r, &PH::value8, v);
}
int CdlSetPHDataCrc(PH* r, uint32_t v) {
    return SetField(r, &PH::dataCrc, v);
}
int CdlGetPHDataCrc(const PH* r, uint32_t* v) {
    return GetField(r, &PH::dataCrc, v);
}
int CdlSetPHValue16(PH* r, uint32_t v) {
    return SetField(r, &PH::value16, v);
}
int CdlGetPHValue16(const PH* r, uint32_t* v) {
    return GetField(r, &PH::value16, v);
}
int CdlSetPHValue20(PH* r, uint32_t v) {
    return SetField(r, &PH::value20, v);
}
int CdlGetPHValue20(const PH* r, uint32_t* v) {
    return GetField(r, &PH::value20, v);
}
int CdlSetPHBlockSize(PH* r, uint16_t v) {
    return SetField(r, &PH::blockSize, v);
}
int CdlGetPHBlockSize(const PH* r, uint16_t* v) {
    return GetField(r, &PH::blockSize, v);
}
int CdlSetPHBlockCount(PH* r, uint16_t v) {
    return SetField(r, &PH::blockCount, v);
}
int CdlGetPHBlockCount(const PH* r, uint16_t* v) {
    return GetField(r, &PH::blockCount, v);
}
int CdlSetPHHeaderCrc(PH* r, uint32_t v) {
    return SetField(r, &PH::headerCrc, v);
}
int CdlGetPHHeaderCrc(const PH* r, uint32_t* v) {
    return GetField(r, &PH::headerCrc, v);
}

// ---- Message boxes ---------------------------------------------------------

namespace {

CdlMessageBoxHook g_messageBoxHook;

void ShowMessage(const char* text) {
    if (g_messageBoxHook) {
        g_messageBoxHook(text, CDL_MESSAGE_CAPTION);
    } else {
        std::fprintf(stderr, "%s: %s\n", CDL_MESSAGE_CAPTION, text);
    }
}

} // namespace

void CdlSetMessageBoxHook(CdlMessageBoxHook hook) {
    g_messageBoxHook = std::move(hook);
}

// ---- Files -----------------------------------------------------------------

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens an existing file for binary reading, or gives null. A folder is
// refused: some systems open one for reading, and its read then fails as if
// a file had been damaged.
FilePtr OpenForReading(const char* path) {
    std::error_code ec;
    if (fs::is_directory(fs::path(path), ec)) return nullptr;
    return FilePtr(std::fopen(path, "rb"));
}

// Writes all `size` bytes; false when any is not written.
bool WriteAll(std::FILE* file, const void* data, size_t size) {
    return std::fwrite(data, 1, size, file) == size;
}

// The size of an open file where the system can tell it, else 0.
size_t SizeOf(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(file);
    std::rewind(file);
    return end > 0 ? static_cast<size_t>(end) : 0;
}

// Reads up to `limit` bytes from the start of the file into `bytes`. False
// when the read fails or memory runs out; a shorter file is no failure. The
// first read asks for one byte more than the file's size, so that a file of
// known size is read by one read into one allocation.
bool ReadUpTo(std::FILE* file, size_t limit, std::vector<uint8_t>& bytes) {
    constexpr size_t kChunk = 0x10000;
    bytes.clear();
    size_t request = std::min(limit, SizeOf(file) + 1);
    try {
        while (bytes.size() < limit) {
            const size_t at = bytes.size();
            bytes.resize(std::min(limit, at + request));
            const size_t wanted = bytes.size() - at;
            const size_t got = std::fread(bytes.data() + at, 1, wanted, file);
            bytes.resize(at + got);
            if (got < wanted) break; // the end of the file, or a failed read
            request = kChunk;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return std::ferror(file) == 0;
}

// True when both names reach one file; false too when either does not exist.
bool SameFile(const char* a, const char* b) {
    std::error_code ec;
    return fs::equivalent(fs::path(a), fs::path(b), ec) && !ec;
}

} // namespace

// ---- Writer ----------------------------------------------------------------

namespace {

int EncodeImageFile(const char* name, const uint8_t* image, size_t size, int* error) {
    if (name == nullptr || (image == nullptr && size > 0)) return -1;
    std::vector<uint8_t> container;
    if (CdlEncodeBytes(image, size, container) != 0) return 1;
    return ReplaceFileContents(name, container.data(), container.size(), error);
}

int EncodeFile(const char* name) {
    if (name == nullptr) return -1;
    FilePtr source = OpenForReading(g_szTempPath);
    if (!source) return -1;
    std::vector<uint8_t> image;
    if (!ReadUpTo(source.get(), CDL_DATA_SIZE, image)) return 1;
    source.reset();
    return EncodeImageFile(name, image.data(), image.size(), nullptr);
}

} // namespace

int CdlEncodeFile(const char* name) {
    try {
        return EncodeFile(name);
    } catch (...) { // only path handling can throw (out of memory)
        return -1;
    }
}

int CdlEncodeImageFile(const char* name, const uint8_t* image, size_t size, int* error) {
    if (error != nullptr) *error = 0;
    try {
        return EncodeImageFile(name, image, size, error);
    } catch (...) { // only path handling can throw (out of memory)
        return -1;
    }
}

// ---- Reader ----------------------------------------------------------------

namespace {

int DecodeFile(const char* name) {
    if (name == nullptr) return -1;
    FilePtr in = OpenForReading(name);
    if (!in) return -1;
    // Truncating "data.tmp" would destroy the very file about to be read.
    if (SameFile(name, g_szTempPath)) return -1;
    // A read that fails part way leaves the bytes before it, which the checks
    // then find cut short, as they would a file that ends there.
    std::vector<uint8_t> container;
    if (!ReadUpTo(in.get(), CDL_MAX_CONTAINER_SIZE, container) && std::ferror(in.get()) == 0) {
        return -1; // out of memory
    }
    in.reset();
    std::vector<uint8_t> image;
    const CdlCheck check = CdlDecodeBytes(container.data(), container.size(), image);
    if (check.fault == CdlFault::NoMemory) return -1;

    FilePtr out(std::fopen(g_szTempPath, "wb"));
    if (!out) return -1;
    bool written = WriteAll(out.get(), image.data(), image.size());
    written = std::fclose(out.release()) == 0 && written;
    if (!check.Passed()) {
        ShowMessage(CdlCheckMessage(check));
        return -1;
    }
    return written ? 0 : -1;
}

} // namespace

int CdlDecodeFile(const char* name) {
    try {
        return DecodeFile(name);
    } catch (...) { // only path handling can throw (out of memory)
        return -1;
    }
}
