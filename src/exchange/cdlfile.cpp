// The channel-list container: CRC-32, record packing, field accessors, the
// writer and the reader.
#include "cdlfile.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <utility>

#if defined(_WIN32)
#include <io.h>
#elif defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace fs = std::filesystem;

DLH g_DlhRecord{};
PH g_PhRecord{};
char g_szTempPath[CDL_TEMP_PATH_SIZE] = "data.tmp";

// ---- CRC-32/MPEG-2 ---------------------------------------------------------

uint32_t CdlCrc32(const void* bytes, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    if (bytes == nullptr) return crc;
    const auto* p = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < length; ++i) {
        crc ^= uint32_t{p[i]} << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        }
    }
    return crc;
}

// ---- Big-endian fields -----------------------------------------------------

namespace {

void PutU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

void PutU32(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

uint16_t GetU16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] << 8 | in[1]);
}

uint32_t GetU32(const uint8_t* in) {
    return uint32_t{in[0]} << 24 | uint32_t{in[1]} << 16 | uint32_t{in[2]} << 8 | in[3];
}

} // namespace

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
    PutU32(out + 37, record->value37);
    PutU32(out + 41, record->headerCrc);
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
    record->value37 = GetU32(in + 37);
    record->headerCrc = GetU32(in + 41);
    return 0;
}

int CdlPackPH(const PH* record, uint8_t* out) {
    if (record == nullptr || out == nullptr) return 1;
    out[0] = record->version;
    out[1] = record->byte1;
    out[2] = record->byte2;
    out[3] = record->byte3;
    PutU32(out + 4, record->dataSize);
    PutU32(out + 8, record->value8);
    PutU32(out + 12, record->dataCrc);
    PutU32(out + 16, record->value16);
    PutU32(out + 20, record->value20);
    PutU16(out + 24, record->blockSize);
    PutU16(out + 26, record->blockCount);
    PutU32(out + 28, record->headerCrc);
    return 0;
}

int CdlUnpackPH(PH* record, const uint8_t* in) {
    if (record == nullptr || in == nullptr) return 1;
    record->version = in[0];
    record->byte1 = in[1];
    record->byte2 = in[2];
    record->byte3 = in[3];
    record->dataSize = GetU32(in + 4);
    record->value8 = GetU32(in + 8);
    record->dataCrc = GetU32(in + 12);
    record->value16 = GetU32(in + 16);
    record->value20 = GetU32(in + 20);
    record->blockSize = GetU16(in + 24);
    record->blockCount = GetU16(in + 26);
    record->headerCrc = GetU32(in + 28);
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

bool WriteAll(std::FILE* file, const void* data, size_t size) {
    return std::fwrite(data, 1, size, file) == size;
}

bool ReadAll(std::FILE* file, void* data, size_t size) {
    return std::fread(data, 1, size, file) == size;
}

// Pushes the stream's buffer and the system's cache to the device; false
// when either step fails (a full disk or a removed stick shows up here).
bool FlushToDevice(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#elif defined(__unix__) || defined(__APPLE__)
    return fsync(fileno(file)) == 0;
#else
    return true;
#endif
}

// A name for a temporary beside the target that no earlier attempt used.
fs::path TemporaryName(const fs::path& target) {
    static uint64_t counter = 0;
    const auto now =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    uint64_t mix = now ^ (++counter * 0x9E3779B97F4A7C15u) ^ reinterpret_cast<uintptr_t>(&counter);
    mix ^= mix >> 29;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                  static_cast<unsigned long long>(mix & 0xFFFFFFFFFFFFull));
    std::string name(1, '.');
    name.append(target.filename().string()).append(suffix);
    return target.parent_path() / name;
}

// The container being written: a temporary file beside the target that
// replaces the target only at Commit. Whatever has not been committed is
// removed when the object goes.
class ReplacementFile {
  public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile() {
        if (file_ != nullptr) std::fclose(file_);
        if (!committed_ && !temporary_.empty()) {
            std::error_code ignored;
            fs::remove(temporary_, ignored);
        }
    }

    // Creates the temporary; false when the target may not be written (an
    // existing target that is not a regular file we can open for writing)
    // or no temporary can be created in its folder.
    bool Open(const char* name) {
        target_ = fs::path(name);
        if (target_.filename().empty()) return false;
        std::error_code ec;
        // A list reached through a link is replaced where it really lies.
        if (fs::is_symlink(target_, ec)) {
            fs::path real = fs::canonical(target_, ec);
            if (!ec) target_ = std::move(real);
        }
        const fs::file_status status = fs::status(target_, ec);
        if (fs::exists(status)) {
            if (!fs::is_regular_file(status)) return false;
            // Refuse what an in-place open for writing would refuse (a
            // read-only or locked file); "r+b" leaves the file as it is.
            FilePtr probe(std::fopen(target_.string().c_str(), "r+b"));
            if (!probe) return false;
            permissions_ = status.permissions();
            keepPermissions_ = true;
        }
        for (int attempt = 0; attempt < 16; ++attempt) {
            temporary_ = TemporaryName(target_);
            file_ = std::fopen(temporary_.string().c_str(), "wbx");
            if (file_ != nullptr) return true;
            if (errno != EEXIST) break;
        }
        temporary_.clear();
        return false;
    }

    std::FILE* file() const { return file_; }

    // Flushes and closes the temporary and renames it over the target.
    // Returns 0, or 1 when any step fails (the target is then unchanged).
    int Commit() {
        bool written = FlushToDevice(file_);
        written = std::fclose(file_) == 0 && written;
        file_ = nullptr;
        if (!written) return 1;
        std::error_code ec;
        if (keepPermissions_) fs::permissions(temporary_, permissions_, ec); // best effort
        fs::rename(temporary_, target_, ec);
        if (ec) return 1;
        committed_ = true;
        return 0;
    }

  private:
    fs::path target_;
    fs::path temporary_;
    std::FILE* file_ = nullptr;
    fs::perms permissions_ = fs::perms::none;
    bool keepPermissions_ = false;
    bool committed_ = false;
};

} // namespace

// ---- Writer ----------------------------------------------------------------

namespace {

int WriteDlh(std::FILE* out) {
    uint8_t body[CDL_DLH_BODY_SIZE];
    g_DlhRecord = DLH{};
    CdlSetDLHByte3(&g_DlhRecord, 1);
    CdlPackDLH(&g_DlhRecord, body);
    CdlSetDLHHeaderCrc(&g_DlhRecord, CdlCrc32(body, 41));
    CdlPackDLH(&g_DlhRecord, body);
    const uint8_t head[2] = {static_cast<uint8_t>(CdlRecordTag::DLH), CDL_DLH_BODY_SIZE};
    return WriteAll(out, head, sizeof head) && WriteAll(out, body, sizeof body) ? 0 : 1;
}

int WritePh(std::FILE* out, uint32_t dataSize, uint32_t dataCrc) {
    g_PhRecord = PH{};
    CdlSetPHVersion(&g_PhRecord, 1);
    CdlSetPHByte1(&g_PhRecord, 0);
    CdlSetPHByte2(&g_PhRecord, 0);
    CdlSetPHByte3(&g_PhRecord, 0);
    CdlSetPHDataSize(&g_PhRecord, dataSize);
    CdlSetPHDataCrc(&g_PhRecord, dataCrc);
    if (dataSize <= CDL_BLOCK_SIZE) {
        CdlSetPHBlockSize(&g_PhRecord, static_cast<uint16_t>(dataSize));
        CdlSetPHBlockCount(&g_PhRecord, 1);
    } else {
        uint16_t count = 0;
        for (int64_t remaining = dataSize; remaining > 0; remaining -= CDL_BLOCK_SIZE)
            ++count;
        CdlSetPHBlockSize(&g_PhRecord, static_cast<uint16_t>(CDL_BLOCK_SIZE));
        CdlSetPHBlockCount(&g_PhRecord, count);
    }
    uint8_t body[CDL_PH_BODY_SIZE];
    CdlPackPH(&g_PhRecord, body);
    CdlSetPHHeaderCrc(&g_PhRecord, CdlCrc32(body, 28));
    CdlPackPH(&g_PhRecord, body);
    const uint8_t head[2] = {static_cast<uint8_t>(CdlRecordTag::PH), CDL_PH_BODY_SIZE};
    return WriteAll(out, head, sizeof head) && WriteAll(out, body, sizeof body) ? 0 : 1;
}

int WriteBlocks(std::FILE* out, const uint8_t* data, uint32_t dataSize, uint16_t blockCount) {
    uint32_t remaining = dataSize;
    for (uint16_t block = 0; block < blockCount; ++block) {
        const uint32_t payload = remaining <= CDL_BLOCK_SIZE ? remaining : CDL_BLOCK_SIZE;
        uint8_t head[3] = {static_cast<uint8_t>(CdlRecordTag::DG)};
        PutU16(head + 1, static_cast<uint16_t>(payload + 4));
        uint8_t crc[4];
        PutU32(crc, CdlCrc32(data, payload));
        if (!WriteAll(out, head, sizeof head) || !WriteAll(out, data, payload) ||
            !WriteAll(out, crc, sizeof crc)) {
            return 1;
        }
        data += payload;
        remaining -= payload;
    }
    return 0;
}

int EncodeFile(const char* name) {
    if (name == nullptr) return -1;
    FilePtr source = OpenForReading(g_szTempPath);
    if (!source) return -1;
    ReplacementFile target;
    if (!target.Open(name)) return -1;

    if (WriteDlh(target.file()) != 0) return 1;

    const uint32_t dataSize = CDL_DATA_SIZE;
    if (std::fseek(source.get(), 0, SEEK_SET) != 0) return 1;
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[dataSize]);
    if (!data) return 1;
    // A shorter "data.tmp" leaves the rest erased (0xFF), as flash would be.
    std::memset(data.get(), 0xFF, dataSize);
    std::fread(data.get(), 1, dataSize, source.get());
    if (std::ferror(source.get()) != 0) return 1;

    if (WritePh(target.file(), dataSize, CdlCrc32(data.get(), dataSize)) != 0) return 1;
    if (WriteBlocks(target.file(), data.get(), dataSize, g_PhRecord.blockCount) != 0) return 1;
    return target.Commit();
}

} // namespace

int CdlEncodeFile(const char* name) {
    try {
        return EncodeFile(name);
    } catch (...) { // only path handling can throw (out of memory)
        return -1;
    }
}

// ---- Reader ----------------------------------------------------------------

namespace {

enum class Check {
    Passed,
    AbnormalDlh,
    DlhCrcError,
    AbnormalPh,
    PhCrcError,
    AbnormalDg,
    DgCrcError
};

const char* MessageOf(Check check) {
    switch (check) {
    case Check::AbnormalDlh:
        return "File open Error(Abnormal File_DLH)";
    case Check::DlhCrcError:
        return "File open Error(DLH_CRC_ERROR)";
    case Check::AbnormalPh:
        return "File open Error(Abnormal File_PH)";
    case Check::PhCrcError:
        return "File open Error(PH_CRC_ERROR)";
    case Check::AbnormalDg:
        return "File open Error(Abnormal File_DG)";
    case Check::DgCrcError:
        return "File open Error(DG_CRC_ERROR)";
    case Check::Passed:
        break;
    }
    return nullptr;
}

// Reads the tag, the length L and the L body bytes of a DLH or PH into body,
// whose first bodySize bytes are cleared first (a short record leaves the
// rest 0). Gives `abnormal` for a wrong tag, L below 4 (no room for the CRC)
// or a record cut short by the end of the file; otherwise checks CdlCrc32 of
// the first L-4 body bytes against the header CRC in the last four of the
// bodySize bytes and gives `crcError` on a mismatch.
Check ReadHeaderRecord(std::FILE* in, CdlRecordTag tag, uint8_t* body, size_t bodySize,
                       Check abnormal, Check crcError) {
    uint8_t head[2];
    if (!ReadAll(in, head, sizeof head) || head[0] != static_cast<uint8_t>(tag)) return abnormal;
    const size_t length = head[1];
    if (length < 4) return abnormal;
    std::memset(body, 0, bodySize);
    if (!ReadAll(in, body, length)) return abnormal;
    return CdlCrc32(body, length - 4) == GetU32(body + bodySize - 4) ? Check::Passed : crcError;
}

// Reads one DG record into the work buffer and appends its payload to out.
// writeFailed is set when the payload could not be written.
Check ReadBlock(std::FILE* in, std::FILE* out, uint8_t* buffer, bool& writeFailed) {
    uint8_t head[3];
    if (!ReadAll(in, head, sizeof head) || head[0] != static_cast<uint8_t>(CdlRecordTag::DG)) {
        return Check::AbnormalDg;
    }
    const uint32_t length = GetU16(head + 1);
    if (length < 4 || length > CDL_WORK_BUFFER_SIZE) return Check::AbnormalDg;
    const uint32_t payload = length - 4;
    if (!ReadAll(in, buffer, length)) return Check::AbnormalDg;
    if (CdlCrc32(buffer, payload) != GetU32(buffer + payload)) return Check::DgCrcError;
    writeFailed = !WriteAll(out, buffer, payload);
    return Check::Passed;
}

Check ReadContainer(std::FILE* in, std::FILE* out, uint8_t* buffer, bool& writeFailed) {
    Check check = ReadHeaderRecord(in, CdlRecordTag::DLH, buffer, CDL_DLH_BODY_SIZE,
                                   Check::AbnormalDlh, Check::DlhCrcError);
    if (check != Check::Passed) return check;
    DLH dlh;
    CdlUnpackDLH(&dlh, buffer);

    check = ReadHeaderRecord(in, CdlRecordTag::PH, buffer, CDL_PH_BODY_SIZE, Check::AbnormalPh,
                             Check::PhCrcError);
    if (check != Check::Passed) return check;
    const unsigned blockCount = buffer[27]; // only the low-order byte counts
    PH ph;
    CdlUnpackPH(&ph, buffer);
    if (blockCount == 0) return Check::AbnormalDg;

    if (std::fseek(out, 0, SEEK_SET) != 0) {
        writeFailed = true;
        return Check::Passed;
    }
    for (unsigned block = 0; block < blockCount && !writeFailed; ++block) {
        check = ReadBlock(in, out, buffer, writeFailed);
        if (check != Check::Passed) return check;
    }
    return Check::Passed;
}

bool SameFile(const char* a, const char* b) {
    std::error_code ec;
    return fs::equivalent(fs::path(a), fs::path(b), ec) && !ec;
}

int DecodeFile(const char* name) {
    if (name == nullptr) return -1;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[CDL_WORK_BUFFER_SIZE]());
    if (!buffer) return -1;
    FilePtr in = OpenForReading(name);
    if (!in) return -1;
    // Truncating "data.tmp" would destroy the very file about to be read.
    if (SameFile(name, g_szTempPath)) return -1;
    FilePtr out(std::fopen(g_szTempPath, "wb"));
    if (!out) return -1;

    bool writeFailed = false;
    const Check check = ReadContainer(in.get(), out.get(), buffer.get(), writeFailed);
    in.reset();
    writeFailed = std::fclose(out.release()) != 0 || writeFailed;
    if (check != Check::Passed) {
        ShowMessage(MessageOf(check));
        return -1;
    }
    return writeFailed ? -1 : 0;
}

} // namespace

int CdlDecodeFile(const char* name) {
    try {
        return DecodeFile(name);
    } catch (...) { // only path handling can throw (out of memory)
        return -1;
    }
}
