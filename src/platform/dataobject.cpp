#include "dataobject.h"

#include "clipboard.h"
#include "text.h"

namespace platform {

BOOL DataObject::AttachClipboard() {
    m_data = CurrentClipboard().Data();
    return m_data ? TRUE : FALSE;
}

BOOL DataObject::IsDataAvailable(CLIPFORMAT format) const {
    return format == CF_TEXT && m_data && m_data->hasText() ? TRUE : FALSE;
}

std::optional<std::string> DataObject::GetGlobalData(CLIPFORMAT format) const {
    if (!IsDataAvailable(format)) return std::nullopt;
    std::string block = ToLatin1(m_data->text());
    block.push_back('\0');
    return block;
}

} // namespace platform
