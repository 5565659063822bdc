// The data-exchange steps a DoDataExchange is written with. Each moves one
// value between a member and the control with the given id: into the control
// when the exchange loads, out of it (with validation) when it saves. Bad
// input shows the framework's text, focuses the control and fails the
// exchange; the member keeps its old value.
#pragma once

#include "dialogs/dataexchange.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class Window;

// Binds a member control to the dialog's control with this id: a member
// without a window takes that control over (its messages come to the member
// from then on); a member the template made must be that control. No such
// control is an assertion.
void DDX_Control(DataExchange* pDX, int id, Window& control);

// Text as bytes, Latin-1 on screen.
void DDX_Text(DataExchange* pDX, int id, std::string& value);
// A fixed-size record field: read at most fieldSize bytes (up to a NUL);
// written back as at most fieldSize - 1 bytes, zero-padded.
void DDX_Text(DataExchange* pDX, int id, char* field, std::size_t fieldSize);
// An unsigned number: shown as "%u"; read from ASCII digits with blanks
// around them, 0 to 4294967295, else "Please enter a positive integer.".
void DDX_Text(DataExchange* pDX, int id, std::uint32_t& value);
// A number: shown as "%.6g"; read with strtod in the C locale, the whole text
// (blanks around it allowed) and finite as a float, else "Please enter a
// number.".
void DDX_Text(DataExchange* pDX, int id, float& value);
// A check box or radio button: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(DataExchange* pDX, int id, int& value);

// After the DDX_Text of an edit. Saving: more than count bytes fails with
// "Please enter no more than %1 characters.". Loading: the edit takes no
// more than count bytes.
void DDV_MaxChars(DataExchange* pDX, const std::string& value, int count);
// After the DDX_Text of a number. Saving: outside minVal..maxVal fails with
// "Please enter a number between %1 and %2.". Loading: out of range is only
// traced.
void DDV_MinMaxFloat(DataExchange* pDX, float value, float minVal, float maxVal);

// "%.6g" in the C locale, whatever the program's locale is.
QString FormatFloat(double value);

} // namespace platform
