// The program's string table: texts by resource id. The resources register
// their texts at start-up; callers load them by id.
#pragma once

#include <string>

namespace platform {

// The id of the application's title in the string table.
constexpr unsigned AFX_IDS_APP_TITLE = 0xE000;

// Registers (or replaces) the text of id.
void SetStringResource(unsigned id, const std::string& text);
// Forgets every registered text (tests start from an empty table).
void ClearStringResources();
// The text of id into *text; false, with *text emptied, when id has none or
// text is null.
bool LoadString(unsigned id, std::string* text);

} // namespace platform
