// The filters and comparators over service handles: which services each
// list id's filter passes, the CA rule of counts and finds, name order and
// the number and transponder matches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "casmap.h"
#include "dbtest.h"
#include "filters.h"
#include "linkedlist.h"
#include "listids.h"
#include "placeholder.h"
#include "prvtable.h"
#include "svchandle.h"
#include "svctable.h"
#include "tableadds.h"
#include "tablefixtures.h"
#include "tstable.h"

namespace {

using fixtures::AddPrv;
using fixtures::AddTs;
using fixtures::MakeTp;
using fixtures::MakeTs;
using fixtures::Tp;

constexpr uint32_t TV = SVC_TYPE_TV, RADIO = SVC_TYPE_RADIO, ANY = SVC_QUERY_TYPE_ANY;

class FilterTest : public DbTest {
  protected:
    static RefId addTs(uint16_t id1, uint8_t sat, uint32_t frequencyMhz = 11000) {
        return AddTs(MakeTs(id1, 0, Tp{.frequencyMhz = frequencyMhz, .satIndex = sat}));
    }
    SvcInfo* addRecord(RefId ts, RefId prv, std::initializer_list<uint16_t> cas,
                       uint32_t svcClass = 0) {
        SvcInfo svc{};
        svc.tsRef = ts;
        svc.prvRef = prv;
        svc.flags = DB_SetBits(0, SVCF_CLASS_LO, SVCF_CLASS_W, svcClass);
        int i = 0;
        for (uint16_t id : cas)
            svc.casId[i++] = id;
        SvcInfo* out = nullptr;
        EXPECT_EQ(TBL_AddSvcInfo(&svc, &out), 0);
        return out;
    }
    static SvcHandle makeHandle(SvcInfo* record, uint32_t number, uint32_t type,
                                uint32_t extra = 0) {
        const SvcHandle handle = HT_Alloc();
        SvcHandleObj* obj = HT_Resolve(handle);
        obj->record = record;
        obj->name = record != nullptr ? record->name : nullptr;
        obj->numFlags = DB_SetBits(DB_SetBits(0, SVH_NUMBER_LO, SVH_NUMBER_W, number), SVH_TYPE_LO,
                                   SVH_TYPE_W, type) |
                        extra;
        return handle;
    }
    static void* data(SvcHandle handle) { return INT_SLM_WordData(handle); }
};

// Eight services that between them meet every rule of the filters.
class ListFilterTest : public FilterTest {
  protected:
    void SetUp() override {
        FilterTest::SetUp();
        DB_SetUpPlaceholders();
        const RefId tsSat2 = addTs(1, 2);
        const RefId tsSat3 = addTs(2, 3);
        const RefId tsSat255 = addTs(3, 255);
        const RefId tsGone = addTs(4, 2);
        const RefId unnamed = AddPrv("");    // provider index 0
        const RefId sky = AddPrv("Sky");     // 1
        const RefId canal = AddPrv("Canal"); // 2
        services = {
            makeHandle(addRecord(tsSat2, sky, {0, 0x0500, 0}), 1, TV),
            makeHandle(addRecord(tsSat3, canal, {0x0B12, 0, 0}, SVC_CLASS_DATA), 2, RADIO),
            makeHandle(addRecord(tsSat255, REF_NONE, {0x0200, 0, 0}), 3, TV),
            makeHandle(addRecord(tsGone, unnamed, {0, 0, 0}), 4, TV),
            makeHandle(addRecord(tsSat2, sky, {0x0500, 0, 0}), 5, TV, SVH_HIDDEN),
            makeHandle(&g_PlaceholderSvcInfo, 6, TV),
            makeHandle(nullptr, 7, TV),
            makeHandle(addRecord(tsSat2, sky, {0x0500, 0, 0}), 8, TV),
        };
        TBL_DeleteTsElement(REF_ResolveTs(tsGone)); // its services keep a dead reference
        HT_Free(services[7]);                       // a stale handle
    }
    // One character per service: 1 passes, 0 does not.
    std::string passes(LL_FilterFn filter, uint32_t key) const {
        std::string out;
        for (SvcHandle handle : services)
            out += filter(data(handle), key) != 0 ? '1' : '0';
        return out;
    }
    std::string matches(LL_CompareFn compare, const void* key) const {
        std::string out;
        for (SvcHandle handle : services)
            out += compare(data(handle), key) == 0 ? '1' : '0';
        return out;
    }
    std::vector<SvcHandle> services;
};

struct FilterCase {
    const char* what;
    LL_FilterFn filter;
    uint32_t key;
    const char* passes;
};

TEST_F(ListFilterTest, WhichServicesEachFilterPasses) {
    const auto key = INT_SLM_MakeListKey;
    const FilterCase cases[] = {
        {"type any", INT_SLM_FilterByType, ANY, "11111110"},
        {"type TV", INT_SLM_FilterByType, TV, "10111110"},
        {"type radio", INT_SLM_FilterByType, RADIO, "01000000"},
        {"listed, any type", INT_SLM_FilterListedByType, ANY, "11110000"},
        {"listed radio", INT_SLM_FilterListedByType, RADIO, "01000000"},
        {"number 3", INT_SLM_FilterListedByNumType, 3u << 16 | ANY, "00100000"},
        {"number 3 radio", INT_SLM_FilterListedByNumType, 3u << 16 | RADIO, "00000000"},
        {"number 5 is hidden", INT_SLM_FilterListedByNumType, 5u << 16 | ANY, "00000000"},
        {"number 6 is a placeholder", INT_SLM_FilterListedByNumType, 6u << 16 | ANY, "00000000"},
        {"no number wildcard", INT_SLM_FilterListedByNumType, 0x3FFFu << 16 | ANY, "00000000"},
        {"satellite 2", INT_SLM_FilterBySat, key(0, ANY, 2), "10001000"},
        {"satellite 2, radio", INT_SLM_FilterBySat, key(0, RADIO, 2), "00000000"},
        {"satellite 3", INT_SLM_FilterBySat, key(0, ANY, 3), "01000000"},
        {"satellite 0", INT_SLM_FilterBySat, key(0, ANY, 0), "00000000"},
        {"provider Sky", INT_SLM_FilterByPrv, key(0, ANY, 1), "10001000"},
        {"provider Sky, radio", INT_SLM_FilterByPrv, key(0, RADIO, 1), "00000000"},
        {"provider Canal", INT_SLM_FilterByPrv, key(0, ANY, 2), "01000000"},
        {"provider with an empty name", INT_SLM_FilterByPrv, key(0, ANY, 0), "00000000"},
        {"provider past the table", INT_SLM_FilterByPrv, key(0, ANY, 3), "00000000"},
        {"data", INT_SLM_FilterData, key(0, ANY, 0), "01000000"},
        {"data, TV", INT_SLM_FilterData, key(0, TV, 0), "00000000"},
        {"CA 111", INT_SLM_FilterByCas, key(0, ANY, 1), "10001000"},
        {"CA 114", INT_SLM_FilterByCas, key(0, ANY, 4), "01000000"},
        {"CA 118", INT_SLM_FilterByCas, key(0, ANY, 8), "11101000"},
        {"CA 118, TV", INT_SLM_FilterByCas, key(0, TV, 8), "10101000"},
        {"CA 120", INT_SLM_FilterByCas, key(0, ANY, 10), "10010000"},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(passes(c.filter, c.key), c.passes);
    }
}

TEST_F(ListFilterTest, NumberTypeAndSatelliteMatches) {
    struct MatchCase {
        const char* what;
        LL_CompareFn compare;
        uint32_t key;
        const char* matches;
    };
    const MatchCase cases[] = {
        {"number 1 TV", INT_SLM_MatchNumType, 1u << 16 | TV, "10000000"},
        {"number 1 radio", INT_SLM_MatchNumType, 1u << 16 | RADIO, "00000000"},
        {"any number, radio", INT_SLM_MatchNumType, 0x3FFFu << 16 | RADIO, "01000000"},
        {"any number, any type", INT_SLM_MatchNumType, 0x3FFFu << 16 | ANY, "11111110"},
        {"number 1 on 2", INT_SLM_MatchNumTypeSat, INT_SLM_MakeListKey(1, ANY, 2), "10000000"},
        {"number 1 on 3", INT_SLM_MatchNumTypeSat, INT_SLM_MakeListKey(1, ANY, 3), "00000000"},
        {"number 4, TS gone", INT_SLM_MatchNumTypeSat, INT_SLM_MakeListKey(4, ANY, 2), "00000000"},
        {"no number wildcard", INT_SLM_MatchNumTypeSat, INT_SLM_MakeListKey(0x3FFF, ANY, 2),
         "00000000"},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(matches(c.compare, INT_SLM_WordData(c.key)), c.matches);
    }
    // A find through the list library with a word key.
    LL_Node* list = nullptr;
    for (SvcHandle handle : services)
        list = LL_Append(list, INT_SLM_WordData(handle));
    LL_Node* found =
        LL_Find(list, INT_SLM_WordData(3u << 16 | ANY), INT_SLM_MatchNumType, nullptr, 0);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(INT_SLM_DataWord(found->data), services[2]);
    EXPECT_EQ(LL_Count(list, INT_SLM_FilterByCas, INT_SLM_MakeListKey(0, ANY, 8)), 4);
    EXPECT_EQ(
        LL_IndexOf(list, data(services[3]), INT_SLM_IsSameHandle, INT_SLM_FilterListedByType, ANY),
        3);
    LL_FreeAll(list, nullptr);
}

TEST_F(ListFilterTest, ServiceOnATransponderLeavesTheKeyAsItWas) {
    struct TpCase {
        const char* what;
        Tp key;
        const char* matches;
    };
    const TpCase cases[] = {
        {"same", Tp{.satIndex = 2}, "10001000"},
        {"5 MHz off", Tp{.frequencyMhz = 11005, .satIndex = 2}, "10001000"},
        {"8 MHz off", Tp{.frequencyMhz = 11008, .satIndex = 2}, "00000000"},
        {"other satellite", Tp{.satIndex = 3}, "01000000"},
        {"automatic polarisation", Tp{.polarisation = POL_AUTO, .satIndex = 2}, "10001000"},
    };
    for (const TpCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TpInfo key = MakeTp(c.key);
        const TpInfo before = key;
        EXPECT_EQ(matches(INT_SLM_ServiceHasTp, &key), c.matches);
        EXPECT_EQ(std::memcmp(&key, &before, sizeof key), 0);
    }
    EXPECT_NE(INT_SLM_ServiceHasTp(data(services[0]), nullptr), 0);
    // The stored transport stream is not scaled either.
    EXPECT_EQ(REF_ResolveTs(HT_Resolve(services[0])->record->tsRef)->tp.frequency, 11000u);
}

struct CasCase {
    const char* what;
    std::vector<uint16_t> casIds;
    std::vector<unsigned> lists; // CA list ids the service is in for counts and finds
};

TEST_F(FilterTest, CaListsInCountsAndFindsLookAtTheFirstIdForList120) {
    const CasCase cases[] = {
        {"free", {0, 0, 0}, {120}},
        {"VIACCESS second", {0, 0x0500, 0}, {111, 118, 120}},
        {"CONAX first", {0x0B12, 0, 0}, {114, 118}},
        {"unknown id", {0x0200, 0, 0}, {118}},
        {"BISS has no list of its own", {0x2600, 0, 0}, {118}},
        {"NAGRAVISION and MEDIAGUARD", {0x1800, 0, 0x0100}, {110, 118, 119}},
        {"every CA id of one service", {0x0600, 0x0900, 0x1700}, {112, 113, 116, 118}},
    };
    const RefId ts = addTs(1, 0);
    for (const CasCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SvcHandle handle =
            makeHandle(addRecord(ts, REF_NONE, {c.casIds[0], c.casIds[1], c.casIds[2]}), 1, TV);
        std::vector<unsigned> lists;
        for (unsigned id = LIST_CA_FIRST; id <= LIST_CA_LAST; ++id)
            if (INT_SLM_FilterByCas(data(handle), INT_SLM_MakeListKey(0, ANY, id - LIST_CA_FIRST)))
                lists.push_back(id);
        EXPECT_EQ(lists, c.lists);
        for (uint32_t k : {11u, 14u, 15u, 255u})
            EXPECT_EQ(INT_SLM_FilterByCas(data(handle), INT_SLM_MakeListKey(0, ANY, k)), 0) << k;
    }
}

TEST_F(FilterTest, NameOrderSkipsThePrefixAndControlCodesThenOrdersByNumber) {
    auto named = [&](std::vector<uint8_t> name, uint32_t number, uint32_t type = TV) {
        SvcInfo svc{};
        if (!name.empty())
            std::memcpy(svc.name, name.data(), std::min(name.size(), sizeof svc.name));
        SvcInfo* out = nullptr;
        EXPECT_EQ(TBL_AddSvcInfo(&svc, &out), 0);
        return makeHandle(out, number, type);
    };
    const SvcHandle prefixed = named({0x05, 'a', 'b', 'c'}, 7);
    const SvcHandle plain = named({'A', 'B', 'C'}, 3);
    const SvcHandle control = named({'A', 0x86, 'B', 'C', 0x87}, 9);
    const SvcHandle radio = named({'A', 'B', 'C'}, 3, RADIO);
    const SvcHandle later = named({'A', 'B', 'D'}, 1);
    const SvcHandle accented = named({'A', 0xC9}, 1); // not upper-cased, not removed
    EXPECT_GT(INT_SLM_CompareSvcName(data(prefixed), data(plain)), 0); // equal names: 3 first
    EXPECT_LT(INT_SLM_CompareSvcName(data(plain), data(prefixed)), 0);
    EXPECT_LT(INT_SLM_CompareSvcName(data(prefixed), data(control)), 0); // 7 before 9
    EXPECT_LT(INT_SLM_CompareSvcName(data(plain), data(radio)), 0);      // then by type
    EXPECT_LT(INT_SLM_CompareSvcName(data(control), data(later)), 0);    // the name first
    EXPECT_GT(INT_SLM_CompareSvcName(data(accented), data(later)), 0);
    EXPECT_EQ(INT_SLM_CompareSvcName(data(plain), data(plain)), 0);

    // A name that fills its 22 bytes, in a buffer of exactly that size.
    std::vector<uint8_t> full(SVC_NAME_LEN, 'Z');
    const SvcHandle wide = named({}, 2);
    HT_Resolve(wide)->name = full.data();
    EXPECT_GT(INT_SLM_CompareSvcName(data(wide), data(later)), 0);
    std::vector<uint8_t> sameFull(SVC_NAME_LEN, 'z');
    const SvcHandle wide2 = named({}, 4);
    HT_Resolve(wide2)->name = sameFull.data();
    EXPECT_LT(INT_SLM_CompareSvcName(data(wide), data(wide2)), 0); // equal names, 2 before 4

    // Sorted insertion puts equal names in number order.
    LL_Node* list = nullptr;
    for (SvcHandle handle : {control, prefixed, later, plain})
        list = LL_Close(LL_InsertSorted(list, data(handle), INT_SLM_CompareSvcName));
    std::vector<SvcHandle> order;
    for (LL_Node* n = list;; n = n->next) {
        order.push_back(INT_SLM_DataWord(n->data));
        if (n->next == list) break;
    }
    EXPECT_EQ(order, (std::vector<SvcHandle>{plain, prefixed, control, later}));
    LL_FreeAll(list, nullptr);
}

TEST_F(FilterTest, NumberOrdersHandleIdentityAndNameKeys) {
    const SvcHandle tv5 = makeHandle(nullptr, 5, TV);
    const SvcHandle radio5 = makeHandle(nullptr, 5, RADIO);
    const SvcHandle tv2 = makeHandle(nullptr, 2, TV);
    EXPECT_GT(INT_SLM_CompareSvcNumber(data(tv5), data(tv2)), 0);
    EXPECT_EQ(INT_SLM_CompareSvcNumber(data(tv5), data(radio5)), 0);
    EXPECT_LT(INT_SLM_CompareSvcNumberAndType(data(tv5), data(radio5)), 0);
    EXPECT_GT(INT_SLM_CompareSvcNumberAndType(data(radio5), data(tv2)), 0);
    EXPECT_EQ(INT_SLM_IsSameHandle(data(tv5), data(tv5)), 0);
    EXPECT_NE(INT_SLM_IsSameHandle(data(tv5), data(radio5)), 0);

    uint8_t a[24] = {'A'}, b[24] = {'A'};
    EXPECT_EQ(INT_SLM_CompareNameKeyBytes(a, b), 0);
    b[23] = 1; // the whole key counts
    EXPECT_LT(INT_SLM_CompareNameKeyBytes(a, b), 0);

    // A handle that does not resolve sorts first and matches nothing.
    HT_Free(tv2);
    EXPECT_LT(INT_SLM_CompareSvcNumber(data(tv2), data(tv5)), 0);
    EXPECT_NE(INT_SLM_MatchNumType(data(tv2), INT_SLM_WordData(0x3FFFu << 16 | ANY)), 0);
    EXPECT_EQ(INT_SLM_FilterByType(data(tv2), ANY), 0);
}

TEST_F(FilterTest, ProviderNamesCompareIgnoringCaseWithinTheirField) {
    EXPECT_EQ(INT_SLM_ComparePrvName("Sky News", "SKY news"), 0);
    EXPECT_LT(INT_SLM_ComparePrvName("Alpha", "beta"), 0);
    EXPECT_GT(INT_SLM_ComparePrvName("beta", "Alpha"), 0);
    // 20 bytes without a terminator: only the field is read.
    std::vector<char> full(PRV_NAME_LEN, 'q');
    EXPECT_EQ(INT_SLM_ComparePrvName(full.data(), "QQQQQQQQQQQQQQQQQQQQ"), 0);
    EXPECT_EQ(INT_SLM_ComparePrvName(full.data(), "QQQQQQQQQQQQQQQQQQQQX"), 0);
    EXPECT_NE(INT_SLM_ComparePrvName("Sky", nullptr), 0);
}

TEST_F(FilterTest, FreeCallbacksReleaseHandlesAndRows) {
    const SvcHandle handle = makeHandle(nullptr, 1, TV);
    SvcHandleObj* obj = HT_Resolve(handle);
    obj->name = new uint8_t[4]{'a', 'b', 'c', 0};
    obj->numFlags |= SVH_OWNS_NAME;
    LL_Node* handles = LL_Close(LL_Append(nullptr, INT_SLM_WordData(handle)));
    EXPECT_EQ(LL_FreeAll(handles, INT_SLM_FreeServiceHandle), nullptr);
    EXPECT_EQ(HT_Resolve(handle), nullptr);

    LL_Node* rows = nullptr;
    for (int i = 0; i < 3; ++i)
        rows = LL_Close(LL_Append(rows, new TpRow{}));
    EXPECT_EQ(LL_FreeAll(rows, INT_SLM_FreeTpRow), nullptr); // the sanitizer build sees leaks
}

} // namespace
