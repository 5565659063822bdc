#include "base/frameworktext.h"

namespace platform {

namespace {
struct Entry {
    FrameworkText id;
    const char* text;
};

constexpr Entry kTexts[] = {
    {FrameworkText::ParseUnsigned, "Please enter a positive integer."},
    {FrameworkText::ParseNumber, "Please enter a number."},
    {FrameworkText::NumberRange, "Please enter a number between %1 and %2."},
    {FrameworkText::TooManyChars, "Please enter no more than %1 characters."},
    {FrameworkText::OutOfMemory, "Out of memory."},
};
} // namespace

// Every id has an entry; an unknown one gives an empty text.
QString GetFrameworkText(FrameworkText id) {
    for (const auto& e : kTexts)
        if (e.id == id) return QString::fromLatin1(e.text);
    return QString();
}

} // namespace platform
