// A file written whole or not at all: temporary, flush, rename, folder sync.
#include "replacementfile.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#if defined(_WIN32)
#include <io.h>
#elif defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporarySuffix = ".tmp";
constexpr size_t kTemporaryHexDigits = 12;
constexpr int kTemporaryAttempts = 16;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

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

// Pushes the folder's entries to the device, so that a rename inside it is
// kept. False only when the sync itself fails: a folder we may not open for
// reading, or a file system that cannot sync folders (EINVAL), leaves
// nothing we could do and counts as synced.
bool SyncFolder(const fs::path& folder) {
#if defined(__unix__) || defined(__APPLE__)
    const fs::path path = folder.empty() ? fs::path(".") : folder;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return true;
    const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
    ::close(descriptor);
    return synced;
#else
    (void)folder; // the rename reaches the device with the file's own flush
    return true;
#endif
}

std::string TemporaryFileName(const std::string& target, uint64_t mark) {
    char middle[kTemporaryHexDigits + 3];
    std::snprintf(middle, sizeof middle, ".%012llx", static_cast<unsigned long long>(mark));
    return "." + target + middle + kTemporarySuffix;
}

// A name for a temporary beside the target that no earlier attempt used.
fs::path TemporaryName(const fs::path& target) {
    static uint64_t counter = 0;
    const auto now =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    uint64_t mix = now ^ (++counter * 0x9E3779B97F4A7C15u) ^ reinterpret_cast<uintptr_t>(&counter);
    mix ^= mix >> 29;
    return target.parent_path() /
           TemporaryFileName(target.filename().string(), mix & 0xFFFFFFFFFFFFull);
}

// Removes the temporaries of earlier saves of the target, left behind when a
// save was killed before its rename. Best effort: what cannot be listed or
// removed stays, and the save goes on.
void RemoveStaleTemporaries(const fs::path& target) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (!ReplacementFile::IsTemporaryName(entry, name)) continue;
        std::error_code ignored;
        if (fs::is_regular_file(fs::symlink_status(it->path(), ignored))) {
            fs::remove(it->path(), ignored);
        }
    }
}

bool IsLowerHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

} // namespace

bool ReplacementFile::IsTemporaryName(const std::string& entry, const std::string& target) {
    const std::string prefix = "." + target + ".";
    const std::string suffix = kTemporarySuffix;
    if (entry.size() != prefix.size() + kTemporaryHexDigits + suffix.size()) return false;
    if (entry.compare(0, prefix.size(), prefix) != 0) return false;
    if (entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    for (size_t i = 0; i < kTemporaryHexDigits; ++i) {
        if (!IsLowerHex(entry[prefix.size() + i])) return false;
    }
    return true;
}

ReplacementFile::~ReplacementFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_ && !temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

bool ReplacementFile::Fail() {
    error_ = errno != 0 ? errno : EIO;
    return false;
}

bool ReplacementFile::Open(const char* name) {
    error_ = 0;
    target_ = fs::path(name != nullptr ? name : "");
    if (target_.filename().empty()) {
        error_ = EINVAL;
        return false;
    }
    std::error_code ec;
    // A list reached through a link is replaced where it really lies.
    if (fs::is_symlink(target_, ec)) {
        fs::path real = fs::canonical(target_, ec);
        if (!ec) target_ = std::move(real);
    }
    const fs::file_status status = fs::status(target_, ec);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) {
            error_ = fs::is_directory(status) ? EISDIR : EINVAL;
            return false;
        }
        // Refuse what an in-place open for writing would refuse (a read-only
        // or locked file); "r+b" leaves the file as it is.
        errno = 0;
        FilePtr probe(std::fopen(target_.string().c_str(), "r+b"));
        if (!probe) return Fail();
        permissions_ = status.permissions();
        keepPermissions_ = true;
    }
    RemoveStaleTemporaries(target_);
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        temporary_ = TemporaryName(target_);
        errno = 0;
        file_ = std::fopen(temporary_.string().c_str(), "wbx");
        if (file_ != nullptr) return true;
        if (errno != EEXIST) break;
    }
    temporary_.clear();
    return Fail();
}

int ReplacementFile::Commit() {
    if (file_ == nullptr) {
        error_ = EBADF;
        return 1;
    }
    errno = 0;
    bool written = FlushToDevice(file_);
    if (!written) Fail();
    if (std::fclose(file_) != 0 && written) written = Fail();
    file_ = nullptr;
    if (!written) return 1;
    std::error_code ec;
    if (keepPermissions_) fs::permissions(temporary_, permissions_, ec); // best effort
    fs::rename(temporary_, target_, ec);
    if (ec) {
        error_ = ec.value();
        return 1;
    }
    committed_ = true;
    errno = 0;
    if (SyncFolder(target_.parent_path())) return 0;
    Fail();
    return 1;
}

int ReplaceFileContents(const char* name, const void* bytes, std::size_t size, int* error) {
    ReplacementFile file;
    int result = 0;
    if (bytes == nullptr && size > 0) {
        if (error != nullptr) *error = EINVAL;
        return -1;
    }
    if (!file.Open(name)) {
        result = -1;
    } else {
        errno = 0;
        if (size > 0 && std::fwrite(bytes, 1, size, file.file()) != size) {
            const int reason = errno != 0 ? errno : EIO;
            if (error != nullptr) *error = reason;
            return 1; // the temporary goes with the object
        }
        result = file.Commit();
    }
    if (error != nullptr) *error = result == 0 ? 0 : file.error();
    return result;
}
