// The transponder edit list, checked through the stored TpInfo records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dballoc.h"
#include "dberr.h"
#include "dbtest.h"
#include "satnet.h"
#include "filters.h"
#include "tablecopy.h"
#include "tables.h"
#include "tablefixtures.h"
#include "tpeditlist.h"
#include "tptable.h"
#include "tstable.h"

namespace {

using fixtures::Tp;

// Region 0: slot 2 is satellite 22 with the default rows 10714 H and
// 10729 V (22000 kS/s, FEC 1); slots 0 and 3 (satellites 55 and 23) have no
// defaults.
constexpr uint8_t kSlotWithDefaults = 2;
constexpr uint8_t kSlotA = 0;
constexpr uint8_t kSlotB = 3;

Tp MakeTp(uint32_t frequency, uint8_t polarisation = POL_HORIZONTAL, uint16_t symbolRate = 22000,
          uint8_t fec = 1) {
    Tp tp;
    tp.frequencyMhz = frequency;
    tp.symbolRate = symbolRate;
    tp.polarisation = polarisation;
    tp.fec = fec;
    return tp;
}

TpRow Row(uint32_t frequency, uint8_t polarisation = POL_HORIZONTAL, uint32_t state = 1) {
    return fixtures::MakeRow(MakeTp(frequency, polarisation), state);
}

// A row as the tests compare it: frequency, polarisation and state.
struct Brief {
    uint32_t frequency;
    uint8_t polarisation;
    uint32_t state;
    bool operator==(const Brief&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Brief& b) {
    return out << b.frequency << (b.polarisation == POL_VERTICAL ? "V" : "H") << "/" << b.state;
}
Brief BriefOf(const TpRow& row) {
    return Brief{row.frequency, row.polarisation, row.state};
}

std::vector<Brief> EditRows() {
    std::vector<Brief> rows;
    uint16_t count = 0;
    EXPECT_EQ(INT_SLM_GetNumTps(&count), DBERR_OK);
    for (uint16_t i = 0; i < count; ++i) {
        TpRow row{};
        EXPECT_EQ(INT_SLM_GetNthTp(i, &row), DBERR_OK);
        EXPECT_EQ(row.zero16, 0u);
        rows.push_back(BriefOf(row));
    }
    return rows;
}

std::vector<Brief> ListRows(LL_Node* head) {
    std::vector<Brief> rows;
    for (LL_Node* node = head; node != nullptr;) {
        rows.push_back(BriefOf(*static_cast<const TpRow*>(node->data)));
        node = node->next;
        if (node == head) break;
    }
    return rows;
}

// The stored transponders of a slot as (frequency, polarisation), in table
// order; the state of a stored record is always 1.
std::vector<Brief> StoredTps(uint8_t slot) {
    std::vector<Brief> tps;
    TpInfo tp{};
    for (uint32_t n = 0; TBL_GetNthTpInfo(n, &tp) == DBERR_OK; ++n)
        if (tp.satIndex == slot) tps.push_back(Brief{tp.frequency, tp.polarisation, 1});
    return tps;
}

class TpEditListTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);
    }

    static void Store(uint8_t slot, uint32_t frequency, uint8_t polarisation = POL_HORIZONTAL) {
        Tp tp = MakeTp(frequency, polarisation);
        tp.satIndex = slot;
        const TpInfo record = fixtures::MakeTp(tp);
        TpInfo* stored = nullptr;
        ASSERT_EQ(TBL_AddTpInfo(&record, &stored), DBERR_OK);
    }

    void AddTs(uint8_t slot, uint32_t frequency, uint8_t polarisation = POL_HORIZONTAL) {
        Tp tp = MakeTp(frequency, polarisation);
        tp.satIndex = slot;
        const TsInfo ts = fixtures::MakeTs(++nextTsId_, 1, tp);
        TsInfo* stored = nullptr;
        ASSERT_EQ(TBL_AddTsInfo(&ts, &stored), DBERR_OK);
    }

    static uint16_t Load(uint8_t slot, uint8_t useDefaults = 0) {
        uint16_t count = 0xEEEE;
        uint16_t constant = 0;
        EXPECT_EQ(INT_SLM_LoadSatTpList(slot, useDefaults, &count, &constant), DBERR_OK);
        EXPECT_EQ(constant, TP_EDIT_LOAD_CONSTANT);
        return count;
    }

    // Fills the transponder table up to `total` records with transponders of
    // slot 5, 10 MHz apart so that none is the same as another.
    static void FillTableTo(uint32_t total) {
        for (uint32_t n = TBL_GetTpCount(); n < total; ++n)
            Store(5, 3000 + 10 * n);
        ASSERT_EQ(TBL_GetTpCount(), total);
    }

  private:
    uint16_t nextTsId_ = 0;
};

struct LoadCase {
    const char* what;
    std::vector<std::pair<uint8_t, uint32_t>> stored; // (slot, frequency), horizontal
    std::vector<std::pair<uint8_t, uint32_t>> streams;
    uint8_t slot;
    uint8_t useDefaults;
    std::vector<Brief> edit;
    std::vector<Brief> removed;
};

TEST_F(TpEditListTest, LoadTakesTheStoredRowsOrTheDefaults) {
    const Brief d10714{10714, POL_HORIZONTAL, 0};
    const Brief d10729{10729, POL_VERTICAL, 0};
    const LoadCase cases[] = {
        {"nothing stored: the defaults", {}, {}, kSlotWithDefaults, 0, {d10714, d10729}, {}},
        {"stored rows win; one equals a default",
         {{kSlotWithDefaults, 11000}, {kSlotWithDefaults, 10714}, {kSlotB, 12000}},
         {},
         kSlotWithDefaults,
         0,
         {d10714, {11000, POL_HORIZONTAL, 1}},
         {}},
        {"useDefaults removes the stored rows that are no default",
         {{kSlotWithDefaults, 11000}, {kSlotWithDefaults, 10714}},
         {},
         kSlotWithDefaults,
         1,
         {d10714, d10729},
         {{11000, POL_HORIZONTAL, 1}}},
        {"no defaults: the stored rows in order",
         {{kSlotA, 12000}, {kSlotA, 11500}},
         {},
         kSlotA,
         0,
         {{11500, POL_HORIZONTAL, 1}, {12000, POL_HORIZONTAL, 1}},
         {}},
        {"neither: an empty list", {}, {}, kSlotA, 0, {}, {}},
        {"a transport stream 2 MHz off a default replaces it",
         {},
         {{kSlotWithDefaults, 10716}},
         kSlotWithDefaults,
         0,
         {{10716, POL_HORIZONTAL, 1}, d10729},
         {}},
        {"a transport stream off every default joins the defaults",
         {},
         {{kSlotWithDefaults, 12000}},
         kSlotWithDefaults,
         0,
         {d10714, d10729, {12000, POL_HORIZONTAL, 1}},
         {}},
        {"a stored row near a transport stream takes its values",
         {{kSlotA, 11002}},
         {{kSlotA, 11000}},
         kSlotA,
         0,
         {{11000, POL_HORIZONTAL, 0}}, // equal to the merged default row
         {}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        DB_ResetAllState();
        ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);
        for (const auto& [slot, frequency] : c.stored)
            Store(slot, frequency);
        for (const auto& [slot, frequency] : c.streams)
            AddTs(slot, frequency);
        EXPECT_EQ(Load(c.slot, c.useDefaults), c.edit.size());
        EXPECT_EQ(EditRows(), c.edit);
        EXPECT_EQ(ListRows(g_RemovedTpList), c.removed);
        uint8_t owner = 0xEE;
        EXPECT_TRUE(INT_SLM_GetTpEditSatellite(&owner));
        EXPECT_EQ(owner, c.slot);
    }
}

TEST_F(TpEditListTest, DefaultAndStoredRowListsOnTheirOwn) {
    uint16_t count = 7;
    LL_Node* list = nullptr;
    EXPECT_EQ(INT_SLM_GetDefaultTps(kSlotA, &count, &list), DBERR_BAD_LIST);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(INT_SLM_GetDefaultTps(53, &count, &list), DBERR_BAD_LIST); // a user slot

    ASSERT_EQ(INT_SLM_GetDefaultTps(kSlotWithDefaults, &count, &list), DBERR_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(ListRows(list),
              (std::vector<Brief>{{10714, POL_HORIZONTAL, 0}, {10729, POL_VERTICAL, 0}}));
    LL_FreeAll(list, INT_SLM_FreeTpRow);

    Store(kSlotA, 12000);
    Store(kSlotB, 11000);
    Store(kSlotA, 11000, POL_VERTICAL);
    ASSERT_EQ(INT_SLM_GetUserTps(kSlotA, &count, &list), DBERR_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(ListRows(list),
              (std::vector<Brief>{{11000, POL_VERTICAL, 1}, {12000, POL_HORIZONTAL, 1}}));
    LL_FreeAll(list, INT_SLM_FreeTpRow);

    EXPECT_EQ(INT_SLM_GetDefaultTps(kSlotA, nullptr, &list), DBERR_NULL_ARG);
    EXPECT_EQ(INT_SLM_GetUserTps(kSlotA, &count, nullptr), DBERR_NULL_ARG);
}

TEST_F(TpEditListTest, AddingASimilarRowHandsBackTheExistingOne) {
    const uint16_t count = Load(kSlotWithDefaults);
    ASSERT_EQ(count, 2);

    TpRow near = Row(10716);
    near.state = 7;
    EXPECT_EQ(INT_SLM_AddTp(&near, &count), DBERR_EXISTS);
    EXPECT_EQ(near.frequency, 10714u); // the existing row's 20 bytes
    EXPECT_EQ(near.polarisation, POL_HORIZONTAL);
    EXPECT_EQ(near.state, 7u); // the caller's state is not part of the copy

    // New rows go at the end, unsorted, with state 1.
    TpRow high = Row(11000);
    high.state = 0;
    TpRow low = Row(10500);
    EXPECT_EQ(INT_SLM_AddTp(&high, &count), DBERR_OK);
    EXPECT_EQ(INT_SLM_AddTp(&low, &count), DBERR_OK);
    EXPECT_EQ(EditRows(), (std::vector<Brief>{{10714, POL_HORIZONTAL, 0},
                                              {10729, POL_VERTICAL, 0},
                                              {11000, POL_HORIZONTAL, 1},
                                              {10500, POL_HORIZONTAL, 1}}));

    const uint16_t zero = 0;
    EXPECT_EQ(INT_SLM_AddTp(&low, &zero), DBERR_ZERO_COUNT);
    EXPECT_EQ(INT_SLM_AddTp(nullptr, &count), DBERR_NULL_OBJECT);
    EXPECT_EQ(INT_SLM_AddTp(&low, nullptr), DBERR_NULL_OBJECT);

    // The commit stores every row, the defaults included.
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotWithDefaults), DBERR_OK);
    EXPECT_EQ(StoredTps(kSlotWithDefaults), (std::vector<Brief>{{10714, POL_HORIZONTAL, 1},
                                                                {10729, POL_VERTICAL, 1},
                                                                {11000, POL_HORIZONTAL, 1},
                                                                {10500, POL_HORIZONTAL, 1}}));
}

TEST_F(TpEditListTest, UpdateDeleteAndCommitReachTheStoredRecords) {
    Store(kSlotA, 11000);
    Store(kSlotA, 11500);
    Store(kSlotA, 12000);
    Store(kSlotB, 12000); // the same transponder on another satellite
    const uint16_t count = Load(kSlotA);
    ASSERT_EQ(count, 3);

    const TpRow moved = Row(11600);
    EXPECT_EQ(INT_SLM_UpdateTp(1, &moved, &count), DBERR_OK);
    const TpRow existing = Row(12000);
    EXPECT_EQ(INT_SLM_UpdateTp(0, &existing, &count), DBERR_EXISTS);
    EXPECT_EQ(INT_SLM_UpdateTp(3, &moved, &count), DBERR_BAD_LIST); // no wrap to row 0
    EXPECT_EQ(INT_SLM_UpdateTp(0, nullptr, &count), DBERR_NULL_OBJECT);

    EXPECT_EQ(INT_SLM_DeleteTp(&existing, &count), DBERR_OK);
    const TpRow absent = Row(13000);
    EXPECT_EQ(INT_SLM_DeleteTp(&absent, &count), DBERR_BAD_LIST);
    const TpRow similarOnly = Row(11002); // the delete wants the exact row
    EXPECT_EQ(INT_SLM_DeleteTp(&similarOnly, &count), DBERR_BAD_LIST);
    EXPECT_EQ(INT_SLM_DeleteTp(nullptr, &count), DBERR_NULL_OBJECT);

    EXPECT_EQ(EditRows(),
              (std::vector<Brief>{{11000, POL_HORIZONTAL, 1}, {11600, POL_HORIZONTAL, 1}}));
    EXPECT_EQ(ListRows(g_RemovedTpList),
              (std::vector<Brief>{{11500, POL_HORIZONTAL, 1}, {12000, POL_HORIZONTAL, 1}}));
    EXPECT_EQ(StoredTps(kSlotA).size(), 3u); // nothing stored changes before the commit

    EXPECT_EQ(INT_SLM_CommitTpList(kSlotA), DBERR_OK);
    EXPECT_EQ(StoredTps(kSlotA),
              (std::vector<Brief>{{11000, POL_HORIZONTAL, 1}, {11600, POL_HORIZONTAL, 1}}));
    EXPECT_EQ(StoredTps(kSlotB), (std::vector<Brief>{{12000, POL_HORIZONTAL, 1}}));
    EXPECT_EQ(g_RemovedTpList, nullptr);
    EXPECT_EQ(EditRows().size(), 2u); // the edit list stays

    // A second load reads back what was committed.
    EXPECT_EQ(Load(kSlotA), 2);
    EXPECT_EQ(EditRows(),
              (std::vector<Brief>{{11000, POL_HORIZONTAL, 1}, {11600, POL_HORIZONTAL, 1}}));
}

TEST_F(TpEditListTest, ReadsByPositionAndIndexBySimilarity) {
    TpRow row{};
    EXPECT_EQ(INT_SLM_GetNthTp(0, &row), DBERR_BAD_LIST); // nothing loaded
    EXPECT_EQ(INT_SLM_GetNthTp(0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(INT_SLM_GetNumTps(nullptr), DBERR_NULL_ARG);

    ASSERT_EQ(Load(kSlotWithDefaults), 2);
    ASSERT_EQ(INT_SLM_GetNthTp(1, &row), DBERR_OK);
    EXPECT_EQ(BriefOf(row), (Brief{10729, POL_VERTICAL, 0}));
    EXPECT_EQ(row.symbolRate, 22000u);
    EXPECT_EQ(row.fec, 1);
    // Past the last row the ring walk comes back to the first one, which the
    // satellite delete relies on while it removes rows.
    ASSERT_EQ(INT_SLM_GetNthTp(2, &row), DBERR_OK);
    EXPECT_EQ(row.frequency, 10714u);

    uint16_t index = 0;
    const TpRow near10714 = Row(10716);
    const TpRow v10729 = Row(10729, POL_VERTICAL);
    const TpRow other = Row(12000);
    EXPECT_EQ(INT_SLM_GetTpIndex(&near10714, 0, &index), DBERR_OK);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(INT_SLM_GetTpIndex(&v10729, 0, &index), DBERR_OK);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(INT_SLM_GetTpIndex(&other, 0, &index), DBERR_OK);
    EXPECT_EQ(index, DB_INDEX_NONE);
    EXPECT_EQ(INT_SLM_GetTpIndex(nullptr, 0, &index), DBERR_NULL_OBJECT);
    EXPECT_EQ(INT_SLM_GetTpIndex(&other, 0, nullptr), DBERR_NULL_OBJECT);
}

TEST_F(TpEditListTest, CommitReportsATransponderTheFullTableRefuses) {
    FillTableTo(TP_CAPACITY - 1);
    Store(kSlotA, 12000);
    ASSERT_EQ(TBL_GetTpCount(), TP_CAPACITY);
    const uint16_t count = Load(kSlotA);
    ASSERT_EQ(count, 1);

    // Already stored: the full table is no error.
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotA), DBERR_OK);

    // Two new rows: neither fits, and the commit says so.
    TpRow a = Row(11000);
    TpRow b = Row(11500);
    ASSERT_EQ(INT_SLM_AddTp(&a, &count), DBERR_OK);
    ASSERT_EQ(INT_SLM_AddTp(&b, &count), DBERR_OK);
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotA), DBERR_TABLE_INDEX);
    EXPECT_EQ(StoredTps(kSlotA), (std::vector<Brief>{{12000, POL_HORIZONTAL, 1}}));
    EXPECT_EQ(EditRows().size(), 3u); // the rows are still there to try again

    // Room for one: the first new row is stored, the second is refused, and
    // the refusal is reported although the rows before it went in.
    const TpRow fromTable = Row(3000); // a slot-5 transponder, deleted to make room
    ASSERT_EQ(TBL_DeleteTpInfo(5, fromTable.frequency, fromTable.symbolRate, 0,
                               fromTable.polarisation, fromTable.fec, 0, 0),
              DBERR_OK);
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotA), DBERR_TABLE_INDEX);
    EXPECT_EQ(StoredTps(kSlotA),
              (std::vector<Brief>{{12000, POL_HORIZONTAL, 1}, {11000, POL_HORIZONTAL, 1}}));
    EXPECT_EQ(TBL_GetTpCount(), TP_CAPACITY);
}

TEST_F(TpEditListTest, CommitReportsARefusalThatALaterRowDoesNotHide) {
    // The satellite's defaults are 10714 and 10729; 10729 is stored already.
    Store(kSlotWithDefaults, 10729, POL_VERTICAL);
    FillTableTo(TP_CAPACITY);
    uint16_t count = 0;
    uint16_t constant = 0;
    ASSERT_EQ(INT_SLM_LoadSatTpList(kSlotWithDefaults, 1, &count, &constant), DBERR_OK);
    ASSERT_EQ(EditRows(),
              (std::vector<Brief>{{10714, POL_HORIZONTAL, 0}, {10729, POL_VERTICAL, 0}}));

    // 10714 is refused; 10729 after it is found stored. The user's list
    // shows both, so the commit must not pass for a success.
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotWithDefaults), DBERR_TABLE_INDEX);
    EXPECT_EQ(StoredTps(kSlotWithDefaults), (std::vector<Brief>{{10729, POL_VERTICAL, 1}}));
}

TEST_F(TpEditListTest, ALoadDropsTheRemovedRowsOfTheEditBefore) {
    // The same transponder stored on two satellites.
    Store(kSlotA, 11000);
    Store(kSlotB, 11000);
    const uint16_t countA = Load(kSlotA);
    const TpRow row = Row(11000);
    ASSERT_EQ(INT_SLM_DeleteTp(&row, &countA), DBERR_OK);
    ASSERT_EQ(ListRows(g_RemovedTpList).size(), 1u);

    // The user leaves satellite A without committing and edits B.
    Load(kSlotB);
    EXPECT_EQ(g_RemovedTpList, nullptr);
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotB), DBERR_OK);
    EXPECT_EQ(StoredTps(kSlotB), (std::vector<Brief>{{11000, POL_HORIZONTAL, 1}}));
    EXPECT_EQ(StoredTps(kSlotA), (std::vector<Brief>{{11000, POL_HORIZONTAL, 1}}));

    // A commit for a satellite the edit list does not belong to is refused.
    const uint16_t countB = 1;
    ASSERT_EQ(INT_SLM_DeleteTp(&row, &countB), DBERR_OK);
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotA), DBERR_EDIT_SESSION);
    EXPECT_EQ(ListRows(g_RemovedTpList).size(), 1u);
    EXPECT_EQ(StoredTps(kSlotA).size(), 1u);
    EXPECT_EQ(StoredTps(kSlotB).size(), 1u);

    // After the lists are freed no commit has an edit list to write.
    INT_SLM_FreeTpList();
    EXPECT_EQ(g_TpEditList, nullptr);
    EXPECT_EQ(g_RemovedTpList, nullptr);
    EXPECT_FALSE(INT_SLM_GetTpEditSatellite(nullptr));
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotB), DBERR_EDIT_SESSION);
    EXPECT_EQ(StoredTps(kSlotB).size(), 1u);

    // Emptying the tables (New, Load) frees the edit lists too.
    Load(kSlotB);
    ASSERT_EQ(INT_SLM_DeleteTp(&row, &countB), DBERR_OK);
    TBL_FreeAll();
    EXPECT_EQ(g_TpEditList, nullptr);
    EXPECT_EQ(g_RemovedTpList, nullptr);
    EXPECT_FALSE(INT_SLM_GetTpEditSatellite(nullptr));
}

TEST_F(TpEditListTest, CountsLeaveTheEditListAlone) {
    Store(kSlotA, 11000);
    Store(kSlotA, 11500);
    Store(kSlotWithDefaults, 11000);
    uint16_t count = Load(kSlotA);
    const TpRow row = Row(11500);
    ASSERT_EQ(INT_SLM_DeleteTp(&row, &count), DBERR_OK);
    LL_Node* const edit = g_TpEditList;
    LL_Node* const removed = g_RemovedTpList;
    const std::vector<Brief> editRows = EditRows();
    const std::vector<Brief> removedRows = ListRows(g_RemovedTpList);

    struct CountCase {
        uint8_t slot;
        uint16_t count;
    };
    const CountCase cases[] = {
        {kSlotA, 2},            // the stored count, not the edited list's
        {kSlotWithDefaults, 1}, // stored transponders hide the defaults
        {kSlotB, 0},
        {1, 2}, // satellite 20: its two defaults
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << int{c.slot});
        count = 0xEEEE;
        EXPECT_EQ(INT_SLM_GetTpCounts(c.slot, &count), DBERR_OK);
        EXPECT_EQ(count, c.count);
    }
    EXPECT_EQ(INT_SLM_GetTpCounts(kSlotA, nullptr), DBERR_NULL_ARG);

    EXPECT_EQ(g_TpEditList, edit);
    EXPECT_EQ(g_RemovedTpList, removed);
    EXPECT_EQ(EditRows(), editRows);
    EXPECT_EQ(ListRows(g_RemovedTpList), removedRows);
    uint8_t owner = 0xEE;
    ASSERT_TRUE(INT_SLM_GetTpEditSatellite(&owner));
    EXPECT_EQ(owner, kSlotA);
    EXPECT_EQ(INT_SLM_CommitTpList(kSlotA), DBERR_OK);
    EXPECT_EQ(StoredTps(kSlotA), (std::vector<Brief>{{11000, POL_HORIZONTAL, 1}}));
}

TEST_F(TpEditListTest, NoMemoryKeepsWhatWasBuiltAndChangesNothingElse) {
    // The load installs the rows it could make and reports the shortage: the
    // first row's copy and node are had, the second row's copy is not.
    DB_SetAllocFailAfter(2);
    uint16_t count = 0;
    uint16_t constant = 0;
    EXPECT_EQ(INT_SLM_LoadSatTpList(kSlotWithDefaults, 0, &count, &constant), DBERR_NO_MEMORY);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(EditRows(), (std::vector<Brief>{{10714, POL_HORIZONTAL, 0}}));

    // Add and update fail whole.
    DB_SetAllocFailAfter(0);
    TpRow row = Row(12000);
    EXPECT_EQ(INT_SLM_AddTp(&row, &count), DBERR_NO_MEMORY);
    EXPECT_EQ(INT_SLM_UpdateTp(0, &row, &count), DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(EditRows(), (std::vector<Brief>{{10714, POL_HORIZONTAL, 0}}));
    EXPECT_EQ(g_RemovedTpList, nullptr);

    // A delete whose removed-list node cannot be had keeps the row.
    const TpRow existing = Row(10714);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(INT_SLM_DeleteTp(&existing, &count), DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(EditRows().size(), 1u);
    EXPECT_EQ(g_RemovedTpList, nullptr);
}

} // namespace
