// A shown owner holding a 600 x 400 grid of rows x kColumns with one fixed
// row and column: the starting point of the grid benchmarks that need no
// owner of their own.
#pragma once

#include <string>

#include "gridctrl.h"
#include "window/window.h"

namespace gridbench {

constexpr int kColumns = 10;

struct Fixture {
    explicit Fixture(int rows) {
        owner.Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 640, 480), nullptr, 0);
        owner.ShowWindow(platform::SW_SHOW);
        grid.Create(platform::Rect(0, 0, 600, 400), &owner, 1000);
        grid.SetRowCount(rows);
        grid.SetColumnCount(kColumns);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
    }
    ~Fixture() {
        grid.DestroyWindow();
        owner.DestroyWindow();
    }
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    // Every cell gets a short text of its own.
    void Fill() {
        for (int row = 0; row < grid.GetRowCount(); ++row)
            for (int col = 0; col < kColumns; ++col)
                grid.SetItemText(row, col, ("cell " + std::to_string(row * col)).c_str());
    }

    platform::Window owner;
    CGridCtrl grid;
};

} // namespace gridbench
