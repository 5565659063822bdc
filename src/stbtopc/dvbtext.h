// Text helpers of the database. Names are DVB text (EN 300 468 Annex A): an
// optional character-table prefix, then the characters, where bytes
// 0x80-0x9F are control codes. The helpers copy such text without its prefix,
// measure it, upper-case it (ASCII only, whatever the locale) and remove
// control or high bytes, so that names can be compared, sorted and copied.
// Beside them stand thin wrappers of the zero-terminated string functions.
//
// Prefixes recognised, by the first byte: 0x01-0x05 and 0x11 (two-byte
// characters follow) are one byte long, 0x10 is three bytes (0x10 and a
// two-byte code-page number); any other first byte is a character.
//
// Every byte is handled as unsigned. Stored name fields need not be
// terminated (a service name fills 22 bytes): read them with the Bounded
// forms, which never look past the field and always terminate their result
// inside the destination. The unbounded forms are for texts known to be
// terminated inside their buffer.
#pragma once
#include <cstddef>
#include <cstdint>

// ---- Zero-terminated strings -----------------------------------------------
char* OS_StrCpy(char* destination, const char* source);
size_t OS_StrLen(const char* text);
// Length up to the first zero, at most maxLength bytes looked at.
size_t OS_StrNLen(const char* text, size_t maxLength);
// Negative, 0 or positive as the first differing byte (unsigned) is lower or
// higher in a.
int OS_StrCmp(const char* a, const char* b);
// Standard bounded copy: at most count bytes, zero-padded; no terminator when
// source has count or more bytes.
char* OS_StrNCpy(char* destination, const char* source, size_t count);
// Upper-cases a-z in place (ASCII only). Returns text.
char* OS_StrUpr(char* text);
// Copies the text in a field of sourceSize bytes (terminated or full) into a
// destination of destinationSize bytes, cut to fit and always terminated.
// A destinationSize of 0 writes nothing. Returns destination.
char* OS_StrCpyBounded(char* destination, size_t destinationSize, const char* source,
                       size_t sourceSize);

// ---- Case and DVB text -----------------------------------------------------
// a-z become A-Z; every other byte, 0x80 and above included, is unchanged.
uint8_t OS_ToUpper(uint8_t byte);
// OS_ToUpper on each of length bytes in place. Returns length.
size_t OS_ToUpperN(uint8_t* buffer, size_t length);

// Copies a DVB text of length bytes without its prefix and terminates it. A
// length too short for its prefix and one character (below 2 after a
// one-byte prefix, below 4 after 0x10) gives the empty text. After 0x11 an
// odd last byte is dropped: two-byte characters are copied whole. The
// destination must hold length + 1 bytes.
uint8_t* DVB_CopyTextN(uint8_t* destination, const uint8_t* source, size_t length);
// As DVB_CopyTextN into a destination of destinationSize bytes: the copy is
// cut to destinationSize - 1 bytes (after 0x11 to whole characters) and
// always terminated. A destinationSize of 0 writes nothing.
uint8_t* DVB_CopyTextNBounded(uint8_t* destination, size_t destinationSize, const uint8_t* source,
                              size_t length);
// As DVB_CopyTextN over the zero-terminated source's string length, keeping
// an odd last byte after 0x11. The destination must hold the string length
// + 1 bytes.
uint8_t* DVB_CopyText(uint8_t* destination, const uint8_t* source);
// As DVB_CopyText for a source field of sourceSize bytes that need not be
// terminated, into a destination of destinationSize bytes: cut to fit (after
// 0x11 to whole characters) and always terminated. A destinationSize of 0
// writes nothing. For a terminated source that fits, the result is that of
// DVB_CopyText.
uint8_t* DVB_CopyTextBounded(uint8_t* destination, size_t destinationSize, const uint8_t* source,
                             size_t sourceSize);

// Length in bytes of a DVB text without its prefix. After 0x11 the text is
// counted in two-byte characters up to a 0x00 0x00 character (so 0x00 0x41
// is one character). A text that ends inside its 0x10 prefix, or whose
// code-page number is 0x00 0x00, has length 0. Reads at most up to the
// terminator; a 0x10 text needs three readable bytes and a two-byte text its
// 0x00 0x00 end.
size_t DVB_TextLen(const uint8_t* text);
// As DVB_TextLen over a field of size bytes: a field without terminator ends
// at its size, and nothing past size bytes is read.
size_t DVB_TextLenBounded(const uint8_t* text, size_t size);

// Remove bytes 0x80-0x9F (control codes), or every byte of 0x80 and above,
// from the first length bytes, keeping the order of the others, and fill the
// bytes freed at the end with zeros. Nothing past length bytes is written, so
// a strip that removes nothing leaves the buffer as it was. Return the
// number of bytes kept.
size_t DVB_StripControlCodesN(uint8_t* buffer, size_t length);
size_t OS_StripHighBytesN(uint8_t* buffer, size_t length);
// DVB_StripControlCodesN over the zero-terminated text's own length.
size_t DVB_StripControlCodes(uint8_t* text);

// ---- Byte-typed forms --------------------------------------------------------
// Name fields are byte arrays (uint8_t) or char arrays; these forward.
inline uint8_t* OS_StrCpy(uint8_t* d, const uint8_t* s) {
    return reinterpret_cast<uint8_t*>(
        OS_StrCpy(reinterpret_cast<char*>(d), reinterpret_cast<const char*>(s)));
}
inline size_t OS_StrLen(const uint8_t* t) {
    return OS_StrLen(reinterpret_cast<const char*>(t));
}
inline size_t OS_StrNLen(const uint8_t* t, size_t maxLength) {
    return OS_StrNLen(reinterpret_cast<const char*>(t), maxLength);
}
inline int OS_StrCmp(const uint8_t* a, const uint8_t* b) {
    return OS_StrCmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b));
}
inline uint8_t* OS_StrNCpy(uint8_t* d, const uint8_t* s, size_t count) {
    return reinterpret_cast<uint8_t*>(
        OS_StrNCpy(reinterpret_cast<char*>(d), reinterpret_cast<const char*>(s), count));
}
inline uint8_t* OS_StrUpr(uint8_t* t) {
    return reinterpret_cast<uint8_t*>(OS_StrUpr(reinterpret_cast<char*>(t)));
}
inline uint8_t* OS_StrCpyBounded(uint8_t* d, size_t dSize, const uint8_t* s, size_t sSize) {
    return reinterpret_cast<uint8_t*>(OS_StrCpyBounded(reinterpret_cast<char*>(d), dSize,
                                                       reinterpret_cast<const char*>(s), sSize));
}
inline char* DVB_CopyTextBounded(char* d, size_t dSize, const char* s, size_t sSize) {
    return reinterpret_cast<char*>(DVB_CopyTextBounded(reinterpret_cast<uint8_t*>(d), dSize,
                                                       reinterpret_cast<const uint8_t*>(s), sSize));
}
inline size_t DVB_TextLenBounded(const char* t, size_t size) {
    return DVB_TextLenBounded(reinterpret_cast<const uint8_t*>(t), size);
}
