// The public transponder operations on the edit list, checked through the
// rows they hand out and the stored transponders a commit leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "dballoc.h"
#include "tptable.h"
#include "test_slmfixture.h"

namespace {

class SlmTpTest : public SlmTest {
  protected:
    // Loads the edit list of slot 0 (no factory rows in region 0) with the
    // given rows committed as its stored transponders.
    static uint16_t LoadWithRows(const std::vector<TpRow>& rows) {
        uint16_t count = 0, constant = 0;
        EXPECT_EQ(SLM_LoadSatTpList(0, 0, &count, &constant), DBERR_OK);
        const uint16_t one = 1;
        for (TpRow row : rows)
            EXPECT_EQ(SLM_AddTp(&row, &one), DBERR_OK);
        EXPECT_EQ(SLM_CommitTpList(0), DBERR_OK);
        EXPECT_EQ(SLM_LoadSatTpList(0, 0, &count, &constant), DBERR_OK);
        EXPECT_EQ(constant, 10u);
        return count;
    }

    // The transport stream a service's record refers to.
    static const TsInfo* TsOf(SvcHandle handle) { return REF_ResolveTs(Record(handle).tsRef); }

    static std::vector<uint32_t> StoredFrequencies() {
        std::vector<uint32_t> frequencies;
        TpInfo tpInfo{};
        for (uint32_t n = 0; TBL_GetNthTpInfo(n, &tpInfo) == DBERR_OK; ++n)
            frequencies.push_back(tpInfo.frequency);
        return frequencies;
    }
};

TEST_F(SlmTpTest, RowToKeyCarriesTheFieldsAndZeroesEverythingElse) {
    TpRow row;
    std::memset(&row, 0xA5, sizeof row);
    row.frequency = 11778;
    row.symbolRate = 0x12345; // only the low 16 bits fit the key
    row.rowField = 0x0203;
    row.polarisation = POL_VERTICAL;
    row.fec = 5;
    row.modulation = 2;
    row.pilot = 1;
    const TpInfo key = SLM_TpRowToKey(row, 7);

    TpInfo expected{};
    expected.frequency = 11778;
    expected.symbolRate = 0x2345;
    expected.modulation = 2;
    expected.polarisation = POL_VERTICAL;
    expected.fec = 5;
    expected.satIndex = 7;
    expected.rowField = 0x03;
    expected.pilot = 1;
    EXPECT_EQ(std::memcmp(&key, &expected, sizeof key), 0);
}

TEST_F(SlmTpTest, AddWithinToleranceHandsBackTheExistingRow) {
    TpRow existing = Row(11000);
    existing.fec = FEC_AUTO;
    ASSERT_EQ(LoadWithRows({existing}), 1u);

    TpRow near = Row(11003); // 3 MHz off at 27500 kS/s: the same transponder
    near.fec = 3;
    near.state = 0;
    const uint16_t count = 1;
    EXPECT_EQ(SLM_AddTp(&near, &count), DBERR_EXISTS);
    EXPECT_EQ(std::memcmp(&near, &existing, 20), 0);
    EXPECT_EQ(near.state, 0u);
    EXPECT_EQ(count, 1u);

    TpRow far = Row(11010);
    EXPECT_EQ(SLM_AddTp(&far, &count), DBERR_OK);
    TpRow appended{};
    ASSERT_EQ(SLM_GetNthTp(1, &appended), DBERR_OK);
    EXPECT_EQ(appended.frequency, 11010u);
    EXPECT_EQ(appended.state, 1u);
}

TEST_F(SlmTpTest, OperationsCheckTheirArgumentsInOrder) {
    TpRow row = Row(11000);
    const uint16_t count = 1, zero = 0;
    uint16_t out = 0;
    struct Case {
        const char* what;
        SLM_RESULT result, expected;
    };
    const Case cases[] = {
        {"LoadSatTpList null count", SLM_LoadSatTpList(0, 0, nullptr, &out), DBERR_NULL_ARG},
        {"LoadSatTpList null constant", SLM_LoadSatTpList(0, 0, &out, nullptr), DBERR_NULL_ARG},
        {"GetNthTp null out", SLM_GetNthTp(0, nullptr), DBERR_NULL_ARG},
        {"AddTp null count first", SLM_AddTp(nullptr, nullptr), DBERR_NULL_ARG},
        {"AddTp null row", SLM_AddTp(nullptr, &count), DBERR_NULL_OBJECT},
        {"AddTp zero count", SLM_AddTp(&row, &zero), DBERR_ZERO_COUNT},
        {"UpdateTp null pointer first", SLM_UpdateTp(0, nullptr, nullptr), DBERR_NULL_ARG},
        {"UpdateTp null row", SLM_UpdateTp(0, nullptr, &count), DBERR_NULL_OBJECT},
        {"DeleteTpRow null count first", SLM_DeleteTpRow(nullptr, nullptr), DBERR_NULL_ARG},
        {"DeleteTpRow null row", SLM_DeleteTpRow(nullptr, &count), DBERR_NULL_OBJECT},
        {"GetTpIndex null out first", SLM_GetTpIndex(nullptr, nullptr), DBERR_NULL_ARG},
        {"GetTpIndex null row", SLM_GetTpIndex(nullptr, &out), DBERR_NULL_OBJECT},
        {"GetTpCounts null out", SLM_GetTpCounts(0, nullptr), DBERR_NULL_ARG},
        {"GetNthTp on an empty list", SLM_GetNthTp(0, &row), DBERR_BAD_LIST},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.result, c.expected);
    }
}

TEST_F(SlmTpTest, UpdateDeleteAndIndexReachTheStoredTransponders) {
    ASSERT_EQ(LoadWithRows({Row(10800), Row(11000), Row(11200)}), 3u);
    const uint16_t count = 3;

    uint16_t index = 0;
    const TpRow near11000 = Row(11001);
    EXPECT_EQ(SLM_GetTpIndex(&near11000, &index), DBERR_OK);
    EXPECT_EQ(index, 1u);
    const TpRow absent = Row(12500);
    EXPECT_EQ(SLM_GetTpIndex(&absent, &index), DBERR_OK);
    EXPECT_EQ(index, DB_INDEX_NONE);

    const TpRow moved = Row(11500);
    EXPECT_EQ(SLM_UpdateTp(1, &moved, &count), DBERR_OK);
    EXPECT_EQ(SLM_UpdateTp(5, &moved, &count), DBERR_BAD_LIST);
    EXPECT_EQ(SLM_UpdateTp(0, &moved, &count), DBERR_EXISTS) << "an exact copy of row 1";
    const TpRow first = Row(10800);
    EXPECT_EQ(SLM_DeleteTpRow(&first, &count), DBERR_OK);
    EXPECT_EQ(SLM_DeleteTpRow(&first, &count), DBERR_BAD_LIST);

    // Nothing reaches the stored transponders before the commit.
    EXPECT_EQ(StoredFrequencies(), (std::vector<uint32_t>{10800, 11000, 11200}));
    EXPECT_EQ(SLM_CommitTpList(0), DBERR_OK);
    std::vector<uint32_t> stored = StoredFrequencies();
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<uint32_t>{11200, 11500}));

    uint16_t counted = 0;
    EXPECT_EQ(SLM_GetTpCounts(0, &counted), DBERR_OK);
    EXPECT_EQ(counted, 2u);
    EXPECT_EQ(SLM_CommitTpList(1), DBERR_EDIT_SESSION) << "the edit list is slot 0's";
    EXPECT_EQ(SLM_FreeTpList(), DBERR_OK);
    TpRow row{};
    EXPECT_EQ(SLM_GetNthTp(0, &row), DBERR_BAD_LIST);
}

// Services follow their transponder: an updated row takes the transport
// streams that were on it along, so its channels show under the edited row.
TEST_F(SlmTpTest, ServicesFollowTheirTransponderWhenAnUpdateReplacesIt) {
    struct Case {
        const char* what;
        std::vector<TpRow> updates; // applied to row 1 in turn
        bool deleteAfter;           // the updated row deleted before the commit
        uint32_t servicesOn;        // the frequency the two services show under
    };
    TpRow vertical = Row(11000);
    vertical.polarisation = POL_VERTICAL;
    TpRow otherRate = Row(11000, 22000);
    const Case cases[] = {
        {"frequency", {Row(11500)}, false, 11500},
        {"polarisation only", {vertical}, false, 11000},
        {"symbol rate only", {otherRate}, false, 11000},
        {"two updates in a row", {Row(11500), Row(11700)}, false, 11700},
        {"updated then deleted", {Row(11500)}, true, 11000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DB_ResetAllState();
        ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
        ASSERT_EQ(LoadWithRows({Row(10800), Row(11000), Row(11200)}), 3u);
        const SvcHandle first = Add("ONE", Key(11000));
        const SvcHandle second = Add("TWO", Key(11000));
        const SvcHandle neighbour = Add("NEIGHBOUR", Key(11200));
        const SvcHandle elsewhere = Add("OTHER SAT", Key(11000, 1));
        const uint16_t count = 1;
        for (const TpRow& update : c.updates) {
            ASSERT_EQ(SLM_UpdateTp(1, &update, &count), DBERR_OK);
        }
        TpRow last{};
        ASSERT_EQ(SLM_GetNthTp(1, &last), DBERR_OK);
        if (c.deleteAfter) {
            ASSERT_EQ(SLM_DeleteTpRow(&last, &count), DBERR_OK);
        }
        ASSERT_EQ(SLM_CommitTpList(0), DBERR_OK);

        // The services are found under the row they now belong to ...
        TpRow shown = c.deleteAfter ? Row(11000) : last;
        const TpInfo key = SLM_TpRowToKey(shown, 0);
        SvcHandle found = SVC_HANDLE_INVALID;
        ASSERT_EQ(SLM_GetNthServiceHandleWithTpInfo(&key, 0, &found), DBERR_OK);
        EXPECT_EQ(found, first);
        ASSERT_EQ(SLM_GetNthServiceHandleWithTpInfo(&key, 1, &found), DBERR_OK);
        EXPECT_EQ(found, second);
        EXPECT_EQ(SLM_GetNthServiceHandleWithTpInfo(&key, 2, &found), DBERR_NOT_FOUND);
        // ... and their stream is stored with that row's tuning fields.
        const TsInfo* stream = TsOf(first);
        ASSERT_NE(stream, nullptr);
        const TpInfo expected = SLM_TpRowToKey(shown, 0);
        EXPECT_EQ(std::memcmp(&stream->tp, &expected, 12), 0);
        EXPECT_EQ(stream->tp.frequency, c.servicesOn);
        // Other transponders' services, and the same frequency on another
        // satellite, stay where they were.
        EXPECT_EQ(TsOf(neighbour)->tp.frequency, 11200u);
        EXPECT_EQ(TsOf(elsewhere)->tp.frequency, 11000u);
        EXPECT_EQ(TsOf(elsewhere)->tp.satIndex, 1u);
        EXPECT_EQ(TsOf(elsewhere)->tp.polarisation, POL_HORIZONTAL);
    }
}

// A stream that is exactly a row still in the list stays with that row, even
// when a replaced row was the same transponder within the tolerance; and a
// later commit with no update moves nothing.
TEST_F(SlmTpTest, AStreamOnAnotherRowOfTheSameTransponderStays) {
    ASSERT_EQ(LoadWithRows({Row(11000), Row(11200)}), 2u);
    const SvcHandle onFirst = Add("FIRST", Key(11000));
    const SvcHandle onNeighbour = Add("NEIGHBOUR", Key(11003));
    // An update may leave two rows that are the same transponder within the
    // tolerance (only exact copies are refused): 11000 and 11003.
    const uint16_t count = 1;
    const TpRow neighbour = Row(11003);
    ASSERT_EQ(SLM_UpdateTp(1, &neighbour, &count), DBERR_OK);
    ASSERT_EQ(SLM_CommitTpList(0), DBERR_OK);

    const TpRow moved = Row(11500);
    ASSERT_EQ(SLM_UpdateTp(0, &moved, &count), DBERR_OK);
    ASSERT_EQ(SLM_CommitTpList(0), DBERR_OK);
    EXPECT_EQ(TsOf(onFirst)->tp.frequency, 11500u);
    EXPECT_EQ(TsOf(onNeighbour)->tp.frequency, 11003u) << "it is exactly row 1";

    ASSERT_EQ(SLM_CommitTpList(0), DBERR_OK);
    EXPECT_EQ(TsOf(onFirst)->tp.frequency, 11500u) << "a commit without updates moves nothing";
    EXPECT_EQ(TsOf(onNeighbour)->tp.frequency, 11003u);
}

// An update that runs out of memory at any of its allocations changes
// nothing: no row, no removed row, and no stream moves at the next commit.
TEST_F(SlmTpTest, AnUpdateWithoutMemoryMovesNoStreams) {
    bool succeeded = false;
    for (uint32_t allowed = 0; allowed < 10 && !succeeded; ++allowed) {
        SCOPED_TRACE(allowed);
        DB_ResetAllState();
        ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
        ASSERT_EQ(LoadWithRows({Row(10800), Row(11000)}), 2u);
        const SvcHandle service = Add("ONE", Key(11000));
        const uint16_t count = 1;
        const TpRow moved = Row(11500);
        DB_FailOneAllocation(allowed);
        const SLM_RESULT result = SLM_UpdateTp(1, &moved, &count);
        DB_SetAllocFailAfter(-1);
        succeeded = result == DBERR_OK;
        if (!succeeded) {
            EXPECT_EQ(result, DBERR_NO_MEMORY);
            TpRow row{};
            ASSERT_EQ(SLM_GetNthTp(1, &row), DBERR_OK);
            EXPECT_EQ(row.frequency, 11000u);
        }
        ASSERT_EQ(SLM_CommitTpList(0), DBERR_OK);
        EXPECT_EQ(TsOf(service)->tp.frequency, succeeded ? 11500u : 11000u);
    }
    EXPECT_TRUE(succeeded);
}

} // namespace
