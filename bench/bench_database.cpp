// Opening (check and load) and committing a full database: 6,000 services on
// 1,000 transport streams, 800 transponders, 500 providers, 64 satellites and
// 16 favourite groups of 200 entries. The image is made by the library: the
// tables are filled in memory and committed once.
//
//   BUILD_TYPE=Release ./setup.sh test && build/bench/bench_database
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dbdocument.h"
#include "dbstate.h"
#include "flashstore.h"
#include "indexcommit.h"
#include "indextable.h"
#include "tables.h"
#include "wrapper.h"

namespace {

void copyName(void* field, size_t size, const char* text) {
    std::memset(field, 0, size);
    std::memcpy(field, text, std::min(std::strlen(text), size));
}

TsInfo makeTs(uint32_t t) {
    TsInfo ts{};
    ts.id1 = static_cast<uint16_t>(t + 1);
    ts.id2 = 1;
    ts.flags = DB_SetBits(0, TSF_TUNER_LO, TSF_TUNER_W, 2);
    ts.tp.frequency = 10700 + t;
    ts.tp.symbolRate = 27500;
    ts.tp.polarisation = t % 2 ? POL_VERTICAL : POL_HORIZONTAL;
    ts.tp.fec = FEC_AUTO;
    ts.tp.satIndex = static_cast<uint8_t>(t % SAT_CAPACITY);
    return ts;
}

// Fills the in-memory tables with the full database and commits it into
// g_FlashImage. Returns the image.
std::vector<uint8_t> makeFullImage() {
    DB_ResetAllState();
    DB_InitFlashMap(DB_MAX_SVC_SECTORS);
    char text[32];
    for (uint32_t j = 0; j < TP_CAPACITY; ++j) {
        TpInfo tp = makeTs(j).tp;
        tp.frequency = 12000 + j;
        TpInfo* out = nullptr;
        TBL_AddTpInfo(&tp, &out);
    }
    std::vector<RefId> providers, streams;
    for (uint32_t p = 0; p < PRV_CAPACITY; ++p) {
        PrvInfo prv{};
        std::snprintf(text, sizeof text, "Provider %u", p);
        copyName(prv.name, sizeof prv.name - 1, text);
        PrvInfo* out = nullptr;
        RefId ref = REF_NONE;
        TBL_AddPrvInfo(&prv, &out, &ref);
        providers.push_back(ref);
    }
    for (uint32_t t = 0; t < TS_CAPACITY; ++t) {
        const TsInfo ts = makeTs(t);
        TsInfo* out = nullptr;
        RefId ref = REF_NONE;
        TBL_AddTsInfo(&ts, &out, &ref);
        streams.push_back(ref);
    }
    for (uint32_t i = 0; i < MAX_SERVICES; ++i) {
        SvcInfo svc{};
        const uint32_t type = i % 3 == 2 ? SVC_TYPE_RADIO : SVC_TYPE_TV;
        svc.flags = DB_SetBits(0, SVCF_TYPE_LO, SVCF_TYPE_W, type);
        svc.extraPid = PID_NONE;
        svc.videoPid = static_cast<uint16_t>(0x100 + i % 0x1000);
        svc.audioPid = static_cast<uint16_t>(0x101 + i % 0x1000);
        // Names in no particular order, so the name sort has work to do.
        std::snprintf(text, sizeof text, "Channel %05u", (i * 7919u) % 100000u);
        copyName(svc.name, sizeof svc.name, text);
        svc.tsRef = streams[i % TS_CAPACITY];
        svc.prvRef = i % 4 == 3 ? REF_NONE : providers[i % PRV_CAPACITY];
        SvcInfo* out = nullptr;
        TBL_AddSvcInfo(&svc, &out);
    }
    for (uint32_t s = 0; s < SAT_CAPACITY; ++s) {
        SatInfo sat{};
        sat.lnb = DB_SetBits(0, SAT_LO_LO, SAT_LO_W, 9750000) | SAT_IN_USE;
        std::snprintf(text, sizeof text, "Sat %u", s);
        copyName(sat.name, sizeof sat.name - 1, text);
        SN_SetSatInfo(s, &sat);
    }
    uint16_t entries[FAV_MAX_ENTRIES];
    for (uint32_t e = 0; e < FAV_MAX_ENTRIES; ++e)
        entries[e] = static_cast<uint16_t>(((e + 1) << 3) | SVC_TYPE_TV);
    for (uint32_t g = 0; g < FAV_CAPACITY; ++g)
        TBL_SetFavEntries(g, FAV_MAX_ENTRIES, entries);
    if (IDX_CommitAll() != 0) std::abort();
    return {g_FlashImage, g_FlashImage + FLASH_DB_SIZE};
}

// Open and commit go the document's way (dbdocument.h): the image's bytes
// in, the saved image's bytes out.
void BM_OpenFullDatabase(benchmark::State& state) {
    const std::vector<uint8_t> image = makeFullImage();
    uint16_t count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        DB_CloseImage();
        state.ResumeTiming();
        if (DB_OpenImage(image.data(), image.size(), &count) != DBERR_OK)
            state.SkipWithError("the image did not open");
    }
    if (count != MAX_SERVICES) state.SkipWithError("not every service loaded");
    state.counters["services"] = count;
}
BENCHMARK(BM_OpenFullDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_CommitFullDatabase(benchmark::State& state) {
    const std::vector<uint8_t> image = makeFullImage();
    uint16_t count = 0;
    if (DB_OpenImage(image.data(), image.size(), &count) != DBERR_OK || count != MAX_SERVICES) {
        state.SkipWithError("the image did not open");
        return;
    }
    std::vector<uint8_t> saved(DB_IMAGE_SIZE);
    for (auto _ : state)
        if (DB_SaveImage(saved.data(), saved.size()) != DBERR_OK)
            state.SkipWithError("the commit failed");
}
BENCHMARK(BM_CommitFullDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
