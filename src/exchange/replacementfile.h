// A file written whole or not at all: the new contents go into a temporary
// beside the target, which replaces the target only once every byte is on the
// device. The channel-list writer and the editor's raw images save through it.
#pragma once
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

class ReplacementFile {
  public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // Whatever has not been committed is closed and removed.
    ~ReplacementFile();

    // Creates the temporary for the named target, after removing the
    // temporaries that an earlier save of the same target left behind when
    // it was killed. False when the target may not be written (an empty name,
    // an existing target that is not a regular file we can open for writing)
    // or no temporary can be created in its folder; nothing is created then.
    bool Open(const char* name);

    // The open temporary, for writing; NULL before a successful Open.
    std::FILE* file() const { return file_; }

    // Flushes the temporary to the device, closes it, renames it over the
    // target (keeping the target's permissions) and syncs the folder so that
    // the rename survives a power cut. Returns 0; or 1 when the flush, the
    // close or the rename fails (the target is then unchanged and the
    // temporary is removed at destruction), or when the folder's sync fails
    // after the rename (the target then holds the new contents, which a power
    // cut may still undo).
    int Commit();

    // True when `entry` is the file name of a temporary this class makes for
    // a target of file name `target`: "." + target + "." + 12 hex digits +
    // ".tmp".
    static bool IsTemporaryName(const std::string& entry, const std::string& target);

    // The system's error number of the last failure of Open or Commit (EIO
    // when the system named none); 0 when neither has failed.
    int error() const { return error_; }

  private:
    // Keeps errno (or EIO) as the failure's reason; returns false.
    bool Fail();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    std::filesystem::perms permissions_ = std::filesystem::perms::none;
    bool keepPermissions_ = false;
    bool committed_ = false;
    int error_ = 0;
};

// Writes `size` bytes as the whole new contents of the named file through a
// ReplacementFile: afterwards the file holds either its old contents or all
// of the new ones. Returns 0; -1 when the file may not be written or no
// temporary can be created beside it (nothing is created then); 1 when a
// write, the flush, the rename or the folder's sync fails. *error, when
// given, gets the system's error number of the failure, 0 on success.
int ReplaceFileContents(const char* name, const void* bytes, std::size_t size, int* error = nullptr);
