// The channel list's rebuild for a selected transponder: the services found
// through the database, one row record each, the root expanded.
//   services:N/streams:1      one transponder holding all N services, from
//                             100 to 6,000: the cost grows with N, not N^2
//   services:6000/streams:30  a transponder holding 200 of 6,000 services,
//                             spread over the master list among the others
//
//   cmake --build <release build> --target bench_channellist && <release
//   build>/bench/bench_channellist
#include <benchmark/benchmark.h>

#include <cstdio>

#include "dbopen.h"
#include "dbstate.h"
#include "imagebuilder.h"
#include "mysupergrid.h"

namespace {

class FixedSelection : public INetworkSelectionSource {
  public:
    NetworkSelection selection;
    NetworkSelection GetNetworkSelection() const override { return selection; }
};

// Opens an image of services spread over transport streams in turn; false
// when the image cannot be made or opened.
bool OpenDatabase(uint32_t services, uint32_t transportStreams, TpInfo* first) {
    DB_ResetAllState();
    ImageSpec spec =
        SampleSpec({.services = services, .transportStreams = transportStreams, .satellites = 1});
    // Transponders far enough apart that the tolerant equality tells them apart.
    for (uint32_t t = 0; t < transportStreams; ++t)
        spec.transportStreams[t].tp.frequency = 10700 + 20 * t;
    if (!BuildImage(spec)) return false;
    *first = spec.transportStreams[0].tp;
    ResetLibraryKeepImage();
    uint16_t count = 0;
    return DB_OpenDatabase(&count) == 1 && count == services;
}

void BM_RebuildTransponder(benchmark::State& state) {
    const auto services = static_cast<uint32_t>(state.range(0));
    const auto transportStreams = static_cast<uint32_t>(state.range(1));
    FixedSelection source;
    source.selection.m_select = 2;
    if (!OpenDatabase(services, transportStreams, &source.selection.m_tpInfo)) {
        state.SkipWithError("database not opened");
        return;
    }
    platform::Window owner;
    owner.Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 900, 600), nullptr, 0);
    owner.ShowWindow(platform::SW_SHOW);
    CMySuperGrid grid;
    grid.Create(platform::WS_CHILD | platform::WS_VISIBLE, platform::Rect(0, 0, 900, 600), &owner,
                256);
    grid.InitColumns();
    grid.SetSelectionSource(&source);
    grid.RebuildList(TRUE);
    for (auto _ : state) {
        grid.RebuildList(TRUE);
        benchmark::DoNotOptimize(grid.GetItemCount());
    }
    const int expected = static_cast<int>(services / transportStreams) + 1;
    if (grid.GetItemCount() != expected) state.SkipWithError("rows not rebuilt");
    grid.DestroyWindow();
    owner.DestroyWindow();
    DB_ResetAllState();
}
BENCHMARK(BM_RebuildTransponder)
    ->Args({100, 1})
    ->Args({300, 1})
    ->Args({1000, 1})
    ->Args({3000, 1})
    ->Args({6000, 1})
    ->Args({6000, 30})
    ->ArgNames({"services", "streams"})
    ->Unit(benchmark::kMillisecond);

} // namespace
