// The records of the channel-list container: CRC-32/MPEG-2, the DLH and PH
// body layout with packing and unpacking, and the field accessors.
#include "cdlrecords.h"

#include <cstring>
#include <utility>
#include <variant>

#include "cdlendian.h"

// ---- CRC-32/MPEG-2 ---------------------------------------------------------

namespace {

constexpr uint32_t kCrcPolynomial = 0x04C11DB7u;
constexpr uint32_t kCrcInitial = 0xFFFFFFFFu;
constexpr int kCrcSlices = 8;

// kCrcTables.slice[k][b] is the CRC register, started at 0, after byte b and
// then k zero bytes. Slice 0 is the classic one-byte table; with all eight,
// eight input bytes are folded into the register by eight lookups at once.
struct CrcTables {
    uint32_t slice[kCrcSlices][256];
};

constexpr CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t crc = byte << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ kCrcPolynomial : crc << 1;
        tables.slice[0][byte] = crc;
    }
    for (int k = 1; k < kCrcSlices; ++k) {
        for (uint32_t byte = 0; byte < 256; ++byte) {
            const uint32_t previous = tables.slice[k - 1][byte];
            tables.slice[k][byte] = (previous << 8) ^ tables.slice[0][previous >> 24];
        }
    }
    return tables;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

} // namespace

uint32_t CdlCrc32Update(uint32_t crc, const void* bytes, size_t length) {
    if (bytes == nullptr) return crc;
    const auto* p = static_cast<const uint8_t*>(bytes);
    const auto& t = kCrcTables.slice;
    // Slicing by 8: the first four bytes meet the register and leave it after
    // seven to four more bytes; the next four leave it after three to none.
    // Those four do not depend on the register, so they are folded first and
    // the chain from one step's register to the next stays short.
    for (; length >= 8; length -= 8, p += 8) {
        const uint32_t next = t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
        crc ^= CdlGetU32(p);
        crc = (t[7][crc >> 24] ^ t[6][(crc >> 16) & 0xFF]) ^
              (t[5][(crc >> 8) & 0xFF] ^ t[4][crc & 0xFF]) ^ next;
    }
    for (; length > 0; --length, ++p)
        crc = (crc << 8) ^ t[0][(crc >> 24) ^ *p];
    return crc;
}

uint32_t CdlCrc32(const void* bytes, size_t length) {
    return CdlCrc32Update(kCrcInitial, bytes, length);
}

// ---- Record bodies ---------------------------------------------------------

namespace {

// One field of a record body: where it stands in the body, how many bytes it
// takes there, and the member that holds it. Numbers are big-endian in the
// body; the text field is copied as it is.
template <class Record> struct BodyField {
    size_t offset;
    size_t size;
    std::variant<uint8_t Record::*, uint16_t Record::*, uint32_t Record::*,
                 char (Record::*)[CDL_TEXT_SIZE]>
        member;
};

// The two bodies, field by field in body order: the one layout that packing
// and unpacking both walk.
// clang-format off
constexpr BodyField<DLH> kDlhBody[] = {
    // offset  size            member
    {0,        1,              &DLH::byte0},
    {1,        1,              &DLH::byte1},
    {2,        1,              &DLH::byte2},
    {3,        1,              &DLH::byte3},
    {4,        1,              &DLH::byte4},
    {5,        CDL_TEXT_SIZE,  &DLH::text},
    {35,       1,              &DLH::byte35},
    {36,       1,              &DLH::byte36},
    {37,       4,              &DLH::value37},
    {41,       4,              &DLH::headerCrc},
};

constexpr BodyField<PH> kPhBody[] = {
    // offset  size  member
    {0,        1,    &PH::version},
    {1,        1,    &PH::byte1},
    {2,        1,    &PH::byte2},
    {3,        1,    &PH::byte3},
    {4,        4,    &PH::dataSize},
    {8,        4,    &PH::value8},
    {12,       4,    &PH::dataCrc},
    {16,       4,    &PH::value16},
    {20,       4,    &PH::value20},
    {24,       2,    &PH::blockSize},
    {26,       2,    &PH::blockCount},
    {28,       4,    &PH::headerCrc},
};
// clang-format on

// True when the fields cover the body from byte 0 to bodySize without gap or
// overlap, and each field's size is that of its member.
template <class Record, size_t Count>
constexpr bool TilesBody(const BodyField<Record> (&fields)[Count], size_t bodySize) {
    size_t next = 0;
    for (const BodyField<Record>& field : fields) {
        const size_t memberSize = std::visit(
            [](auto member) { return sizeof(std::declval<Record&>().*member); }, field.member);
        if (field.offset != next || field.size != memberSize) return false;
        next += field.size;
    }
    return next == bodySize;
}
static_assert(TilesBody(kDlhBody, CDL_DLH_BODY_SIZE));
static_assert(TilesBody(kPhBody, CDL_PH_BODY_SIZE));

void WriteBodyField(uint8_t* out, uint8_t value) {
    *out = value;
}
void WriteBodyField(uint8_t* out, uint16_t value) {
    CdlPutU16(out, value);
}
void WriteBodyField(uint8_t* out, uint32_t value) {
    CdlPutU32(out, value);
}
void WriteBodyField(uint8_t* out, const char (&text)[CDL_TEXT_SIZE]) {
    std::memcpy(out, text, CDL_TEXT_SIZE);
}

void ReadBodyField(const uint8_t* in, uint8_t& value) {
    value = *in;
}
void ReadBodyField(const uint8_t* in, uint16_t& value) {
    value = CdlGetU16(in);
}
void ReadBodyField(const uint8_t* in, uint32_t& value) {
    value = CdlGetU32(in);
}
void ReadBodyField(const uint8_t* in, char (&text)[CDL_TEXT_SIZE]) {
    std::memcpy(text, in, CDL_TEXT_SIZE);
}

template <class Record, size_t Count>
int PackBody(const BodyField<Record> (&fields)[Count], const Record* record, uint8_t* out) {
    if (record == nullptr || out == nullptr) return 1;
    for (const BodyField<Record>& field : fields)
        std::visit([&](auto member) { WriteBodyField(out + field.offset, record->*member); },
                   field.member);
    return 0;
}

template <class Record, size_t Count>
int UnpackBody(const BodyField<Record> (&fields)[Count], Record* record, const uint8_t* in) {
    if (record == nullptr || in == nullptr) return 1;
    for (const BodyField<Record>& field : fields)
        std::visit([&](auto member) { ReadBodyField(in + field.offset, record->*member); },
                   field.member);
    return 0;
}

} // namespace

int CdlPackDLH(const DLH* record, uint8_t* out) {
    return PackBody(kDlhBody, record, out);
}

int CdlUnpackDLH(DLH* record, const uint8_t* in) {
    return UnpackBody(kDlhBody, record, in);
}

int CdlPackPH(const PH* record, uint8_t* out) {
    return PackBody(kPhBody, record, out);
}

int CdlUnpackPH(PH* record, const uint8_t* in) {
    return UnpackBody(kPhBody, record, in);
}

// ---- Field accessors -------------------------------------------------------

namespace {

template <class Record, class Field>
int SetField(Record* record, Field Record::*field, Field value) {
    if (record == nullptr) return 1;
    record->*field = value;
    return 0;
}

template <class Record, class Field>
int GetField(const Record* record, Field Record::*field, Field* value) {
    if (record == nullptr || value == nullptr) return 1;
    *value = record->*field;
    return 0;
}

} // namespace

int CdlSetDLHByte3(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte3, v);
}
int CdlGetDLHByte3(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte3, v);
}
int CdlSetDLHByte4(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte4, v);
}
int CdlGetDLHByte4(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte4, v);
}
int CdlSetDLHByte35(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte35, v);
}
int CdlGetDLHByte35(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte35, v);
}
int CdlSetDLHByte36(DLH* r, uint8_t v) {
    return SetField(r, &DLH::byte36, v);
}
int CdlGetDLHByte36(const DLH* r, uint8_t* v) {
    return GetField(r, &DLH::byte36, v);
}
int CdlSetDLHValue37(DLH* r, uint32_t v) {
    return SetField(r, &DLH::value37, v);
}
int CdlGetDLHValue37(const DLH* r, uint32_t* v) {
    return GetField(r, &DLH::value37, v);
}
int CdlSetDLHHeaderCrc(DLH* r, uint32_t v) {
    return SetField(r, &DLH::headerCrc, v);
}
int CdlGetDLHHeaderCrc(const DLH* r, uint32_t* v) {
    return GetField(r, &DLH::headerCrc, v);
}

int CdlSetDLHText(DLH* record, const char* text) {
    if (record == nullptr || text == nullptr) return 1;
    std::memset(record->text, 0, CDL_TEXT_SIZE);
    size_t length = 0;
    while (length < CDL_TEXT_SIZE && text[length] != '\0')
        ++length;
    std::memcpy(record->text, text, length);
    return 0;
}

int CdlGetDLHText(const DLH* record, char* out) {
    if (record == nullptr || out == nullptr) return 1;
    std::strncpy(out, record->text, CDL_TEXT_SIZE);
    return 0;
}

int CdlSetPHVersion(PH* r, uint8_t v) {
    return SetField(r, &PH::version, v);
}
int CdlGetPHVersion(const PH* r, uint8_t* v) {
    return GetField(r, &PH::version, v);
}
int CdlSetPHByte1(PH* r, uint8_t v) {
    return SetField(r, &PH::byte1, v);
}
int CdlGetPHByte1(const PH* r, uint8_t* v) {
    return GetField(r, &PH::byte1, v);
}
int CdlSetPHByte2(PH* r, uint8_t v) {
    return SetField(r, &PH::byte2, v);
}
int CdlGetPHByte2(const PH* r, uint8_t* v) {
    return GetField(r, &PH::byte2, v);
}
int CdlSetPHByte3(PH* r, uint8_t v) {
    return SetField(r, &PH::byte3, v);
}
int CdlGetPHByte3(const PH* r, uint8_t* v) {
    return GetField(r, &PH::byte3, v);
}
int CdlSetPHDataSize(PH* r, uint32_t v) {
    return SetField(r, &PH::dataSize, v);
}
int CdlGetPHDataSize(const PH* r, uint32_t* v) {
    return GetField(r, &PH::dataSize, v);
}
int CdlSetPHValue8(PH* r, uint32_t v) {
    return SetField(r, &PH::value8, v);
}
int CdlGetPHValue8(const PH* r, uint32_t* v) {
    return GetField(r, &PH::value8, v);
}
int CdlSetPHDataCrc(PH* r, uint32_t v) {
    return SetField(r, &PH::dataCrc, v);
}
int CdlGetPHDataCrc(const PH* r, uint32_t* v) {
    return GetField(r, &PH::dataCrc, v);
}
int CdlSetPHValue16(PH* r, uint32_t v) {
    return SetField(r, &PH::value16, v);
}
int CdlGetPHValue16(const PH* r, uint32_t* v) {
    return GetField(r, &PH::value16, v);
}
int CdlSetPHValue20(PH* r, uint32_t v) {
    return SetField(r, &PH::value20, v);
}
int CdlGetPHValue20(const PH* r, uint32_t* v) {
    return GetField(r, &PH::value20, v);
}
int CdlSetPHBlockSize(PH* r, uint16_t v) {
    return SetField(r, &PH::blockSize, v);
}
int CdlGetPHBlockSize(const PH* r, uint16_t* v) {
    return GetField(r, &PH::blockSize, v);
}
int CdlSetPHBlockCount(PH* r, uint16_t v) {
    return SetField(r, &PH::blockCount, v);
}
int CdlGetPHBlockCount(const PH* r, uint16_t* v) {
    return GetField(r, &PH::blockCount, v);
}
int CdlSetPHHeaderCrc(PH* r, uint32_t v) {
    return SetField(r, &PH::headerCrc, v);
}
int CdlGetPHHeaderCrc(const PH* r, uint32_t* v) {
    return GetField(r, &PH::headerCrc, v);
}
