// A full paint of the channel list's tree list: a 600 x 400 client area of
// nine columns in DejaVu Sans 12 px, one selected row with combo-box cells,
// over 1,000 and over 10,000 service rows. The paint should not depend on
// the number of rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <cstring>
#include <string>

#include "draw/dccalllog.h"
#include "draw/font.h"
#include "draw/imagelist.h"
#include "supergridctrl.h"
#include "window/window.h"

namespace {

constexpr int kColumns = 9;

class PaintGrid : public CSuperGridCtrl {
  public:
    PaintGrid() {
        m_cxImage = 16;
        m_cyImage = 16;
    }
};

CItemInfo* ServiceRow(int n) {
    auto* info = new CItemInfo;
    info->SetItemText(std::to_string(n + 1));
    const std::string texts[] = {"Service name " + std::to_string(n),
                                 "512",
                                 "650",
                                 "8190",
                                 std::to_string(1000 + n),
                                 "FALSE",
                                 "T V",
                                 "Conditional access"};
    for (const auto& text : texts)
        info->AddSubItemText(text);
    info->SetControlType(CItemInfo::combobox, 5);
    info->SetControlType(CItemInfo::combobox, 6);
    info->SetControlType(CItemInfo::editNoButton, 7);
    return info;
}

void BM_FullPaint(benchmark::State& state) {
    const int services = static_cast<int>(state.range(0));
    platform::FontDesc desc;
    desc.lfHeight = -12;
    std::strcpy(desc.lfFaceName, "DejaVu Sans");
    platform::Font font(desc);
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::darkGreen);
    platform::ImageList images;
    images.Create(strip, 16, 1, platform::CLR_NONE);

    platform::Window owner;
    owner.Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 600, 400), nullptr, 0);
    owner.ShowWindow(platform::SW_SHOW);
    PaintGrid grid;
    grid.Create(platform::WS_CHILD | platform::WS_VISIBLE, platform::Rect(0, 0, 600, 400), &owner,
                256);
    grid.SetFont(&font);
    grid.SetImageList(&images, platform::LVSIL_SMALL);
    for (int column = 0; column < kColumns; ++column)
        grid.InsertColumn(column, "Column", platform::LVCFMT_LEFT, 75);
    CSuperGridCtrl::CTreeItem* root = grid.InsertRootItem(nullptr);
    for (int n = 0; n < services; ++n)
        grid.InsertItem(root, ServiceRow(n), FALSE, CSuperGridCtrl::insertTail);
    grid.Expand(root, 0);
    const unsigned both = platform::LVIS_SELECTED | platform::LVIS_FOCUSED;
    grid.SetItemState(3, both, both);
    QApplication::processEvents();
    {
        // A paint that draws no text would measure nothing.
        platform::DcCallLog log;
        grid.Invalidate();
        grid.UpdateWindow();
        if (log.Calls(platform::DcCallKind::DrawText).size() < 100)
            state.SkipWithError("the rows were not painted");
    }

    for (auto _ : state) {
        grid.Invalidate();
        grid.UpdateWindow();
    }
    if (grid.GetItemCount() != services + 1) state.SkipWithError("rows missing");
    grid.DestroyWindow();
    owner.DestroyWindow();
}
BENCHMARK(BM_FullPaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
