// Clipboard formats of data exchanged by the clipboard and by drag and drop.
#pragma once

#include <cstdint>

namespace platform {

using CLIPFORMAT = std::uint16_t;

// 8-bit text ended by a NUL byte.
constexpr CLIPFORMAT CF_TEXT = 1;

} // namespace platform
