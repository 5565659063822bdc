// CRC-32/MPEG-2, DLH and PH packing and the field accessors.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "cdlrecords.h"
#include "cdltest.h"

namespace {

TEST(CdlCrc32Test, MatchesTheCatalogueCheckValue) {
    EXPECT_EQ(CdlCrc32("123456789", 9), 0x0376E6E7u);
    EXPECT_EQ(CdlCrc32("", 0), 0xFFFFFFFFu);
    EXPECT_EQ(CdlCrc32(nullptr, 5), 0xFFFFFFFFu);
    EXPECT_EQ(CdlCrc32Update(0x12345678u, nullptr, 5), 0x12345678u);
}

// The table-driven CRC against the bit-by-bit form on random bytes: every
// length around the eight-byte steps, every start offset within a step (the
// loads must not depend on alignment), and long runs.
TEST(CdlCrc32Test, AgreesWithTheBitByBitFormOnRandomInputs) {
    std::mt19937 random(99);
    Bytes data(0x8000 + 64);
    for (auto& byte : data)
        byte = static_cast<uint8_t>(random());
    for (size_t offset = 0; offset < 8; ++offset) {
        for (size_t length = 0; length <= 40; ++length) {
            SCOPED_TRACE(testing::Message() << "offset " << offset << ", length " << length);
            ASSERT_EQ(CdlCrc32(&data[offset], length), RefCrc32(&data[offset], length));
        }
    }
    for (int round = 0; round < 200; ++round) {
        const size_t offset = random() % 64;
        const size_t length = random() % (data.size() - offset + 1);
        SCOPED_TRACE(testing::Message() << "offset " << offset << ", length " << length);
        ASSERT_EQ(CdlCrc32(&data[offset], length), RefCrc32(&data[offset], length));
    }
    const Bytes pattern = PatternBytes(0xA0000, 7); // runs of 0x00 and 0xFF too
    EXPECT_EQ(CdlCrc32(pattern.data(), pattern.size()), RefCrc32(pattern.data(), pattern.size()));
}

TEST(CdlCrc32Test, UpdateContinuesOverTheFollowingBytes) {
    const Bytes data = PatternBytes(1000, 8);
    for (size_t split : {size_t{0}, size_t{1}, size_t{7}, size_t{8}, size_t{500}, size_t{1000}}) {
        SCOPED_TRACE(split);
        const uint32_t head = CdlCrc32(data.data(), split);
        EXPECT_EQ(CdlCrc32Update(head, data.data() + split, data.size() - split),
                  RefCrc32(data.data(), data.size()));
    }
}

// Reads `size` big-endian bytes at `offset`.
uint32_t FieldAt(const uint8_t* body, size_t offset, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = value << 8 | body[offset + i];
    return value;
}

// One accessor pair, widened to 32 bits so that one table holds all fields.
template <class Record> struct FieldCase {
    const char* name;
    std::function<int(Record*, uint32_t)> set;
    std::function<int(const Record*, uint32_t*)> get;
    size_t offset; // in the body
    size_t size;
};

template <class Record, class T>
FieldCase<Record> Field(const char* name, int (*set)(Record*, T), int (*get)(const Record*, T*),
                        size_t offset) {
    return {name, [set](Record* r, uint32_t v) { return set(r, static_cast<T>(v)); },
            [get](const Record* r, uint32_t* v) {
                if (v == nullptr) return get(r, nullptr);
                T narrow{};
                const int result = get(r, &narrow);
                *v = narrow;
                return result;
            },
            offset, sizeof(T)};
}

// Each setter must land in its own body bytes, big-endian, and nowhere else;
// its getter must give the value back; NULL pointers give 1.
template <class Record, size_t BodySize>
void CheckFields(const std::vector<FieldCase<Record>>& cases,
                 int (*pack)(const Record*, uint8_t*)) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t value = 0xA1B2C3D4u >> (32 - 8 * c.size);
        Record record{};
        ASSERT_EQ(c.set(&record, value), 0);
        uint8_t body[BodySize];
        std::memset(body, 0xEE, sizeof body);
        ASSERT_EQ(pack(&record, body), 0);
        for (size_t i = 0; i < BodySize; ++i) {
            if (i >= c.offset && i < c.offset + c.size) continue;
            EXPECT_EQ(body[i], 0) << "byte " << i;
        }
        EXPECT_EQ(FieldAt(body, c.offset, c.size), value);
        uint32_t got = 0;
        EXPECT_EQ(c.get(&record, &got), 0);
        EXPECT_EQ(got, value);
        EXPECT_EQ(c.set(nullptr, value), 1);
        EXPECT_EQ(c.get(nullptr, &got), 1);
        EXPECT_EQ(c.get(&record, nullptr), 1);
    }
}

TEST(CdlRecordsTest, PhAccessorsAndPackingFollowTheBodyLayout) {
    const std::vector<FieldCase<PH>> cases = {
        Field("version", CdlSetPHVersion, CdlGetPHVersion, 0),
        Field("byte1", CdlSetPHByte1, CdlGetPHByte1, 1),
        Field("byte2", CdlSetPHByte2, CdlGetPHByte2, 2),
        Field("byte3", CdlSetPHByte3, CdlGetPHByte3, 3),
        Field("dataSize", CdlSetPHDataSize, CdlGetPHDataSize, 4),
        Field("value8", CdlSetPHValue8, CdlGetPHValue8, 8),
        Field("dataCrc", CdlSetPHDataCrc, CdlGetPHDataCrc, 12),
        Field("value16", CdlSetPHValue16, CdlGetPHValue16, 16),
        Field("value20", CdlSetPHValue20, CdlGetPHValue20, 20),
        Field("blockSize", CdlSetPHBlockSize, CdlGetPHBlockSize, 24),
        Field("blockCount", CdlSetPHBlockCount, CdlGetPHBlockCount, 26),
        Field("headerCrc", CdlSetPHHeaderCrc, CdlGetPHHeaderCrc, 28),
    };
    CheckFields<PH, CDL_PH_BODY_SIZE>(cases, CdlPackPH);
}

TEST(CdlRecordsTest, DlhAccessorsAndPackingFollowTheBodyLayout) {
    const std::vector<FieldCase<DLH>> cases = {
        Field("byte3", CdlSetDLHByte3, CdlGetDLHByte3, 3),
        Field("byte4", CdlSetDLHByte4, CdlGetDLHByte4, 4),
        Field("byte35", CdlSetDLHByte35, CdlGetDLHByte35, 35),
        Field("byte36", CdlSetDLHByte36, CdlGetDLHByte36, 36),
        Field("value37", CdlSetDLHValue37, CdlGetDLHValue37, 37),
        Field("headerCrc", CdlSetDLHHeaderCrc, CdlGetDLHHeaderCrc, 41),
    };
    CheckFields<DLH, CDL_DLH_BODY_SIZE>(cases, CdlPackDLH);
}

TEST(CdlRecordsTest, UnpackIsTheInverseOfPack) {
    uint8_t dlhBody[CDL_DLH_BODY_SIZE];
    for (size_t i = 0; i < sizeof dlhBody; ++i)
        dlhBody[i] = static_cast<uint8_t>(i * 37 + 11);
    DLH dlh{};
    ASSERT_EQ(CdlUnpackDLH(&dlh, dlhBody), 0);
    EXPECT_EQ(dlh.byte0, dlhBody[0]);
    EXPECT_EQ(dlh.text[0], static_cast<char>(dlhBody[5]));
    EXPECT_EQ(dlh.text[29], static_cast<char>(dlhBody[34]));
    EXPECT_EQ(dlh.value37, FieldAt(dlhBody, 37, 4));
    EXPECT_EQ(dlh.headerCrc, FieldAt(dlhBody, 41, 4));
    uint8_t again[CDL_DLH_BODY_SIZE] = {};
    ASSERT_EQ(CdlPackDLH(&dlh, again), 0);
    EXPECT_EQ(0, std::memcmp(again, dlhBody, sizeof again));

    uint8_t phBody[CDL_PH_BODY_SIZE];
    for (size_t i = 0; i < sizeof phBody; ++i)
        phBody[i] = static_cast<uint8_t>(i * 53 + 5);
    PH ph{};
    ASSERT_EQ(CdlUnpackPH(&ph, phBody), 0);
    EXPECT_EQ(ph.blockCount, FieldAt(phBody, 26, 2));
    uint8_t phAgain[CDL_PH_BODY_SIZE] = {};
    ASSERT_EQ(CdlPackPH(&ph, phAgain), 0);
    EXPECT_EQ(0, std::memcmp(phAgain, phBody, sizeof phAgain));
}

TEST(CdlRecordsTest, NullPointersAreRefusedWithOne) {
    DLH dlh{};
    PH ph{};
    uint8_t body[CDL_DLH_BODY_SIZE] = {};
    EXPECT_EQ(CdlPackDLH(nullptr, body), 1);
    EXPECT_EQ(CdlPackDLH(&dlh, nullptr), 1);
    EXPECT_EQ(CdlUnpackDLH(nullptr, body), 1);
    EXPECT_EQ(CdlUnpackDLH(&dlh, nullptr), 1);
    EXPECT_EQ(CdlUnpackPH(nullptr, body), 1);
    EXPECT_EQ(CdlUnpackPH(&ph, nullptr), 1);
    // Checked here too, where a NULL would otherwise crash the caller.
    EXPECT_EQ(CdlPackPH(nullptr, body), 1);
    EXPECT_EQ(CdlPackPH(&ph, nullptr), 1);
    char text[CDL_TEXT_SIZE];
    EXPECT_EQ(CdlSetDLHText(nullptr, "x"), 1);
    EXPECT_EQ(CdlSetDLHText(&dlh, nullptr), 1);
    EXPECT_EQ(CdlGetDLHText(nullptr, text), 1);
    EXPECT_EQ(CdlGetDLHText(&dlh, nullptr), 1);
}

TEST(CdlRecordsTest, TextFieldKeepsAtMostThirtyBytesAndClearsTheRest) {
    DLH dlh{};
    const std::string longText(40, 'Q');
    ASSERT_EQ(CdlSetDLHText(&dlh, longText.c_str()), 0);
    EXPECT_EQ(std::string(dlh.text, CDL_TEXT_SIZE), std::string(30, 'Q'));
    EXPECT_EQ(dlh.byte35, 0); // nothing beyond the field

    ASSERT_EQ(CdlSetDLHText(&dlh, "List"), 0);
    EXPECT_EQ(std::string(dlh.text, CDL_TEXT_SIZE), std::string("List") + std::string(26, '\0'));

    char out[CDL_TEXT_SIZE + 1];
    std::memset(out, '#', sizeof out);
    ASSERT_EQ(CdlGetDLHText(&dlh, out), 0);
    EXPECT_STREQ(out, "List");
    EXPECT_EQ(out[CDL_TEXT_SIZE], '#'); // never more than 30 bytes

    uint8_t body[CDL_DLH_BODY_SIZE];
    CdlPackDLH(&dlh, body);
    EXPECT_EQ(0, std::memcmp(body + 5, "List", 4));
}

} // namespace
