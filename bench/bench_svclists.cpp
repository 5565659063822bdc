// The service-list work a full database does at load and at every added
// channel: renumbering (split, number, merge), and walking the master list
// from 750 to 6,000 services.
#include <benchmark/benchmark.h>

#include <vector>

#include "dbstate.h"
#include "slmquery.h"
#include "svchandle.h"
#include "svclist.h"
#include "svcquery.h"
#include "svcrenumber.h"

namespace {

constexpr int kServices = 6000;
std::vector<SvcInfo> g_records(kServices);

// `count` services, a third of them radio, TV and radio interleaved as a
// load leaves them.
void buildMasterList(int count) {
    DB_ResetAllState();
    for (int i = 0; i < count; ++i) {
        const SvcHandle handle = HT_Alloc();
        SvcHandleObj* obj = HT_Resolve(handle);
        const bool radio = i % 3 == 2;
        obj->record = &g_records[i];
        obj->numFlags = DB_SetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W,
                                   radio ? SVC_TYPE_RADIO : SVC_TYPE_TV);
        g_MasterSvcList = INT_LL_Append(g_MasterSvcList, SLM_HandleNodeData(handle));
    }
    INT_SLM_RenumberAll(&g_MasterSvcList);
}

void BM_RenumberAll(benchmark::State& state) {
    buildMasterList(kServices);
    for (auto _ : state)
        benchmark::DoNotOptimize(INT_SLM_RenumberAll(&g_MasterSvcList));
    DB_ResetAllState();
}
BENCHMARK(BM_RenumberAll)->Unit(benchmark::kMillisecond);

// The whole master list walked as Channel Move fills its list: the first
// service from the start, then the next one from each. Each step finds its
// start again, so the cost grows with the list, not with its square.
void BM_WalkWholeMasterList(benchmark::State& state) {
    const auto services = static_cast<int>(state.range(0));
    buildMasterList(services);
    SvcHandle last = SVC_HANDLE_INVALID;
    for (auto _ : state) {
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (int i = 0; i < services; ++i)
            SLM_GetNextServiceHandle(handle, LIST_ALL, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY,
                                     i == 0 ? 0 : 1, &handle);
        last = handle;
        benchmark::DoNotOptimize(handle);
    }
    if (last != SLM_NodeHandle(INT_LL_GetTail(g_MasterSvcList)))
        state.SkipWithError("the walk did not end at the last service");
    state.SetComplexityN(services);
    DB_ResetAllState();
}
BENCHMARK(BM_WalkWholeMasterList)
    ->ArgName("services")
    ->Arg(750)
    ->Arg(1500)
    ->Arg(3000)
    ->Arg(6000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
