// Stored record layouts against bytes written out by hand, and the handle
// and reference tables.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dbrecords.h"
#include "dbtest.h"
#include "refids.h"
#include "svchandle.h"

namespace {

template <typename Record> std::vector<uint8_t> bytesOf(const Record& record) {
    std::vector<uint8_t> out(sizeof(Record));
    std::memcpy(out.data(), &record, sizeof(Record));
    return out;
}

std::vector<uint8_t> zeros(size_t n) {
    return std::vector<uint8_t>(n, 0);
}

void put(std::vector<uint8_t>& bytes, size_t offset, std::initializer_list<uint8_t> values) {
    for (uint8_t v : values)
        bytes[offset++] = v;
}

TEST(RecordLayout, SvcInfoMatchesHandWrittenBytes) {
    SvcInfo svc{};
    svc.flags = SVCF_WRITTEN | SVCF_CREATED | (SVC_TYPE_RADIO << SVCF_TYPE_LO);
    svc.casId[0] = 0x0500;
    svc.casId[2] = 0x0B12;
    svc.extraPid = PID_NONE;
    svc.videoPid = 0x0100;
    svc.audioPid = 0x0101;
    svc.pcrPid = 0x0100;
    svc.flags2 = 0x3FF;
    std::memcpy(svc.name, "ABC", 3);
    svc.tsRef = 0xA07C0024;
    svc.prvRef = 0xA07D0014;

    std::vector<uint8_t> want = zeros(64);
    put(want, 0, {0x00, 0x00, 0x22, 0x80});
    put(want, 4, {0x00, 0x05, 0x00, 0x00, 0x12, 0x0B});
    put(want, 12, {0x00, 0x20, 0x00, 0x01, 0x01, 0x01, 0x00, 0x01});
    put(want, 24, {0xFF, 0x03, 0x00, 0x00});
    put(want, 34, {'A', 'B', 'C'});
    put(want, 56, {0x24, 0x00, 0x7C, 0xA0, 0x14, 0x00, 0x7D, 0xA0});
    EXPECT_EQ(bytesOf(svc), want);
}

TEST(RecordLayout, TsInfoMatchesHandWrittenBytes) {
    TsInfo ts{};
    ts.id1 = 0x1234;
    ts.id2 = 0x5678;
    ts.flags = DB_SetBits(0, TSF_TUNER_LO, TSF_TUNER_W, 2);
    ts.tp.frequency = 11778;
    ts.tp.symbolRate = 27500;
    ts.tp.modulation = 1;
    ts.tp.polarisation = POL_VERTICAL;
    ts.tp.fec = 3;
    ts.tp.satIndex = 2;
    ts.tp.pilot = 1;

    std::vector<uint8_t> want = zeros(36);
    put(want, 0, {0x34, 0x12, 0x78, 0x56, 0x00, 0x00, 0x20, 0x00});
    put(want, 8, {0x02, 0x2E, 0x00, 0x00, 0x6C, 0x6B, 0x01, 0x01, 0x03, 0x02, 0x00, 0x01});
    EXPECT_EQ(bytesOf(ts), want);
    EXPECT_EQ(bytesOf(ts)[17], 2); // the satellite index is record byte 17
}

TEST(RecordLayout, FavInfoMatchesHandWrittenBytes) {
    FavInfo fav{};
    fav.count = 2;
    std::memcpy(fav.name, "News", 4);
    fav.entries[0] = (5 << 3) | 1; // number 5, radio
    fav.entries[1] = (12 << 3) | 0;

    std::vector<uint8_t> want = zeros(424);
    put(want, 0, {0x02, 0x00});
    put(want, 4, {'N', 'e', 'w', 's'});
    put(want, 24, {0x29, 0x00, 0x60, 0x00});
    EXPECT_EQ(bytesOf(fav), want);
}

TEST(RecordLayout, SatInfoFlagWordsByMaskAndShift) {
    SatInfo sat{};
    sat.lnb = DB_SetBits(sat.lnb, SAT_LO_LO, SAT_LO_W, 9750000) | SAT_IN_USE | SAT_TONE_22K;
    sat.lnb = DB_SetBits(sat.lnb, SAT_DISEQC_LO, SAT_DISEQC_W, 3);
    sat.power = DB_SetBits(SAT_LNB_POWER, SAT_ORBIT_LO, SAT_ORBIT_W, static_cast<uint16_t>(-50));
    std::vector<uint8_t> want = zeros(28);
    // 9750000 = 0x94C5F0; bit 24 and bit 27 set; DiSEqC 3 in bits 28-31.
    put(want, 0, {0xF0, 0xC5, 0x94, 0x39});
    put(want, 4, {0x01, 0x00, 0xCE, 0xFF}); // orbit -5.0 degrees as signed 16 bits
    EXPECT_EQ(bytesOf(sat), want);
    EXPECT_EQ(static_cast<int16_t>(DB_GetBits(sat.power, SAT_ORBIT_LO, SAT_ORBIT_W)), -50);
    EXPECT_EQ(DB_GetBits(sat.lnb, SAT_LO_LO, SAT_LO_W), 9750000u);
}

TEST(RecordLayout, TpRowBecomesTpInfoFieldByField) {
    TpRow row{};
    row.frequency = 12188;
    row.symbolRate = 0x16B6C; // 27500 + 0x10000: only the low 16 bits are kept
    row.rowField = 0x1234;    // low byte to TpInfo offset 10
    row.polarisation = POL_VERTICAL;
    row.fec = 3;
    row.modulation = 2;
    row.pilot = 1;
    std::memset(row.reserved14, 0xEE, sizeof row.reserved14);
    row.zero16 = 0xEEEEEEEE;
    row.state = 1;

    std::vector<uint8_t> want = zeros(20);
    // Row 10 -> 7, 11 -> 8, 12 -> 6, 13 -> 11; the satellite index at 9.
    put(want, 0, {0x9C, 0x2F, 0x00, 0x00, 0x6C, 0x6B, 0x02, 0x01, 0x03, 0x2A, 0x34, 0x01});
    EXPECT_EQ(bytesOf(DB_TpInfoFromRow(row, 42)), want);
}

// Both sources of an edit-list row: every byte the source does not carry is
// zero, whatever its spare bytes hold; the satellite index is no part of a
// row, and a factory row keeps all 32 bits of its symbol rate.
TEST(RecordLayout, TpInfoAndDefaultRowBecomeTpRowFieldByField) {
    const uint8_t spare = 0xEE;
    const TpInfo stored{.frequency = 12188,
                        .symbolRate = 27500,
                        .modulation = 2,
                        .polarisation = POL_VERTICAL,
                        .fec = 3,
                        .satIndex = 42,
                        .rowField = 0x34,
                        .pilot = 1,
                        .reserved12 = {spare, spare, spare, spare, spare, spare, spare, spare}};
    const DefaultTpRow factory{.frequency = 10714,
                               .symbolRate = 0x16B6C,
                               .rowField = 0x1234,
                               .polarisation = POL_HORIZONTAL,
                               .fec = FEC_AUTO,
                               .modulation = 1,
                               .pilot = 0,
                               .reserved14 = {spare, spare}};
    std::vector<uint8_t> storedRow = zeros(24), factoryRow = zeros(24);
    put(storedRow, 0,
        {0x9C, 0x2F, 0x00, 0x00, 0x6C, 0x6B, 0x00, 0x00, 0x34, 0x00, 0x01, 0x03, 0x02, 0x01});
    put(storedRow, 20, {0x01}); // the state
    put(factoryRow, 0,
        {0xDA, 0x29, 0x00, 0x00, 0x6C, 0x6B, 0x01, 0x00, 0x34, 0x12, 0x00, 0x0B, 0x01, 0x00});
    EXPECT_EQ(bytesOf(DB_TpRowFrom(stored, 1)), storedRow);
    EXPECT_EQ(bytesOf(DB_TpRowFrom(factory, 0)), factoryRow);
}

class HandleTableTest : public DbTest {};

TEST_F(HandleTableTest, NewHandleStartsAsSpecified) {
    const SvcHandle id = HT_Alloc();
    ASSERT_NE(id, SVC_HANDLE_NONE);
    const SvcHandleObj* obj = HT_Resolve(id);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->self, id);
    EXPECT_EQ(obj->marker, 0xFFFFFFFFu);
    EXPECT_EQ(obj->record, nullptr);
    EXPECT_EQ(obj->numFlags, 0x1FFFFu);
    EXPECT_EQ(DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W), 0x3FFFu);
    EXPECT_EQ(obj->name, nullptr);
}

TEST_F(HandleTableTest, StaleAndForeignIdsNeverResolve) {
    const SvcHandle a = HT_Alloc(), b = HT_Alloc();
    SvcHandleObj* objB = HT_Resolve(b);
    objB->name = new uint8_t[4]{'x', 0, 0, 0};
    objB->numFlags |= SVH_OWNS_NAME; // freed with the handle
    HT_Free(b);
    EXPECT_EQ(HT_Resolve(b), nullptr);
    EXPECT_NE(HT_Resolve(a), nullptr);
    HT_Free(b); // second free is ignored
    EXPECT_EQ(HT_LiveCount(), 1u);
    for (SvcHandle bad : {SVC_HANDLE_NONE, SVC_HANDLE_FREED, b + 1000})
        EXPECT_EQ(HT_Resolve(bad), nullptr) << bad;

    // Ids are not reused after the table is cleared.
    HT_Clear();
    EXPECT_EQ(HT_Resolve(a), nullptr);
    const SvcHandle c = HT_Alloc();
    EXPECT_GT(c, b);
    EXPECT_EQ(HT_Resolve(a), nullptr);
}

class RefIdTest : public DbTest {};

TEST_F(RefIdTest, IdsResolveOnlyToTheirKind) {
    TsInfo ts{};
    PrvInfo prv{};
    const RefId tsId = REF_Register(RefKind::Ts, &ts);
    const RefId prvId = REF_Register(RefKind::Prv, &prv);
    ASSERT_NE(tsId, REF_NONE);
    EXPECT_EQ(REF_ResolveTs(tsId), &ts);
    EXPECT_EQ(REF_ResolvePrv(prvId), &prv);
    EXPECT_EQ(REF_ResolvePrv(tsId), nullptr);
    EXPECT_EQ(REF_ResolveTs(REF_NONE), nullptr);
    EXPECT_EQ(REF_Find(RefKind::Prv, &prv), prvId);
    EXPECT_EQ(REF_Register(RefKind::Ts, nullptr), REF_NONE);
    REF_Release(tsId);
    EXPECT_EQ(REF_ResolveTs(tsId), nullptr);
    REF_Clear();
    EXPECT_EQ(REF_ResolvePrv(prvId), nullptr);
    EXPECT_GT(REF_Register(RefKind::Ts, &ts), prvId);
}

} // namespace
