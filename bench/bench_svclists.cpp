// The service-list work a full database does at load and at every added
// channel: renumbering (split, number, merge) and walking the master list.
#include <benchmark/benchmark.h>

#include <vector>

#include "dbstate.h"
#include "svchandle.h"
#include "svclist.h"
#include "svcquery.h"
#include "svcrenumber.h"

namespace {

constexpr int kTv = 4000;
constexpr int kRadio = 2000;
std::vector<SvcInfo> g_records(kTv + kRadio);

// 6000 services, TV and radio interleaved as a load leaves them.
void buildMasterList() {
    DB_ResetAllState();
    for (int i = 0; i < kTv + kRadio; ++i) {
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
    buildMasterList();
    for (auto _ : state)
        benchmark::DoNotOptimize(INT_SLM_RenumberAll(&g_MasterSvcList));
    DB_ResetAllState();
}
BENCHMARK(BM_RenumberAll)->Unit(benchmark::kMillisecond);

void BM_WalkWholeMasterList(benchmark::State& state) {
    buildMasterList();
    for (auto _ : state) {
        SvcHandle handle = 0xFFFFFFFFu;
        for (int i = 0; i < kTv + kRadio; ++i)
            INT_SLM_GetNextServiceHandle(g_MasterSvcList, handle, 0, 0x3FFF, 6, i == 0 ? 0 : 1,
                                         &handle);
        benchmark::DoNotOptimize(handle);
    }
    DB_ResetAllState();
}
BENCHMARK(BM_WalkWholeMasterList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
