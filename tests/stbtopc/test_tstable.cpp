// The transport-stream table: de-duplication, capacity, reference ids,
// positions and the stored transponders of a satellite.
#include <gtest/gtest.h>

#include <vector>

#include "dballoc.h"
#include "dbtest.h"
#include "linkedlist.h"
#include "ringcheck.h"
#include "tablecopy.h"
#include "tablefixtures.h"
#include "tstable.h"

namespace {

using fixtures::MakeTs;
using fixtures::Tp;

class TsTableTest : public DbTest {
  protected:
    TsInfo* add(const TsInfo& ts, DBERR expected = DBERR_OK) {
        TsInfo* out = nullptr;
        EXPECT_EQ(TBL_AddTsInfo(&ts, &out), expected);
        EXPECT_TRUE(ringcheck::IsSoundRing(g_TsInfoList));
        return out;
    }
};

TEST_F(TsTableTest, AnEqualRecordGivesTheStoredElement) {
    const TsInfo ts = MakeTs(1, 2, Tp{});
    TsInfo* first = nullptr;
    RefId firstRef = REF_NONE;
    ASSERT_EQ(TBL_AddTsInfo(&ts, &first, &firstRef), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, &ts);
    EXPECT_EQ(REF_ResolveTs(firstRef), first);
    EXPECT_EQ(TBL_GetTsRef(first), firstRef);

    TsInfo again = ts;
    again.flags = 0; // not part of the equality
    TsInfo* second = nullptr;
    RefId secondRef = REF_NONE;
    ASSERT_EQ(TBL_AddTsInfo(&again, &second, &secondRef), 0);
    EXPECT_EQ(second, first);
    EXPECT_EQ(secondRef, firstRef);
    EXPECT_EQ(second->flags, ts.flags); // the stored element is not overwritten
    EXPECT_EQ(TBL_GetTsCount(), 1u);

    // The same transponder on another satellite is another record.
    TsInfo* other = add(MakeTs(1, 2, Tp{.satIndex = 7}));
    EXPECT_NE(other, first);
    EXPECT_EQ(TBL_GetTsCount(), 2u);
    EXPECT_EQ(LL_Count(g_TsInfoList, nullptr, 0), 2);
}

TEST_F(TsTableTest, TheThousandthFitsAndTheNextIsRefused) {
    for (uint16_t i = 0; i < TS_CAPACITY; ++i) {
        TsInfo* out = nullptr;
        const TsInfo ts = MakeTs(i, 0, Tp{});
        ASSERT_EQ(TBL_AddTsInfo(&ts, &out), 0) << i;
    }
    EXPECT_EQ(TBL_GetTsCount(), TS_CAPACITY);
    TsInfo* out = reinterpret_cast<TsInfo*>(1);
    const TsInfo extra = MakeTs(5000, 0, Tp{});
    EXPECT_EQ(TBL_AddTsInfo(&extra, &out), DBERR_TS_TABLE_FULL);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(TBL_GetTsCount(), TS_CAPACITY);
    EXPECT_EQ(LL_Count(g_TsInfoList, nullptr, 0), TS_CAPACITY);
    // A full table still answers with an equal stored element.
    const TsInfo stored = MakeTs(999, 0, Tp{});
    EXPECT_EQ(TBL_AddTsInfo(&stored, &out), 0);
    EXPECT_NE(out, nullptr);
}

TEST_F(TsTableTest, NoMemoryLeavesTheTableAsItWas) {
    add(MakeTs(1, 0, Tp{}));
    const TsInfo ts = MakeTs(2, 0, Tp{});
    TsInfo* out = nullptr;
    DB_SetAllocFailAfter(0); // the record copy
    EXPECT_EQ(TBL_AddTsInfo(&ts, &out), DBERR_NO_MEMORY_COPY);
    DB_SetAllocFailAfter(-1);
    DB_SetAllocFailAfter(0); // the list node
    EXPECT_EQ(TBL_AddTsInfo(&ts, &out), DBERR_NO_MEMORY_COPY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(TBL_GetTsCount(), 1u);
    EXPECT_TRUE(ringcheck::IsSoundRing(g_TsInfoList));
    EXPECT_EQ(LL_Count(g_TsInfoList, nullptr, 0), 1);
}

TEST_F(TsTableTest, DeleteReleasesTheReferenceAndPositionsCountFromOne) {
    TsInfo* a = add(MakeTs(1, 0, Tp{}));
    TsInfo* b = add(MakeTs(2, 0, Tp{}));
    TsInfo* c = add(MakeTs(3, 0, Tp{}));
    const RefId refB = TBL_GetTsRef(b);
    uint16_t pos = 0;
    EXPECT_EQ(TBL_GetTsPos(c, &pos), 0);
    EXPECT_EQ(pos, 3);

    const TsInfo key = MakeTs(2, 0, Tp{}); // an equal record, not the element
    EXPECT_EQ(TBL_DeleteTsInfo(&key), 0);
    EXPECT_EQ(REF_ResolveTs(refB), nullptr);
    EXPECT_EQ(TBL_GetTsCount(), 2u);
    EXPECT_EQ(TBL_GetTsPos(c, &pos), 0);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(TBL_DeleteTsInfo(&key), 0); // absent: still 0
    EXPECT_EQ(TBL_GetTsCount(), 2u);

    const TsInfo outsider = MakeTs(1, 0, Tp{});
    EXPECT_EQ(TBL_GetTsPos(&outsider, &pos), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(pos, DB_INDEX_NONE);
    EXPECT_EQ(TBL_GetTsPos(nullptr, &pos), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(TBL_GetTsPos(a, nullptr), DBERR_NULL_ARG);
    uint32_t flag = 7;
    EXPECT_EQ(TBL_IsTsInfoInList(a, &flag), 0);
    EXPECT_EQ(flag, 1u);
    EXPECT_EQ(TBL_IsTsInfoInList(&outsider, &flag), DBERR_NOT_FOUND);
    EXPECT_EQ(flag, 0u);
    EXPECT_EQ(TBL_GetTsRef(&outsider), REF_NONE);

    TBL_DeleteTsElement(a);
    TBL_DeleteTsElement(&outsider); // not an element: nothing
    EXPECT_EQ(TBL_GetTsCount(), 1u);
    EXPECT_TRUE(ringcheck::IsSoundRing(g_TsInfoList));
    TBL_DeleteTsElement(c);
    EXPECT_EQ(g_TsInfoList, nullptr);
    EXPECT_EQ(TBL_GetTsCount(), 0u);
}

TEST_F(TsTableTest, ArrayAndTrailingWordLookups) {
    TsInfo tagged = MakeTs(2, 0, Tp{});
    tagged.reserved28[0] = 0x78;
    tagged.reserved28[3] = 0x12;
    TsInfo* a = add(MakeTs(1, 0, Tp{}));
    TsInfo* b = add(tagged);
    TsInfo* array[4] = {nullptr, nullptr, reinterpret_cast<TsInfo*>(1), nullptr};
    ASSERT_EQ(TBL_GetTsInfoArray(4, array), 0);
    EXPECT_EQ(array[0], a);
    EXPECT_EQ(array[1], b);
    EXPECT_EQ(array[2], nullptr);
    EXPECT_EQ(TBL_GetTsInfoArray(1, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_GetTsInfoList(), g_TsInfoList);

    uint8_t kind = 0;
    uint16_t pos = 0;
    EXPECT_EQ(TBL_FindTsByTrailingWord(0x12000078u, &kind, &pos), 0);
    EXPECT_EQ(kind, KIND_TS);
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(TBL_FindTsByTrailingWord(0x1u, &kind, &pos), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(pos, DB_INDEX_NONE);
}

TEST_F(TsTableTest, SavedTranspondersOfASatelliteInListOrder) {
    add(MakeTs(1, 0, Tp{.frequencyMhz = 12100, .satIndex = 2}));
    add(MakeTs(2, 0, Tp{.satIndex = 5}));
    add(MakeTs(3, 0,
               Tp{.frequencyMhz = 10700,
                  .symbolRate = 22000,
                  .polarisation = POL_VERTICAL,
                  .fec = 7,
                  .modulation = 2,
                  .pilot = 1,
                  .satIndex = 2,
                  .rowField = 0x42}));
    add(MakeTs(4, 0, Tp{.frequencyMhz = 11500, .pilot = 2, .satIndex = 2}));

    TpNode* first = nullptr;
    uint32_t count = 0;
    ASSERT_EQ(TBL_GetSavedTpsOfSat(2, &first, &count), 0);
    ASSERT_EQ(count, 3u);
    std::vector<const TpNode*> nodes;
    for (const TpNode* n = first; n != nullptr; n = n->next)
        nodes.push_back(n);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0]->row.frequency, 12100u);
    const DefaultTpRow& row = nodes[1]->row;
    EXPECT_EQ(row.frequency, 10700u);
    EXPECT_EQ(row.symbolRate, 22000u);
    EXPECT_EQ(row.rowField, 0x42);
    EXPECT_EQ(row.polarisation, POL_VERTICAL);
    EXPECT_EQ(row.fec, 7);
    EXPECT_EQ(row.modulation, 2);
    EXPECT_EQ(row.pilot, 1);
    EXPECT_EQ(nodes[2]->row.pilot, 0); // a stored pilot above 1 reads as 0
    TBL_FreeTpNodes(first);

    first = reinterpret_cast<TpNode*>(1);
    EXPECT_EQ(TBL_GetSavedTpsOfSat(9, &first, &count), DBERR_NO_TP);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(TBL_GetSavedTpsOfSat(0x102, &first, &count), DBERR_NO_TP);
    EXPECT_EQ(TBL_GetSavedTpsOfSat(2, nullptr, &count), DBERR_NULL_ARG);

    // Memory running out ends the walk with what was made.
    DB_SetAllocFailAfter(1);
    EXPECT_EQ(TBL_GetSavedTpsOfSat(2, &first, &count), DBERR_TABLE_NOT_FOUND);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->next, nullptr);
    EXPECT_EQ(count, 1u);
    TBL_FreeTpNodes(first);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(TBL_GetSavedTpsOfSat(2, &first, &count), DBERR_NO_TP);
    EXPECT_EQ(first, nullptr);
}

TEST_F(TsTableTest, NullArguments) {
    const TsInfo ts = MakeTs(1, 0, Tp{});
    TsInfo* out = reinterpret_cast<TsInfo*>(1);
    EXPECT_EQ(TBL_AddTsInfo(&ts, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_AddTsInfo(nullptr, &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(TBL_DeleteTsInfo(nullptr), 0);
    EXPECT_EQ(TBL_GetTsCount(), 0u);
}

} // namespace
