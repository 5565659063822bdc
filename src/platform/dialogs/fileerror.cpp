#include "dialogs/fileerror.h"

#include "dialogs/messagebox.h"
#include "base/text.h"

#include <cstring>

namespace platform {

void ReportFileError(const std::string& fileName, int error) {
    const std::string text = fileName + "\n" + std::strerror(error);
    MessageBox(FromLatin1(text), QString(), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace platform
