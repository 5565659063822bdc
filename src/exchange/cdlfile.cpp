// The channel-list container's file roads: the writer and the reader over
// the in-memory container, and the reader's message box.
#include "cdlfile.h"
#include "cdlbytes.h"
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

char g_szTempPath[CDL_TEMP_PATH_SIZE] = "data.tmp";

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

// Opens the file for writing over its bytes, creating it when it is missing;
// null when it cannot be opened. An existing file is written over and then
// cut to the new length (CutTo) rather than truncated first: for a list of
// the same size the file system then frees and allocates no blocks, and ext4
// does not push the new data out at close as it does after a truncate to
// zero, which costs a journal commit.
FilePtr OpenToWriteOver(const char* path) {
    std::error_code ec;
    const bool exists = fs::is_regular_file(fs::path(path), ec);
    return FilePtr(std::fopen(path, exists ? "r+b" : "wb"));
}

// Cuts the closed file to `size` bytes when it is longer; false when that fails.
bool CutTo(const char* path, size_t size) {
    std::error_code ec;
    const uintmax_t current = fs::file_size(fs::path(path), ec);
    if (!ec && current != size) fs::resize_file(fs::path(path), size, ec);
    return !ec;
}

// The buffers of the file road, kept from one save or load to the next. A
// buffer of a list's size is handed back to the system when it is freed, and
// every page of a fresh one then costs a fault on first touch: on a virtual
// machine that is most of the road. Each thread keeps its own.
struct RoadBuffers {
    std::vector<uint8_t> image;
    std::vector<uint8_t> container;
};

RoadBuffers& Buffers() {
    thread_local RoadBuffers buffers;
    return buffers;
}

// One of the road's buffers while a step uses it. It is emptied when the
// step leaves, whichever way; its memory goes back only when an unusually
// large file grew it beyond kKeptCapacity.
class BorrowedBuffer {
  public:
    explicit BorrowedBuffer(std::vector<uint8_t>& kept) : bytes_(kept) {}
    BorrowedBuffer(const BorrowedBuffer&) = delete;
    BorrowedBuffer& operator=(const BorrowedBuffer&) = delete;
    ~BorrowedBuffer() {
        bytes_.clear();
        if (bytes_.capacity() > kKeptCapacity) std::vector<uint8_t>().swap(bytes_);
    }
    std::vector<uint8_t>& bytes() { return bytes_; }

  private:
    static constexpr size_t kKeptCapacity = 2 * CDL_DATA_SIZE;
    std::vector<uint8_t>& bytes_;
};

} // namespace

// ---- Writer ----------------------------------------------------------------

namespace {

int EncodeImageFile(const char* name, const uint8_t* image, size_t size, int* error) {
    if (name == nullptr || (image == nullptr && size > 0)) return -1;
    BorrowedBuffer container(Buffers().container);
    if (CdlEncodeBytes(image, size, container.bytes()) != 0) return 1;
    return ReplaceFileContents(name, container.bytes().data(), container.bytes().size(), error);
}

int EncodeFile(const char* name) {
    if (name == nullptr) return -1;
    FilePtr source = OpenForReading(g_szTempPath);
    if (!source) return -1;
    BorrowedBuffer image(Buffers().image);
    if (!ReadUpTo(source.get(), CDL_DATA_SIZE, image.bytes())) return 1;
    source.reset();
    return EncodeImageFile(name, image.bytes().data(), image.bytes().size(), nullptr);
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
    BorrowedBuffer container(Buffers().container);
    if (!ReadUpTo(in.get(), CDL_MAX_CONTAINER_SIZE, container.bytes()) &&
        std::ferror(in.get()) == 0) {
        return -1; // out of memory
    }
    in.reset();
    BorrowedBuffer image(Buffers().image);
    const CdlCheck check =
        CdlDecodeBytes(container.bytes().data(), container.bytes().size(), image.bytes());
    if (check.fault == CdlFault::NoMemory) return -1;

    FilePtr out = OpenToWriteOver(g_szTempPath);
    if (!out) return -1;
    bool written = WriteAll(out.get(), image.bytes().data(), image.bytes().size());
    written = std::fclose(out.release()) == 0 && written;
    written = written && CutTo(g_szTempPath, image.bytes().size());
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
