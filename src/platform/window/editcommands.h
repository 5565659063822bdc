// The framework's standard Edit menu command ids. A window that takes them
// maps them in its command table (CommandTarget).
#pragma once

namespace platform {

constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_CUT = 57635;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_SELECT_ALL = 57642;

} // namespace platform
