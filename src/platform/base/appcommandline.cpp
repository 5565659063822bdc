#include "base/appcommandline.h"

namespace platform {

namespace {

std::string& CommandLine() {
    static std::string commandLine;
    return commandLine;
}

} // namespace

void SetAppCommandLine(const std::string& commandLine) {
    CommandLine() = commandLine;
}

const std::string& GetAppCommandLine() {
    return CommandLine();
}

} // namespace platform
