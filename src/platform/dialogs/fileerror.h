// The message for a file that cannot be opened, read or written: the file's
// name and the system's reason, in a box with the application's title.
#pragma once

#include <string>

namespace platform {

// Shows fileName and the text of the C runtime's error code error (errno).
void ReportFileError(const std::string& fileName, int error);

} // namespace platform
