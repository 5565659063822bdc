// The provider table: names unique without regard to case, the bounds of a
// 20-byte name, capacity and positional reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "dballoc.h"
#include "dbtest.h"
#include "linkedlist.h"
#include "prvtable.h"
#include "ringcheck.h"
#include "tablecopy.h"

namespace {

class PrvTableTest : public DbTest {
  protected:
    static PrvInfo named(const char* name) {
        PrvInfo prv{};
        std::memcpy(prv.name, name, std::min(std::strlen(name), sizeof prv.name));
        return prv;
    }
    PrvInfo* add(const char* name, DBERR expected = DBERR_OK) {
        const PrvInfo prv = named(name);
        PrvInfo* out = nullptr;
        EXPECT_EQ(TBL_AddPrvInfo(&prv, &out), expected) << name;
        EXPECT_TRUE(ringcheck::IsSoundRing(g_PrvInfoList));
        return out;
    }
};

TEST_F(PrvTableTest, ANameThatDiffersOnlyInCaseIsNotAddedTwice) {
    PrvInfo* canal = add("Canal+");
    ASSERT_NE(canal, nullptr);
    const RefId canalRef = TBL_GetPrvRef(canal);
    EXPECT_EQ(REF_ResolvePrv(canalRef), canal);

    EXPECT_EQ(add("CANAL+"), nullptr); // 0 and no element
    EXPECT_EQ(TBL_GetPrvCount(), 1u);
    EXPECT_EQ(TBL_FindPrvByName("canal+"), 0);
    EXPECT_EQ(TBL_FindPrvByName("Canal"), DBERR_TABLE_NOT_FOUND);

    PrvInfo* stored = nullptr;
    RefId storedRef = REF_NONE;
    EXPECT_EQ(TBL_FindPrvInfoByName("cAnAl+", &stored, &storedRef), 0);
    EXPECT_EQ(stored, canal);
    EXPECT_EQ(storedRef, canalRef);
    EXPECT_EQ(TBL_FindPrvInfoByName("Sky", &stored, &storedRef), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(stored, nullptr);
    EXPECT_EQ(storedRef, REF_NONE);
}

TEST_F(PrvTableTest, NamesOfTwentyBytesAreTooLongToCompareAndStillAdded) {
    const char* twenty = "ABCDEFGHIJKLMNOPQRST";
    EXPECT_EQ(TBL_FindPrvByName(twenty), DBERR_NAME_TOO_LONG);
    EXPECT_EQ(TBL_FindPrvByName("ABCDEFGHIJKLMNOPQRS"), DBERR_TABLE_NOT_FOUND);
    PrvInfo* first = add(twenty); // fills the field: no terminator
    PrvInfo* second = add(twenty);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(TBL_GetPrvCount(), 2u);

    char name[PRV_NAME_BUFFER];
    std::memset(name, 'x', sizeof name);
    ASSERT_EQ(TBL_GetPrvName(1, name), 0);
    EXPECT_EQ(std::string(name), twenty);
    EXPECT_EQ(TBL_FindPrvByName(nullptr), DBERR_NULL_ARG);
}

TEST_F(PrvTableTest, TheFiveHundredthFitsAndTheNextIsRefused) {
    for (int i = 0; i < static_cast<int>(PRV_CAPACITY); ++i)
        ASSERT_NE(add(NumberedName("P", static_cast<unsigned>(i)).c_str()), nullptr) << i;
    EXPECT_EQ(add("One more", DBERR_TABLE_INDEX), nullptr);
    EXPECT_EQ(TBL_GetPrvCount(), PRV_CAPACITY);
    EXPECT_EQ(add("p42"), nullptr); // found: 0, nothing added
    EXPECT_EQ(LL_Count(g_PrvInfoList, nullptr, 0), PRV_CAPACITY);
}

TEST_F(PrvTableTest, NamesPositionsAndDeletes) {
    PrvInfo* a = add("Alpha");
    add("Beta");
    PrvInfo* c = add("Gamma");
    char name[PRV_NAME_BUFFER] = "junk";
    EXPECT_EQ(TBL_GetPrvName(3, name), DB_INDEX_NONE);
    EXPECT_EQ(std::string(name), ""); // emptied first
    EXPECT_EQ(TBL_GetPrvName(0, nullptr), DBERR_NULL_ARG);
    ASSERT_EQ(TBL_GetPrvName(2, name), 0);
    EXPECT_EQ(std::string(name), "Gamma");

    uint16_t pos = 0;
    EXPECT_EQ(TBL_GetPrvPos(c, &pos), 0);
    EXPECT_EQ(pos, 3);
    const RefId betaRef = TBL_GetPrvRef(static_cast<PrvInfo*>(g_PrvInfoList->next->data));
    const PrvInfo key = named("BETA");
    EXPECT_EQ(TBL_DeletePrvInfo(&key), 0);
    EXPECT_EQ(REF_ResolvePrv(betaRef), nullptr);
    EXPECT_EQ(TBL_GetPrvCount(), 2u);
    EXPECT_EQ(TBL_GetPrvPos(c, &pos), 0);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(TBL_DeletePrvInfo(&key), 0); // absent: still 0
    EXPECT_EQ(TBL_GetPrvPos(&key, &pos), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(pos, DB_INDEX_NONE);

    TBL_DeletePrvElement(a);
    TBL_DeletePrvElement(&key);
    EXPECT_EQ(TBL_GetPrvCount(), 1u);
    EXPECT_TRUE(ringcheck::IsSoundRing(g_PrvInfoList));
}

TEST_F(PrvTableTest, NoMemoryAndNullArguments) {
    const PrvInfo prv = named("Sky");
    PrvInfo* out = reinterpret_cast<PrvInfo*>(1);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(TBL_AddPrvInfo(&prv, &out), DBERR_NO_MEMORY_COPY);
    DB_SetAllocFailAfter(-1);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(TBL_AddPrvInfo(&prv, &out), DBERR_NO_MEMORY_COPY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(TBL_GetPrvCount(), 0u);
    EXPECT_EQ(g_PrvInfoList, nullptr);
    EXPECT_EQ(TBL_AddPrvInfo(&prv, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_AddPrvInfo(nullptr, &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(TBL_DeletePrvInfo(nullptr), 0);
}

} // namespace
