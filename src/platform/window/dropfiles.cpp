#include "window/dropfiles.h"

#include <algorithm>
#include <cstring>

namespace platform {

UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size) {
    if (!drop) return 0;
    if (index == kDragQueryCount) return static_cast<UINT>(drop->paths.size());
    if (index >= drop->paths.size()) return 0;
    const std::string& path = drop->paths[index];
    if (!buffer) return static_cast<UINT>(path.size());
    if (size == 0) return 0;
    const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
    return static_cast<UINT>(n);
}

} // namespace platform
