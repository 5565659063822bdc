#include "dnd/dataobject.h"

#include "dnd/clipboard.h"
#include "base/text.h"

namespace platform {

namespace {
const QString kPlainText = QStringLiteral("text/plain");
} // namespace

BOOL DataObject::AttachClipboard() {
    m_data = CurrentClipboard().Data();
    return m_data ? TRUE : FALSE;
}

BOOL DataObject::IsDataAvailable(CLIPFORMAT format) const {
    // Only plain text: dropped files' names are no cell text.
    return format == CF_TEXT && m_data && m_data->hasFormat(kPlainText) ? TRUE : FALSE;
}

std::optional<std::string> DataObject::GetGlobalData(CLIPFORMAT format) const {
    if (!IsDataAvailable(format)) return std::nullopt;
    std::string block = ToLatin1(m_data->text());
    block.push_back('\0');
    return block;
}

} // namespace platform
