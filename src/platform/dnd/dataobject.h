// Data offered by others, on the clipboard or in a drop, read as the blocks
// the grid and the editors expect: CF_TEXT is the text as Latin-1 bytes
// (characters beyond it become '?') with a NUL after them.
#pragma once

#include "dnd/clipformat.h"
#include "base/messages.h"

#include <QMimeData>

#include <optional>
#include <string>

namespace platform {

class DataObject {
  public:
    // Reads the current clipboard, as it is while attached; FALSE (nothing
    // attached) when the clipboard holds nothing.
    BOOL AttachClipboard();
    // Reads data it does not own, such as a drop's; null attaches nothing.
    void Attach(const QMimeData* data) { m_data = data; }
    void Release() { m_data = nullptr; }
    const QMimeData* Data() const { return m_data; }

    // Whether the data can be had in the format (plain text for CF_TEXT).
    BOOL IsDataAvailable(CLIPFORMAT format) const;
    // The block of the format; none when the data does not offer it.
    std::optional<std::string> GetGlobalData(CLIPFORMAT format) const;

  private:
    const QMimeData* m_data = nullptr;
};

} // namespace platform
