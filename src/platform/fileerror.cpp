#include "fileerror.h"

#include "messagebox.h"
#include "text.h"

#include <cstring>

namespace platform {

void ReportFileError(const std::string& fileName, int error) {
    const std::string text = fileName + "\n" + std::strerror(error);
    MessageBox(FromLatin1(text), QString(), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace platform
