// Fonts shared by description: asking twice for the same description gives the
// same font object, which lives until the program ends. Also the message font,
// the one the application shows its texts in.
#pragma once

#include "draw/font.h"
#include "draw/fontdesc.h"

namespace platform {

// The one font made from desc (a null desc gives nullptr).
Font* CachedFont(const FontDesc* desc);

// The description of the application's font, as the system's message font.
// Never fails.
bool GetMessageFont(FontDesc* desc);

} // namespace platform
