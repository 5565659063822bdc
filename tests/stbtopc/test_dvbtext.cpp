// DVB text helpers. Prefix bytes and control codes as EN 300 468 Annex A
// defines them: 0x10 0x00 0x05 selects ISO/IEC 8859-5, 0x11 the two-byte
// (ISO/IEC 10646) table, 0x86/0x87 switch character emphasis on/off and 0x8A
// is a CR/LF. Every buffer is a heap block of exactly its size, so that the
// sanitizer build reports any byte read or written past it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dbrecords.h"
#include "dbtest.h"
#include "dvbtext.h"

namespace {

using Bytes = std::vector<uint8_t>;

class DvbTextTest : public DbTest {};

std::string Hex(const Bytes& b) {
    std::string out;
    char part[4];
    for (uint8_t x : b) {
        std::snprintf(part, sizeof part, "%02X ", x);
        out += part;
    }
    return out;
}

enum class Op {
    CopyN,        // DVB_CopyTextN over all input bytes
    Copy,         // DVB_CopyText (input is terminated)
    CopyBounded,  // DVB_CopyTextBounded, source field = input, destination = arg bytes
    CopyNBounded, // DVB_CopyTextNBounded over all input bytes, destination = arg bytes
    Len,          // DVB_TextLen (input is terminated)
    LenBounded,   // DVB_TextLenBounded over all input bytes
    StripCtl,     // DVB_StripControlCodesN over all input bytes
    StripCtlZ,    // DVB_StripControlCodes (input is terminated)
    StripHigh,    // OS_StripHighBytesN over all input bytes
    Upper,        // OS_ToUpperN over all input bytes
};

struct TextCase {
    const char* name;
    Op op;
    Bytes input;
    size_t arg;    // destination size where the operation takes one
    Bytes expect;  // the destination (copies) or the buffer (in place)
    size_t length; // the result of Len, LenBounded and the strips
};

TEST_F(DvbTextTest, EdgeCases) {
    const TextCase cases[] = {
        // Copies of a given length.
        {"0x10 0x41: a three-byte prefix needs four bytes", Op::CopyN, {0x10, 0x41}, 0, {0}, 0},
        {"0x05 0x41 gives A", Op::CopyN, {0x05, 0x41}, 0, {0x41, 0}, 0},
        {"0x11 and three bytes copies two",
         Op::CopyN,
         {0x11, 0x00, 0x41, 0x00},
         0,
         {0x00, 0x41, 0},
         0},
        {"0x11 and one byte is empty", Op::CopyN, {0x11, 0x41}, 0, {0}, 0},
        {"a lone one-byte prefix is empty", Op::CopyN, {0x01}, 0, {0}, 0},
        {"length 0 is empty", Op::CopyN, {}, 0, {0}, 0},
        {"0x10 0x00 0x05 (ISO/IEC 8859-5) is skipped",
         Op::CopyN,
         {0x10, 0x00, 0x05, 0xB0, 0xB1},
         0,
         {0xB0, 0xB1, 0},
         0},
        {"0x06 is no prefix here", Op::CopyN, {0x06, 0x41}, 0, {0x06, 0x41, 0}, 0},
        {"no prefix copies all", Op::CopyN, {0x41, 0x86, 0x42}, 0, {0x41, 0x86, 0x42, 0}, 0},
        // Copies of a terminated text.
        {"terminated 0x11 text keeps an odd last byte",
         Op::Copy,
         {0x11, 0x41, 0x42, 0x43, 0},
         0,
         {0x41, 0x42, 0x43, 0},
         0},
        {"terminated 0x10 text shorter than four bytes",
         Op::Copy,
         {0x10, 0x41, 0x42, 0},
         0,
         {0},
         0},
        {"terminated lone prefix", Op::Copy, {0x05, 0}, 0, {0}, 0},
        {"terminated empty text", Op::Copy, {0}, 0, {0}, 0},
        // Bounded copies.
        {"bounded: cut to the destination and terminated",
         Op::CopyBounded,
         {0x05, 'A', 'B', 'C', 'D', 'E'},
         4,
         {'A', 'B', 'C', 0},
         0},
        {"bounded: a terminated source reads as unbounded",
         Op::CopyBounded,
         {0x05, 'A', 'B', 0, 'X', 'Y'},
         8,
         {'A', 'B', 0},
         0},
        {"bounded: a two-byte text is cut to whole characters",
         Op::CopyBounded,
         {0x11, 0x4E, 0x2D, 0x65, 0x87},
         4,
         {0x4E, 0x2D, 0},
         0},
        {"bounded: destination of one byte", Op::CopyBounded, {'A', 'B'}, 1, {0}, 0},
        {"bounded N: two-byte text cut to whole characters",
         Op::CopyNBounded,
         {0x11, 0x00, 0x41, 0x00, 0x42, 0x00},
         4,
         {0x00, 0x41, 0},
         0},
        // Lengths.
        {"0x10 0x00 0x00 has length 0", Op::Len, {0x10, 0x00, 0x00}, 0, {}, 0},
        {"0x11 0x00 0x41 0x00 0x00 has length 2",
         Op::Len,
         {0x11, 0x00, 0x41, 0x00, 0x00},
         0,
         {},
         2},
        {"0x11 text up to its 0x00 0x00",
         Op::Len,
         {0x11, 0x41, 0x00, 0x00, 0x42, 0x00, 0x00},
         0,
         {},
         4},
        {"0x11 0x00 0x00 has length 0", Op::Len, {0x11, 0x00, 0x00}, 0, {}, 0},
        {"0x10 0x00 0x05 and two characters", Op::Len, {0x10, 0x00, 0x05, 0xB0, 0xB1, 0}, 0, {}, 2},
        {"0x10 text ending inside its prefix", Op::Len, {0x10, 0x41, 0x00}, 0, {}, 0},
        {"one-byte prefix is not counted", Op::Len, {0x05, 'A', 'B', 0}, 0, {}, 2},
        {"no prefix", Op::Len, {'A', 0x86, 'C', 0}, 0, {}, 3},
        {"empty", Op::Len, {0}, 0, {}, 0},
        {"bounded: 0x10 at the end of a one-byte field", Op::LenBounded, {0x10}, 0, {}, 0},
        {"bounded: 0x10 0x00 at the end of a field", Op::LenBounded, {0x10, 0x00}, 0, {}, 0},
        {"bounded: 0x10 prefix filling the field", Op::LenBounded, {0x10, 0x00, 0x05}, 0, {}, 0},
        {"bounded: a half character at the end is not counted",
         Op::LenBounded,
         {0x11, 0x00, 0x41, 0x00},
         0,
         {},
         2},
        {"bounded: a full field without terminator", Op::LenBounded, {'A', 'B', 'C'}, 0, {}, 3},
        // Strips.
        {"Annex A emphasis and CR/LF codes are removed",
         Op::StripCtl,
         {0x86, 'B', 'B', 'C', 0x87, ' ', 'O', 'n', 'e', 0x8A, '1'},
         0,
         {'B', 'B', 'C', ' ', 'O', 'n', 'e', '1', 0, 0, 0},
         8},
        {"control strip keeps 0xA0-0xFF and 0x7F",
         Op::StripCtl,
         {0x7F, 0x80, 0x9F, 0xA0, 0xE9, 0xFF},
         0,
         {0x7F, 0xA0, 0xE9, 0xFF, 0, 0},
         4},
        {"high strip removes 0x80 and above",
         Op::StripHigh,
         {'A', 0x80, 0xA0, 0xFF, 0x7F, 'B'},
         0,
         {'A', 0x7F, 'B', 0, 0, 0},
         3},
        {"a strip that removes nothing writes nothing past the buffer",
         Op::StripCtl,
         {'A', 'B'},
         0,
         {'A', 'B'},
         2},
        {"high strip that removes nothing", Op::StripHigh, {'A', 'B'}, 0, {'A', 'B'}, 2},
        {"strip of a terminated text", Op::StripCtlZ, {'A', 0x86, 'B', 0}, 0, {'A', 'B', 0, 0}, 2},
        {"strip of a terminated text removing nothing",
         Op::StripCtlZ,
         {'A', 'B', 0},
         0,
         {'A', 'B', 0},
         2},
        // Upper case.
        {"ASCII letters only",
         Op::Upper,
         {'a', 'z', 'A', '`', '{', '@', '[', 0xE9, 0xE0, 0xFF},
         0,
         {'A', 'Z', 'A', '`', '{', '@', '[', 0xE9, 0xE0, 0xFF},
         10},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes in = c.input; // exactly sized
        size_t length = 0;
        Bytes out;
        switch (c.op) {
        case Op::CopyN:
            out.assign(in.size() + 1, 0xEE);
            DVB_CopyTextN(out.data(), in.data(), in.size());
            break;
        case Op::Copy:
            out.assign(in.size(), 0xEE);
            DVB_CopyText(out.data(), in.data());
            break;
        case Op::CopyBounded:
            out.assign(c.arg, 0xEE);
            DVB_CopyTextBounded(out.data(), out.size(), in.data(), in.size());
            break;
        case Op::CopyNBounded:
            out.assign(c.arg, 0xEE);
            DVB_CopyTextNBounded(out.data(), out.size(), in.data(), in.size());
            break;
        case Op::Len:
            length = DVB_TextLen(in.data());
            break;
        case Op::LenBounded:
            length = DVB_TextLenBounded(in.data(), in.size());
            break;
        case Op::StripCtl:
            length = DVB_StripControlCodesN(in.data(), in.size());
            break;
        case Op::StripCtlZ:
            length = DVB_StripControlCodes(in.data());
            break;
        case Op::StripHigh:
            length = OS_StripHighBytesN(in.data(), in.size());
            break;
        case Op::Upper:
            length = OS_ToUpperN(in.data(), in.size());
            break;
        }
        const bool copies = c.op == Op::CopyN || c.op == Op::Copy || c.op == Op::CopyBounded ||
                            c.op == Op::CopyNBounded;
        if (copies) {
            // The copy and its terminator, and nothing after them: 0xEE marks
            // the bytes the copy must not write.
            ASSERT_LE(c.expect.size(), out.size());
            Bytes written(out.begin(), out.begin() + static_cast<long>(c.expect.size()));
            EXPECT_EQ(Hex(written), Hex(c.expect));
            for (size_t i = c.expect.size(); i < out.size(); ++i)
                EXPECT_EQ(out[i], 0xEE) << i;
        } else {
            EXPECT_EQ(length, c.length);
            if (!c.expect.empty()) {
                EXPECT_EQ(Hex(in), Hex(c.expect));
            }
        }
    }
}

TEST_F(DvbTextTest, BoundedCopyTerminatesEvenWhenTheDestinationIsTooSmall) {
    const Bytes name = {'E', 'u', 'r', 'o', 's', 'p', 'o', 'r', 't'};
    for (size_t size = 1; size <= name.size() + 2; ++size) {
        SCOPED_TRACE(size);
        Bytes out(size, 0xEE);
        DVB_CopyTextBounded(out.data(), out.size(), name.data(), name.size());
        const size_t copied = std::min(size - 1, name.size());
        EXPECT_EQ(out[copied], 0);
        EXPECT_EQ(std::memcmp(out.data(), name.data(), copied), 0);
        Bytes plain(size, 0xEE);
        OS_StrCpyBounded(plain.data(), plain.size(), name.data(), name.size());
        EXPECT_EQ(plain, out);
    }
    // A destination of no bytes is left alone.
    uint8_t untouched = 0xEE;
    DVB_CopyTextBounded(&untouched, 0, name.data(), name.size());
    DVB_CopyTextNBounded(&untouched, 0, name.data(), name.size());
    OS_StrCpyBounded(&untouched, 0, name.data(), name.size());
    EXPECT_EQ(untouched, 0xEE);
}

// A service name that fills its 22-byte field has no terminator. Each field
// is its own heap block of exactly 22 bytes.
struct FieldCase {
    const char* name;
    Bytes lead; // prefix bytes, the rest of the field is letters
    size_t textLength;
    size_t copied; // bytes DVB_CopyTextBounded copies into a 23-byte buffer
};

TEST_F(DvbTextTest, FullUnterminatedNameField) {
    const FieldCase cases[] = {
        {"no prefix", {}, 22, 22},
        {"one-byte table", {0x05}, 21, 21},
        {"code page 0x10 0x00 0x05", {0x10, 0x00, 0x05}, 19, 0}, // the 0x00 ends the string
        {"two-byte table", {0x11}, 20, 21},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes field(SVC_NAME_LEN);
        for (size_t i = 0; i < field.size(); ++i)
            field[i] = i < c.lead.size() ? c.lead[i] : static_cast<uint8_t>('a' + i);
        const Bytes original = field;

        const bool codePage = c.lead.size() == 3;
        EXPECT_EQ(OS_StrNLen(field.data(), field.size()), codePage ? 1u : SVC_NAME_LEN);
        EXPECT_EQ(DVB_TextLenBounded(field.data(), field.size()), c.textLength);

        Bytes copy(SVC_NAME_LEN + 1, 0xEE);
        DVB_CopyTextBounded(copy.data(), copy.size(), field.data(), field.size());
        EXPECT_EQ(copy[c.copied], 0);
        EXPECT_EQ(std::memcmp(copy.data(), field.data() + (c.copied ? c.lead.size() : 0), c.copied),
                  0);

        Bytes copyN(SVC_NAME_LEN + 1, 0xEE);
        DVB_CopyTextNBounded(copyN.data(), copyN.size(), field.data(), field.size());
        EXPECT_EQ(OS_StrNLen(copyN.data(), copyN.size()),
                  c.lead.size() == 1 && c.lead[0] == 0x11 ? 20u : SVC_NAME_LEN - c.lead.size());

        // Strips and upper-casing stay inside the field; with nothing to
        // remove the field is unchanged.
        Bytes strip = field;
        EXPECT_EQ(DVB_StripControlCodesN(strip.data(), strip.size()), SVC_NAME_LEN);
        EXPECT_EQ(strip, original);
        EXPECT_EQ(OS_StripHighBytesN(strip.data(), strip.size()), SVC_NAME_LEN);
        EXPECT_EQ(OS_ToUpperN(strip.data(), strip.size()), SVC_NAME_LEN);
        EXPECT_EQ(strip[21], 'a' + 21 - 32);
        EXPECT_EQ(field, original) << "sources are not modified";
    }
}

TEST_F(DvbTextTest, PlainStringWrappers) {
    // Bytes compare unsigned: 0xE9 sorts after 'z' although char is signed.
    EXPECT_GT(OS_StrCmp("\xE9", "z"), 0);
    EXPECT_LT(OS_StrCmp("z", "\xE9"), 0);
    EXPECT_LT(OS_StrCmp("AB", "ABC"), 0);
    EXPECT_EQ(OS_StrCmp("ABC", "ABC"), 0);
    EXPECT_EQ(OS_StrLen("ABC"), 3u);
    EXPECT_EQ(OS_StrNLen("ABC", 2), 2u);

    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    OS_StrNCpy(buffer, "AB", 5); // standard: padded with zeros up to count
    EXPECT_EQ(std::memcmp(buffer, "AB\0\0\0x", 6), 0);
    std::memset(buffer, 'x', sizeof buffer);
    OS_StrNCpy(buffer, "ABCDEFG", 3); // no terminator when the source is longer
    EXPECT_EQ(std::memcmp(buffer, "ABCxxx", 6), 0);

    char text[] = "Abc-xyz \xE9\xE0";
    EXPECT_EQ(OS_StrUpr(text), text);
    EXPECT_STREQ(text, "ABC-XYZ \xE9\xE0");
    EXPECT_STREQ(OS_StrCpy(buffer, "Hi"), "Hi");
}

} // namespace
