// Text at the Qt boundary. Records hold texts as bytes; they become QStrings
// here, read as Latin-1 and never past the field that holds them.
#pragma once

#include <QString>

#include <cstddef>
#include <string>

namespace platform {

// Bytes of a record field: stops at the first NUL or at fieldSize, whichever
// comes first, so an unterminated field is never over-read. A null pointer
// gives an empty string.
QString FromLatin1Field(const char* field, std::size_t fieldSize);
inline QString FromLatin1Field(const unsigned char* field, std::size_t fieldSize) {
    return FromLatin1Field(reinterpret_cast<const char*>(field), fieldSize);
}
QString FromLatin1(const std::string& bytes);

// Back to bytes: characters outside Latin-1 become '?'.
std::string ToLatin1(const QString& text);

// Into a field of fieldSize bytes: at most fieldSize - 1 bytes and a NUL, the
// rest of the field zeroed. Returns the number of text bytes written; writes
// nothing when fieldSize is 0 or field is null.
std::size_t ToLatin1Field(const QString& text, char* field, std::size_t fieldSize);

// The editor's own texts (captions, messages) are UTF-8 in the source.
inline QString FromUtf8(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Lead bytes of a double-byte character set. The records use Latin-1, which
// has none, so the default predicate always answers false; a test may install
// another one. Passing nullptr restores the default.
using LeadBytePredicate = bool (*)(unsigned char byte);
bool IsDBCSLeadByte(unsigned char byte);
void SetLeadBytePredicate(LeadBytePredicate predicate);

} // namespace platform
