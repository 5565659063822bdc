// The channel list's rebuild on its nine-column tree list: clear 1,000
// service rows, insert the transponder root, 1,000 service nodes without
// rows, then expand everything.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "supergridctrl.h"
#include "window/window.h"

namespace {

constexpr int kServices = 1000;
constexpr int kColumns = 9;

CItemInfo* ServiceRow(int n) {
    auto* info = new CItemInfo;
    info->SetItemText(std::to_string(n + 1));
    const std::string texts[] = {"Service " + std::to_string(n), "512",   "650", "8190",
                                 std::to_string(1000 + n),       "FALSE", "T V", "ETC"};
    for (const auto& text : texts)
        info->AddSubItemText(text);
    info->SetControlType(CItemInfo::combobox, 5);
    info->SetControlType(CItemInfo::combobox, 6);
    info->SetControlType(CItemInfo::editNoButton, 7);
    return info;
}

void Rebuild(CSuperGridCtrl& grid) {
    grid.DeleteAll();
    CSuperGridCtrl::CTreeItem* root = grid.InsertRootItem(nullptr);
    for (int n = 0; n < kServices; ++n)
        grid.InsertItem(root, ServiceRow(n), FALSE, CSuperGridCtrl::insertTail);
    int last = 0;
    grid.ExpandAll(root, last);
}

void BM_ChannelListRebuild(benchmark::State& state) {
    platform::Window owner;
    owner.Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 800, 600), nullptr, 0);
    owner.ShowWindow(platform::SW_SHOW);
    CSuperGridCtrl grid;
    grid.Create(platform::WS_CHILD | platform::WS_VISIBLE, platform::Rect(0, 0, 800, 600), &owner,
                256);
    for (int column = 0; column < kColumns; ++column)
        grid.InsertColumn(column, "Column", platform::LVCFMT_LEFT, 75);
    Rebuild(grid);
    for (auto _ : state) {
        Rebuild(grid);
        benchmark::DoNotOptimize(grid.GetItemCount());
    }
    if (grid.GetItemCount() != kServices + 1) state.SkipWithError("rows not rebuilt");
    grid.DestroyWindow();
    owner.DestroyWindow();
}
BENCHMARK(BM_ChannelListRebuild)->Unit(benchmark::kMillisecond);

} // namespace
