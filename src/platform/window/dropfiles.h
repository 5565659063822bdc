// Files dropped on a window that accepts them (DragAcceptFiles): the record
// OnDropFiles receives, and the calls that read it.
#pragma once

#include "base/messages.h"

#include <string>
#include <vector>

namespace platform {

struct DropFiles {
    std::vector<std::string> paths; // local paths as the file system's bytes (QFile::encodeName)
    Point point;                    // client coordinates of the drop
};
using HDROP = DropFiles*;

constexpr UINT kDragQueryCount = 0xFFFFFFFF;

// index kDragQueryCount: the number of files. Otherwise the length of path
// index (a null buffer asks only that), copied into buffer cut to size - 1
// bytes and terminated; 0 for a bad index.
UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size);
// The record belongs to the window that received it; nothing to free.
inline void DragFinish(HDROP) {}

} // namespace platform
