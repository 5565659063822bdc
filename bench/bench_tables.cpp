// Filling the record tables to capacity, as a load of a full list does
// (1000 transport streams, 800 transponders, 500 providers, 6000 services,
// each add de-duplicated against what is stored), and emptying them again.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "dbstate.h"
#include "tables.h"

namespace {

TsInfo tsNumber(uint32_t i) {
    TsInfo ts{};
    ts.id1 = static_cast<uint16_t>(i);
    ts.tp.frequency = 10700 + (i % 100) * 20;
    ts.tp.symbolRate = 27500;
    ts.tp.satIndex = static_cast<uint8_t>(i / 100);
    return ts;
}

void fillTables() {
    RefId tsRefs[TS_CAPACITY];
    RefId prvRefs[PRV_CAPACITY];
    for (uint32_t i = 0; i < TS_CAPACITY; ++i) {
        const TsInfo ts = tsNumber(i);
        TsInfo* out = nullptr;
        if (TBL_AddTsInfo(&ts, &out, &tsRefs[i]) != 0) std::abort();
    }
    for (uint32_t i = 0; i < TP_CAPACITY; ++i) {
        const TpInfo tp = tsNumber(i).tp;
        TpInfo* out = nullptr;
        if (TBL_AddTpInfo(&tp, &out) != 0) std::abort();
    }
    for (uint32_t i = 0; i < PRV_CAPACITY; ++i) {
        PrvInfo prv{};
        std::snprintf(prv.name, sizeof prv.name, "Provider %u", i);
        PrvInfo* out = nullptr;
        if (TBL_AddPrvInfo(&prv, &out, &prvRefs[i]) != 0) std::abort();
    }
    for (uint32_t i = 0; i < MAX_SERVICES; ++i) {
        SvcInfo svc{};
        svc.tsRef = tsRefs[i % TS_CAPACITY];
        svc.prvRef = prvRefs[i % PRV_CAPACITY];
        SvcInfo* out = nullptr;
        if (TBL_AddSvcInfo(&svc, &out) != 0) std::abort();
    }
}

void BM_FillFullTables(benchmark::State& state) {
    DB_ResetAllState();
    for (auto _ : state) {
        fillTables();
        state.PauseTiming();
        TBL_FreeAll();
        state.ResumeTiming();
    }
}
// Fixed iterations: every iteration also refills or empties the tables with
// the timer paused, which the library's automatic iteration count does not
// see, so it would run for minutes to reach its time.
constexpr int kIterations = 30;

BENCHMARK(BM_FillFullTables)->Unit(benchmark::kMillisecond)->Iterations(kIterations);

void BM_FreeAllFullTables(benchmark::State& state) {
    DB_ResetAllState();
    for (auto _ : state) {
        state.PauseTiming();
        fillTables();
        state.ResumeTiming();
        TBL_FreeAll();
    }
}
BENCHMARK(BM_FreeAllFullTables)->Unit(benchmark::kMillisecond)->Iterations(kIterations);

} // namespace

BENCHMARK_MAIN();
