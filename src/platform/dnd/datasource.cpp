#include "dnd/datasource.h"

#include "dnd/clipboard.h"
#include "dnd/dragrunner.h"
#include "base/text.h"
#include "window/window.h"

#include <utility>

namespace platform {

BOOL DataSource::CacheGlobalData(CLIPFORMAT format, std::string block) {
    if (format != CF_TEXT) return FALSE;
    m_text = std::move(block);
    return TRUE;
}

std::unique_ptr<QMimeData> DataSource::CreateMimeData() const {
    if (!m_text) return nullptr;
    const std::size_t end = m_text->find('\0');
    auto data = std::make_unique<QMimeData>();
    data->setText(FromLatin1(end == std::string::npos ? *m_text : m_text->substr(0, end)));
    return data;
}

BOOL DataSource::SetClipboard() const {
    std::unique_ptr<QMimeData> data = CreateMimeData();
    if (!data) return FALSE;
    return CurrentClipboard().SetData(std::move(data));
}

DROPEFFECT DataSource::DoDragDrop(Window* source, DROPEFFECT allowed) const {
    std::unique_ptr<QMimeData> data = CreateMimeData();
    if (!data || !source || !source->IsWindow()) return DROPEFFECT_NONE;
    if (GetCapture()) ReleaseCapture();
    return RunDrag(source->GetClientWidget(), std::move(data), allowed);
}

} // namespace platform
