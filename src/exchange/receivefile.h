// The file that receives an upload. It is written as "<name>.part", created
// exclusively, and renamed to <name> only once every byte is written and
// flushed, without replacing anything: an upload never overwrites a file.
// <name> is the wanted name or, when that or its ".part" exists, the first
// free "<stem>-2<ext>", "<stem>-3<ext>" ...
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class ReceiveFile {
  public:
    ReceiveFile() = default;
    ReceiveFile(const ReceiveFile&) = delete;
    ReceiveFile& operator=(const ReceiveFile&) = delete;
    ~ReceiveFile(); // closes; a ".part" not yet committed stays on disk

    // Creates the ".part" of the first free name. Returns false, creating
    // nothing, when no file can be created there.
    bool Create(const std::string& wanted);
    // Writes size bytes at offset. Returns false when the disk takes fewer.
    bool WriteAt(uint64_t offset, const uint8_t* data, size_t size);
    // Flushes, closes and renames the ".part" to its name, or to the next
    // free one when that was taken meanwhile. Returns false, keeping the
    // ".part", when the flush or the rename fails.
    bool Commit();
    // Closes without renaming: the ".part" stays.
    void Close();

    bool IsOpen() const { return m_fd >= 0; }
    const std::string& PartPath() const { return m_partPath; }
    // The name the data has after a successful Commit.
    const std::string& FinalPath() const { return m_finalPath; }

  private:
    int m_fd = -1;
    std::string m_wanted;
    unsigned m_index = 0; // of the candidate name the ".part" belongs to
    std::string m_partPath;
    std::string m_finalPath;
};

// The n-th name tried for `wanted`: n = 1 is wanted itself, n >= 2 is
// "<stem>-n<ext>" in the same folder.
std::string ReceiveCandidate(const std::string& wanted, unsigned n);
