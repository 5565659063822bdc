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
