#include "receivefile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Enough for every upload of many years at one name stamp per minute.
constexpr unsigned MAX_CANDIDATES = 10000;
constexpr const char* PART_SUFFIX = ".part";

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

// Renames without replacing: fails with EEXIST when `to` exists. Falls back
// to a hard link where the file system lacks the no-replace rename.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

} // namespace

std::string ReceiveCandidate(const std::string& wanted, unsigned n) {
    if (n <= 1) return wanted;
    const std::filesystem::path path(wanted);
    std::filesystem::path name = path.stem();
    name += "-";
    name += std::to_string(n);
    name += path.extension();
    return (path.parent_path() / name).string();
}

ReceiveFile::~ReceiveFile() {
    Close();
}

bool ReceiveFile::Create(const std::string& wanted) {
    Close();
    if (wanted.empty()) return false;
    for (unsigned n = 1; n <= MAX_CANDIDATES; ++n) {
        const std::string name = ReceiveCandidate(wanted, n);
        const std::string part = name + PART_SUFFIX;
        if (Exists(name) || Exists(part)) continue;
        const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue; // made by someone else just now
            return false;
        }
        m_fd = fd;
        m_wanted = wanted;
        m_index = n;
        m_partPath = part;
        m_finalPath.clear();
        return true;
    }
    return false;
}

bool ReceiveFile::WriteAt(uint64_t offset, const uint8_t* data, size_t size) {
    if (m_fd < 0) return false;
    while (size > 0) {
        const ssize_t written = ::pwrite(m_fd, data, size, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
        offset += static_cast<uint64_t>(written);
    }
    return true;
}

bool ReceiveFile::Commit() {
    if (m_fd < 0) return false;
    const bool flushed = ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!flushed || !closed) return false;
    for (unsigned n = m_index; n <= MAX_CANDIDATES; ++n) {
        const std::string name = ReceiveCandidate(m_wanted, n);
        // Another upload still writing under this name will want it.
        if (n != m_index && Exists(name + PART_SUFFIX)) continue;
        if (RenameNoReplace(m_partPath, name)) {
            m_finalPath = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

void ReceiveFile::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}
