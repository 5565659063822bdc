// The recent-file list kept in the profile: section "Recent File List",
// entries "File1" ... "FileN", the newest first.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class RecentFileList {
  public:
    explicit RecentFileList(int size = 4,
                            const QString& section = QStringLiteral("Recent File List"),
                            const QString& entryFormat = QStringLiteral("File%1"));

    // Loads the entries from the profile; empty entries are skipped.
    void ReadList();
    // Writes every entry back, clearing the ones no longer used; false when
    // the profile could not be written.
    bool WriteList() const;

    // Puts the file first (as an absolute path); a file already in the list
    // moves up, the oldest entry falls off a full list. An empty name is
    // ignored.
    void Add(const QString& path);
    void Remove(int index);

    int GetSize() const { return m_size; }
    int Count() const { return static_cast<int>(m_paths.size()); }
    QString operator[](int index) const;

  private:
    int m_size;
    QString m_section;
    QString m_entryFormat;
    QStringList m_paths;
};

} // namespace platform
