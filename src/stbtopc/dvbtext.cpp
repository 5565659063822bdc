#include "dvbtext.h"

#include <cstring>

namespace {

constexpr uint8_t TABLE_TWO_BYTE = 0x11;
constexpr uint8_t TABLE_CODE_PAGE = 0x10;
constexpr size_t NO_LIMIT = static_cast<size_t>(-1);

bool isOneBytePrefix(uint8_t first) {
    return (first >= 0x01 && first <= 0x05) || first == TABLE_TWO_BYTE;
}

bool isControlCode(uint8_t byte) {
    return byte >= 0x80 && byte <= 0x9F;
}
bool isHighByte(uint8_t byte) {
    return byte >= 0x80;
}

// Copies a text of length bytes without its prefix. keepWholeChars drops an
// odd last byte of a two-byte text; a cut to fit the destination always
// keeps two-byte characters whole.
uint8_t* copyText(uint8_t* destination, size_t destinationSize, const uint8_t* source,
                  size_t length, bool keepWholeChars) {
    if (destination == nullptr || destinationSize == 0) return destination;
    if (source == nullptr || length == 0) {
        destination[0] = 0;
        return destination;
    }
    const uint8_t first = source[0];
    size_t skip = 0;
    if (isOneBytePrefix(first)) {
        if (length < 2) {
            destination[0] = 0;
            return destination;
        }
        skip = 1;
    } else if (first == TABLE_CODE_PAGE) {
        if (length < 4) {
            destination[0] = 0;
            return destination;
        }
        skip = 3;
    }
    size_t count = length - skip;
    const bool twoByte = first == TABLE_TWO_BYTE;
    if (twoByte && keepWholeChars) count &= ~size_t{1};
    if (count > destinationSize - 1) {
        count = destinationSize - 1;
        if (twoByte) count &= ~size_t{1};
    }
    std::memmove(destination, source + skip, count); // the copy may be in place
    destination[count] = 0;
    return destination;
}

template <typename Drop> size_t stripBytes(uint8_t* buffer, size_t length, Drop drop) {
    if (buffer == nullptr) return 0;
    size_t kept = 0;
    for (size_t i = 0; i < length; ++i)
        if (!drop(buffer[i])) buffer[kept++] = buffer[i];
    // Only bytes that were removed are cleared: a strip that removes nothing
    // writes nothing, and a full field stays inside its length.
    if (kept < length) std::memset(buffer + kept, 0, length - kept);
    return kept;
}

} // namespace

char* OS_StrCpy(char* destination, const char* source) {
    return std::strcpy(destination, source);
}

size_t OS_StrLen(const char* text) {
    return text == nullptr ? 0 : std::strlen(text);
}

size_t OS_StrNLen(const char* text, size_t maxLength) {
    if (text == nullptr) return 0;
    size_t n = 0;
    while (n < maxLength && text[n] != 0)
        ++n;
    return n;
}

int OS_StrCmp(const char* a, const char* b) {
    const auto* x = reinterpret_cast<const uint8_t*>(a);
    const auto* y = reinterpret_cast<const uint8_t*>(b);
    while (*x != 0 && *x == *y)
        ++x, ++y;
    return static_cast<int>(*x) - static_cast<int>(*y);
}

char* OS_StrNCpy(char* destination, const char* source, size_t count) {
    size_t i = 0;
    for (; i < count && source[i] != 0; ++i)
        destination[i] = source[i];
    for (; i < count; ++i)
        destination[i] = 0;
    return destination;
}

char* OS_StrUpr(char* text) {
    if (text == nullptr) return text;
    for (char* p = text; *p != 0; ++p)
        *p = static_cast<char>(OS_ToUpper(static_cast<uint8_t>(*p)));
    return text;
}

char* OS_StrCpyBounded(char* destination, size_t destinationSize, const char* source,
                       size_t sourceSize) {
    if (destination == nullptr || destinationSize == 0) return destination;
    size_t n = OS_StrNLen(source, sourceSize);
    if (n > destinationSize - 1) n = destinationSize - 1;
    if (n > 0) std::memmove(destination, source, n);
    destination[n] = 0;
    return destination;
}

uint8_t OS_ToUpper(uint8_t byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<uint8_t>(byte - 'a' + 'A') : byte;
}

size_t OS_ToUpperN(uint8_t* buffer, size_t length) {
    if (buffer == nullptr) return length;
    for (size_t i = 0; i < length; ++i)
        buffer[i] = OS_ToUpper(buffer[i]);
    return length;
}

uint8_t* DVB_CopyTextN(uint8_t* destination, const uint8_t* source, size_t length) {
    return copyText(destination, length + 1, source, length, true);
}

uint8_t* DVB_CopyTextNBounded(uint8_t* destination, size_t destinationSize, const uint8_t* source,
                              size_t length) {
    return copyText(destination, destinationSize, source, length, true);
}

uint8_t* DVB_CopyText(uint8_t* destination, const uint8_t* source) {
    const size_t length = OS_StrLen(source);
    return copyText(destination, length + 1, source, length, false);
}

uint8_t* DVB_CopyTextBounded(uint8_t* destination, size_t destinationSize, const uint8_t* source,
                             size_t sourceSize) {
    return copyText(destination, destinationSize, source, OS_StrNLen(source, sourceSize), false);
}

size_t DVB_TextLenBounded(const uint8_t* text, size_t size) {
    if (text == nullptr || size == 0 || text[0] == 0) return 0;
    size_t start = 0;
    if (isOneBytePrefix(text[0])) {
        start = 1;
    } else if (text[0] == TABLE_CODE_PAGE) {
        // 0x10 0x00 nn: the 0x00 belongs to the code page, so it ends
        // nothing. A zero in the code page's last byte (0x00 0x00, or a text
        // that stops there) ends the text inside its prefix; counting on from
        // byte 3 would read past the terminator.
        if (size < 3 || text[2] == 0) return 0;
        start = 3;
    }
    size_t i = start;
    if (text[0] == TABLE_TWO_BYTE) {
        // EN 300 468 two-byte text: 0x00 0x41 is a character; only 0x00 0x00
        // ends it. A half character at the end of the field is not counted.
        while (i + 1 < size && !(text[i] == 0 && text[i + 1] == 0))
            i += 2;
    } else {
        while (i < size && text[i] != 0)
            ++i;
    }
    return i - start;
}

size_t DVB_TextLen(const uint8_t* text) {
    return DVB_TextLenBounded(text, NO_LIMIT);
}

size_t DVB_StripControlCodesN(uint8_t* buffer, size_t length) {
    return stripBytes(buffer, length, isControlCode);
}

size_t OS_StripHighBytesN(uint8_t* buffer, size_t length) {
    return stripBytes(buffer, length, isHighByte);
}

size_t DVB_StripControlCodes(uint8_t* text) {
    return DVB_StripControlCodesN(text, OS_StrLen(text));
}
