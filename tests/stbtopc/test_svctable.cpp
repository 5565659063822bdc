// The service table: capacity, deletes that take unused transport streams and
// providers with them, in-place replacement, moves, reference look-ups and
// the links of records read from flash.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dballoc.h"
#include "dbtest.h"
#include "linkedlist.h"
#include "prvtable.h"
#include "ringcheck.h"
#include "svctable.h"
#include "tablecopy.h"
#include "tableadds.h"
#include "tablefixtures.h"
#include "tstable.h"
#include "wrapper.h"

namespace {

using fixtures::AddPrv;
using fixtures::AddTs;
using fixtures::MakeTs;
using fixtures::Tp;

class SvcTableTest : public DbTest {
  protected:
    static RefId addTs(uint16_t id1) { return AddTs(MakeTs(id1, 0, Tp{})); }
    SvcInfo* addSvc(RefId tsRef, RefId prvRef, uint8_t tag = 0) {
        SvcInfo svc{};
        svc.tsRef = tsRef;
        svc.prvRef = prvRef;
        svc.name[0] = tag;
        SvcInfo* out = nullptr;
        EXPECT_EQ(TBL_AddSvcInfo(&svc, &out), 0);
        EXPECT_TRUE(ringcheck::IsSoundRing(g_SvcInfoList));
        return out;
    }
    static std::vector<uint8_t> tagsInOrder() {
        std::vector<uint8_t> tags;
        for (void* data : ringcheck::DataOf(g_SvcInfoList))
            tags.push_back(static_cast<SvcInfo*>(data)->name[0]);
        return tags;
    }
};

TEST_F(SvcTableTest, TheSixThousandthFitsAndTheNextIsRefused) {
    const RefId ts = addTs(1);
    for (uint32_t i = 0; i < MAX_SERVICES; ++i) {
        SvcInfo svc{};
        svc.tsRef = ts;
        SvcInfo* out = nullptr;
        ASSERT_EQ(TBL_AddSvcInfo(&svc, &out), 0) << i;
    }
    SvcInfo svc{};
    SvcInfo* out = reinterpret_cast<SvcInfo*>(1);
    EXPECT_EQ(TBL_AddSvcInfo(&svc, &out), DBERR_TS_TABLE_FULL);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(TBL_GetSvcCount(), MAX_SERVICES);
    EXPECT_EQ(LL_Count(g_SvcInfoList, nullptr, 0), MAX_SERVICES);
}

TEST_F(SvcTableTest, TheLastServiceOfATransportStreamOrProviderTakesItAlong) {
    const RefId shared = addTs(1);
    const RefId single = addTs(2);
    const RefId sky = AddPrv("Sky");
    const RefId canal = AddPrv("Canal");
    SvcInfo* a = addSvc(shared, sky);
    SvcInfo* b = addSvc(shared, canal);
    SvcInfo* c = addSvc(single, REF_NONE);

    EXPECT_EQ(TBL_DeleteSvcInfo(a), 0); // b still uses the TS; nobody uses Sky
    EXPECT_NE(REF_ResolveTs(shared), nullptr);
    EXPECT_EQ(REF_ResolvePrv(sky), nullptr);
    EXPECT_EQ(TBL_GetTsCount(), 2u);
    EXPECT_EQ(TBL_GetPrvCount(), 1u);

    EXPECT_EQ(TBL_DeleteSvcInfo(c), 0); // the only service of its TS, no provider
    EXPECT_EQ(REF_ResolveTs(single), nullptr);
    EXPECT_EQ(TBL_GetTsCount(), 1u);
    EXPECT_EQ(TBL_GetPrvCount(), 1u);

    EXPECT_EQ(TBL_DeleteSvcInfo(b), 0);
    EXPECT_EQ(TBL_GetTsCount(), 0u);
    EXPECT_EQ(TBL_GetPrvCount(), 0u);
    EXPECT_EQ(TBL_GetSvcCount(), 0u);
    EXPECT_EQ(g_SvcInfoList, nullptr);

    const SvcInfo outsider{};
    EXPECT_EQ(TBL_DeleteSvcInfo(&outsider), 0); // not an element: nothing
    EXPECT_EQ(TBL_DeleteSvcInfo(nullptr), 0);
}

TEST_F(SvcTableTest, DeletingTakesTheUnusedProviderAndNotItsNamesake) {
    // Names of 20 bytes are too long to be compared, so two providers may
    // share one; the one that goes is the one nobody uses any more.
    const RefId ts = addTs(1);
    const char* twenty = "ABCDEFGHIJKLMNOPQRST";
    PrvInfo prv{};
    std::memcpy(prv.name, twenty, sizeof prv.name);
    PrvInfo* first = nullptr;
    PrvInfo* second = nullptr;
    RefId firstRef = REF_NONE;
    RefId secondRef = REF_NONE;
    ASSERT_EQ(TBL_AddPrvInfo(&prv, &first, &firstRef), 0);
    ASSERT_EQ(TBL_AddPrvInfo(&prv, &second, &secondRef), 0);
    ASSERT_NE(first, second);
    addSvc(ts, firstRef);
    SvcInfo* user = addSvc(ts, secondRef);
    EXPECT_EQ(TBL_DeleteSvcInfo(user), 0);
    EXPECT_EQ(REF_ResolvePrv(firstRef), first);
    EXPECT_EQ(REF_ResolvePrv(secondRef), nullptr);
    EXPECT_EQ(TBL_GetPrvCount(), 1u);
}

TEST_F(SvcTableTest, ReplaceOverwritesInPlace) {
    SvcInfo* a = addSvc(addTs(1), REF_NONE, 'a');
    SvcInfo next{};
    next.name[0] = 'z';
    next.casId[1] = 0x0500;
    SvcInfo* out = nullptr;
    ASSERT_EQ(TBL_ReplaceSvcInfo(a, &next, &out), 0);
    EXPECT_EQ(out, a);
    EXPECT_EQ(std::memcmp(a, &next, sizeof next), 0);
    EXPECT_EQ(TBL_GetSvcCount(), 1u);

    SvcInfo outsider{};
    out = reinterpret_cast<SvcInfo*>(1);
    EXPECT_EQ(TBL_ReplaceSvcInfo(&outsider, &next, &out), DBERR_TABLE_INDEX);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(TBL_ReplaceSvcInfo(a, nullptr, &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(TBL_ReplaceSvcInfo(a, &next, nullptr), DBERR_NULL_ARG);
}

TEST_F(SvcTableTest, MovesPutTheRecordAtThePosition) {
    struct MoveCase {
        uint8_t tag;
        uint32_t position;
        std::vector<uint8_t> order;
    };
    const MoveCase cases[] = {
        {'a', 0, {'a', 'b', 'c', 'd'}},  {'a', 1, {'b', 'a', 'c', 'd'}},
        {'a', 3, {'b', 'c', 'd', 'a'}},  {'d', 0, {'d', 'a', 'b', 'c'}},
        {'c', 1, {'a', 'c', 'b', 'd'}},  {'b', 2, {'a', 'c', 'b', 'd'}},
        {'b', 99, {'a', 'c', 'd', 'b'}}, // past the end: the last position
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tag << " to " << c.position);
        TBL_FreeSvcList();
        const RefId ts = addTs(1);
        SvcInfo* byTag[128] = {};
        for (uint8_t tag : {'a', 'b', 'c', 'd'})
            byTag[tag] = addSvc(ts, REF_NONE, tag);
        EXPECT_EQ(TBL_MoveSvcInfo(byTag[c.tag], c.position), 0);
        EXPECT_TRUE(ringcheck::IsSoundRing(g_SvcInfoList));
        EXPECT_EQ(tagsInOrder(), c.order);
    }
    const SvcInfo outsider{};
    EXPECT_EQ(TBL_MoveSvcInfo(&outsider, 0), 0);
    EXPECT_EQ(tagsInOrder().size(), 4u);
}

TEST_F(SvcTableTest, FindTheFirstServiceUsingATransportStreamOrProvider) {
    const RefId ts1 = addTs(1);
    const RefId ts2 = addTs(2);
    const RefId prv = AddPrv("Sky");
    addSvc(ts1, REF_NONE);
    addSvc(ts2, prv);
    addSvc(ts2, prv);
    uint8_t kind = 0;
    uint16_t pos = 0;
    EXPECT_EQ(TBL_FindSvcUsingTs(REF_ResolveTs(ts2), &kind, &pos), 0);
    EXPECT_EQ(kind, KIND_TS);
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(TBL_FindSvcUsingPrv(REF_ResolvePrv(prv), &kind, &pos), 0);
    EXPECT_EQ(pos, 1);
    const TsInfo outsider = MakeTs(1, 0, Tp{});
    EXPECT_EQ(TBL_FindSvcUsingTs(&outsider, &kind, &pos), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(pos, DB_INDEX_NONE);
    EXPECT_EQ(TBL_FindSvcUsingPrv(nullptr, &kind, &pos), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(TBL_FindSvcUsingTs(REF_ResolveTs(ts1), nullptr, &pos), DBERR_NULL_ARG);
}

TEST_F(SvcTableTest, RecordsReadFromFlashLinkToTheirElements) {
    const TsInfo ts = MakeTs(7, 8, Tp{.satIndex = 3});
    PrvInfo prv{};
    std::strcpy(prv.name, "Sky");
    const RefId tsRef = addTs(1);
    TsInfo* tsOut = nullptr;
    RefId storedTs = REF_NONE;
    ASSERT_EQ(TBL_AddTsInfo(&ts, &tsOut, &storedTs), 0);
    PrvInfo* prvOut = nullptr;
    RefId storedPrv = REF_NONE;
    ASSERT_EQ(TBL_AddPrvInfo(&prv, &prvOut, &storedPrv), 0);
    ASSERT_NE(tsRef, storedTs);

    const uint32_t tsAddress = 0xA07C0040u;
    const uint32_t prvAddress = 0xA07D0080u;
    WRAP_FlashWrite(tsAddress, sizeof ts, &ts);
    WRAP_FlashWrite(prvAddress, sizeof prv, &prv);
    struct LinkCase {
        const char* what;
        uint32_t tsAddress, prvAddress;
        RefId tsRef, prvRef;
    };
    const LinkCase cases[] = {
        {"both found", tsAddress, prvAddress, storedTs, storedPrv},
        {"no provider", tsAddress, 0, storedTs, REF_NONE},
        {"bytes of no element", tsAddress + 4, prvAddress + 1, REF_NONE, REF_NONE},
        {"outside the image", 0xA0000000u, 0xA07FFFF0u, REF_NONE, REF_NONE},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.what);
        SvcInfo svc{};
        svc.tsRef = c.tsAddress;
        svc.prvRef = c.prvAddress;
        EXPECT_EQ(TBL_LinkSvcToTs(&svc), 0);
        EXPECT_EQ(TBL_LinkSvcToPrv(&svc), 0);
        EXPECT_EQ(svc.tsRef, c.tsRef);
        EXPECT_EQ(svc.prvRef, c.prvRef);
    }
    EXPECT_EQ(TBL_LinkSvcToTs(nullptr), DBERR_NULL_OBJECT);
    EXPECT_EQ(TBL_LinkSvcToPrv(nullptr), DBERR_NULL_OBJECT);
}

TEST_F(SvcTableTest, NamePointerNoMemoryAndNullArguments) {
    SvcInfo* a = addSvc(addTs(1), REF_NONE);
    uint8_t* name = nullptr;
    ASSERT_EQ(TBL_GetSvcNamePtr(a, &name), 0);
    EXPECT_EQ(name, a->name);
    EXPECT_EQ(TBL_GetSvcNamePtr(a, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_GetSvcInfoList(), g_SvcInfoList);

    const SvcInfo svc{};
    SvcInfo* out = reinterpret_cast<SvcInfo*>(1);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(TBL_AddSvcInfo(&svc, &out), DBERR_NO_MEMORY_COPY);
    DB_SetAllocFailAfter(-1);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(TBL_AddSvcInfo(&svc, &out), DBERR_NO_MEMORY_COPY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(TBL_GetSvcCount(), 1u);
    EXPECT_EQ(TBL_AddSvcInfo(nullptr, &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(TBL_AddSvcInfo(&svc, nullptr), DBERR_NULL_ARG);
}

} // namespace
