// Data offered to others, by the clipboard or by a drag: 8-bit text (CF_TEXT)
// kept as the block its maker wrote, NUL included. Qt gets the text up to
// that NUL, read as Latin-1.
#pragma once

#include "dnd/clipformat.h"
#include "dnd/dropeffect.h"

#include <QMimeData>

#include <memory>
#include <optional>
#include <string>

namespace platform {

class Window;

class DataSource {
  public:
    // Keeps block as the data of the format, replacing what it held; FALSE
    // (nothing kept) for a format other than CF_TEXT.
    BOOL CacheGlobalData(CLIPFORMAT format, std::string block);
    BOOL HasData() const { return m_text.has_value(); }
    // The block kept for the format, as its maker wrote it; null when none.
    const std::string* GetCachedData(CLIPFORMAT format) const {
        return format == CF_TEXT && m_text ? &*m_text : nullptr;
    }

    // The data as Qt hands it on: the text before the first NUL (all of the
    // block without one). Null when nothing is kept.
    std::unique_ptr<QMimeData> CreateMimeData() const;
    // A copy onto the current clipboard; FALSE when nothing is kept or the
    // clipboard refused it.
    BOOL SetClipboard() const;
    // Drags the data from source's client area with the allowed effects and
    // returns what the drop did (DROPEFFECT_NONE without data or window).
    // The drag takes the mouse: a window holding the capture loses it first.
    DROPEFFECT DoDragDrop(Window* source, DROPEFFECT allowed) const;

  private:
    std::optional<std::string> m_text;
};

} // namespace platform
