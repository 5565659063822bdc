// The framework's own message texts that the editor shows: the data-exchange
// validation messages and the memory message. One table, looked up by id;
// "%1" and "%2" are filled in with QString::arg.
#pragma once

#include <QString>

namespace platform {

enum class FrameworkText {
    ParseUnsigned, // "Please enter a positive integer."
    ParseNumber,   // "Please enter a number."
    NumberRange,   // "Please enter a number between %1 and %2."
    TooManyChars,  // "Please enter no more than %1 characters."
    OutOfMemory,   // "Out of memory."
};

QString GetFrameworkText(FrameworkText id);

} // namespace platform
