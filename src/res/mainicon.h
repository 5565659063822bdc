// Icon 128: the editor's icon, which its windows show in their frames.
#pragma once

// The picture as an X pixmap.
const char* const* MainIconPixmap();
