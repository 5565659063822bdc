// The program's command line after its name, as one text: main sets it once
// at start-up (a test sets it itself); the windows that act on it read it.
#pragma once

#include <string>

namespace platform {

void SetAppCommandLine(const std::string& commandLine);
const std::string& GetAppCommandLine();

} // namespace platform
