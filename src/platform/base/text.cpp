#include "base/text.h"

#include <cstring>

namespace platform {

namespace {
bool NoLeadBytes(unsigned char) { return false; }
LeadBytePredicate g_leadByte = NoLeadBytes;
} // namespace

QString FromLatin1Field(const char* field, std::size_t fieldSize) {
    if (!field) return QString();
    return QString::fromLatin1(field, static_cast<qsizetype>(strnlen(field, fieldSize)));
}

QString FromLatin1(const std::string& bytes) {
    return FromLatin1Field(bytes.data(), bytes.size());
}

std::string ToLatin1(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        out.push_back(c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?');
    return out;
}

std::size_t ToLatin1Field(const QString& text, char* field, std::size_t fieldSize) {
    if (!field || fieldSize == 0) return 0;
    std::string bytes = ToLatin1(text);
    std::size_t n = std::min(bytes.size(), fieldSize - 1);
    std::memset(field, 0, fieldSize);
    std::memcpy(field, bytes.data(), n);
    return n;
}

bool IsDBCSLeadByte(unsigned char byte) { return g_leadByte(byte); }

void SetLeadBytePredicate(LeadBytePredicate predicate) {
    g_leadByte = predicate ? predicate : NoLeadBytes;
}

} // namespace platform
