// TBL_FreeAll: every table and every list kept beside them is emptied, and a
// new fill after it starts clean.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "dbtest.h"
#include "filters.h"
#include "linkedlist.h"
#include "placeholder.h"
#include "svchandle.h"
#include "tableadds.h"
#include "tablefixtures.h"
#include "tables.h"

namespace {

using fixtures::AddPrv;
using fixtures::AddTs;
using fixtures::MakeTp;
using fixtures::MakeTs;
using fixtures::Tp;

// A module of its own kind: a list of handles kept beside the tables, freed
// through the hook the way the service lists and favourite lists are.
LL_Node* g_sideList = nullptr;
int g_hookCalls = 0;
bool g_tablesEmptyInHook = false;

void freeSideList() {
    ++g_hookCalls;
    g_tablesEmptyInHook = g_SvcInfoList == nullptr && g_TsInfoList == nullptr &&
                          g_PrvInfoList == nullptr && g_TpInfoList == nullptr;
    g_sideList = LL_FreeAll(g_sideList, INT_SLM_FreeServiceHandle);
}
TBL_FreeHook g_freeHook(freeSideList);

class TablesTest : public DbTest {
  protected:
    void TearDown() override {
        g_sideList = LL_FreeAll(g_sideList, INT_SLM_FreeServiceHandle);
        DbTest::TearDown();
    }

    struct Filled {
        std::vector<RefId> tsRefs, prvRefs;
        std::vector<SvcHandle> handles;
    };

    // A small database: transport streams, providers, transponders, services
    // with handles (one owning a name copy), satellites and favourites.
    static Filled fill(int services) {
        Filled filled;
        for (uint16_t i = 0; i < 3; ++i) {
            filled.tsRefs.push_back(AddTs(MakeTs(i, 0, Tp{.satIndex = static_cast<uint8_t>(i)})));
            const char name[] = {static_cast<char>('A' + i), '\0'};
            filled.prvRefs.push_back(AddPrv(name));
            const TpInfo tp = MakeTp(Tp{.frequencyMhz = 10000u + 20u * i});
            TpInfo* tpOut = nullptr;
            EXPECT_EQ(TBL_AddTpInfo(&tp, &tpOut), 0);
        }
        for (int i = 0; i < services; ++i) {
            SvcInfo svc{};
            svc.tsRef = filled.tsRefs[i % 3];
            svc.prvRef = filled.prvRefs[i % 3];
            SvcInfo* out = nullptr;
            EXPECT_EQ(TBL_AddSvcInfo(&svc, &out), 0);
            const SvcHandle handle = HT_Alloc();
            SvcHandleObj* obj = HT_Resolve(handle);
            obj->record = out;
            obj->name = out->name;
            if (i == 0) {
                obj->name = new uint8_t[3]{'N', 'o', 0};
                obj->numFlags |= SVH_OWNS_NAME;
            }
            g_sideList = LL_Close(LL_Append(g_sideList, INT_SLM_WordData(handle)));
            filled.handles.push_back(handle);
        }
        SatInfo sat{};
        sat.lnb = SAT_IN_USE | 9750000;
        EXPECT_EQ(SN_SetSatInfo(4, &sat), 0);
        const uint16_t entries[] = {1 << 3, 2 << 3};
        EXPECT_EQ(TBL_SetFavEntries(2, 2, entries), 0);
        EXPECT_EQ(TBL_SetFavName(2, reinterpret_cast<const uint8_t*>("Sport")), 0);
        return filled;
    }

    static void expectEmpty(const Filled& filled) {
        EXPECT_EQ(g_SvcInfoList, nullptr);
        EXPECT_EQ(g_TsInfoList, nullptr);
        EXPECT_EQ(g_PrvInfoList, nullptr);
        EXPECT_EQ(g_TpInfoList, nullptr);
        EXPECT_EQ(g_sideList, nullptr);
        EXPECT_EQ(TBL_GetSvcCount(), 0u);
        EXPECT_EQ(TBL_GetTsCount(), 0u);
        EXPECT_EQ(TBL_GetPrvCount(), 0u);
        EXPECT_EQ(TBL_GetTpCount(), 0u);
        for (RefId ref : filled.tsRefs)
            EXPECT_EQ(REF_ResolveTs(ref), nullptr);
        for (RefId ref : filled.prvRefs)
            EXPECT_EQ(REF_ResolvePrv(ref), nullptr);
        for (SvcHandle handle : filled.handles)
            EXPECT_EQ(HT_Resolve(handle), nullptr);
        EXPECT_EQ(SN_IsSatUsed(4), 0u);
        uint16_t count = 9;
        const uint16_t* entries = nullptr;
        EXPECT_EQ(TBL_GetFavEntries(2, &count, &entries), 0);
        EXPECT_EQ(count, 0);
        const uint8_t* name = nullptr;
        EXPECT_EQ(TBL_GetFavName(2, &name), 0);
        EXPECT_EQ(name[0], 0);
    }
};

TEST_F(TablesTest, FreeAllEmptiesEverythingAndRunsTheHooksAfterTheTables) {
    DB_SetUpPlaceholders();
    const Filled filled = fill(7);
    ASSERT_EQ(TBL_GetSvcCount(), 7u);
    g_hookCalls = 0;
    TBL_FreeAll();
    EXPECT_EQ(g_hookCalls, 1);
    EXPECT_TRUE(g_tablesEmptyInHook);
    expectEmpty(filled);
    // Only the tables' own ids go.
    EXPECT_EQ(REF_ResolveTs(g_PlaceholderSvcInfo.tsRef), &g_PlaceholderTsInfo);
}

// More free hooks than the library registers: none may be dropped.
int g_extraHookCalls = 0;
struct CountingFreeHook {
    TBL_FreeHook hook{[] { ++g_extraHookCalls; }};
};

TEST_F(TablesTest, EveryRegisteredFreeHookRuns) {
    static CountingFreeHook extraHooks[40];
    g_extraHookCalls = 0;
    TBL_FreeAll();
    EXPECT_EQ(g_extraHookCalls, static_cast<int>(std::size(extraHooks)));
}

TEST_F(TablesTest, AFillAfterFreeAllStartsClean) {
    // Run under the sanitizer build: nothing of the first fill may be read,
    // freed twice or leaked by the second.
    const Filled first = fill(5);
    TBL_FreeAll();
    const Filled second = fill(4);
    EXPECT_EQ(TBL_GetSvcCount(), 4u);
    EXPECT_EQ(TBL_GetTsCount(), 3u);
    EXPECT_EQ(TBL_GetPrvCount(), 3u);
    EXPECT_EQ(TBL_GetTpCount(), 3u);
    for (RefId ref : first.tsRefs)
        EXPECT_EQ(REF_ResolveTs(ref), nullptr);
    for (RefId ref : second.tsRefs)
        EXPECT_NE(REF_ResolveTs(ref), nullptr);
    // The cascade of a delete works on the new fill.
    SvcInfo* last = static_cast<SvcInfo*>(LL_GetTail(g_SvcInfoList)->data);
    EXPECT_EQ(TBL_DeleteSvcInfo(last), 0);
    EXPECT_EQ(TBL_GetTsCount(), 3u); // another service still uses its TS
    TBL_FreeAll();
    expectEmpty(second);
    TBL_FreeAll(); // twice in a row is harmless
    expectEmpty(second);
}

} // namespace
