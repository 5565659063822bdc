#include "base/recentfilelist.h"

#include "base/profile.h"

#include <QFileInfo>

namespace platform {

RecentFileList::RecentFileList(int size, const QString& section, const QString& entryFormat)
    : m_size(size > 0 ? size : 1), m_section(section), m_entryFormat(entryFormat) {}

void RecentFileList::ReadList() {
    m_paths.clear();
    for (int i = 1; i <= m_size; ++i) {
        const QString path = GetProfileString(m_section, m_entryFormat.arg(i));
        if (!path.isEmpty()) m_paths << path;
    }
}

bool RecentFileList::WriteList() const {
    bool ok = true;
    for (int i = 1; i <= m_size; ++i)
        ok = WriteProfileString(m_section, m_entryFormat.arg(i),
                                i <= m_paths.size() ? m_paths[i - 1] : QString()) &&
             ok;
    return ok;
}

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty()) return;
    const QString full = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(full);
    m_paths.prepend(full);
    while (m_paths.size() > m_size)
        m_paths.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < m_paths.size()) m_paths.removeAt(index);
}

// An index outside the list gives an empty name.
QString RecentFileList::operator[](int index) const {
    return index >= 0 && index < m_paths.size() ? m_paths[index] : QString();
}

} // namespace platform
