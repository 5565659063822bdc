// A fresh folder per test, removed with everything in it afterwards.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Names of the entries, sorted.
    std::vector<std::string> Entries() const;

  private:
    std::filesystem::path m_path;
};

std::vector<uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);
