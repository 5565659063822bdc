#include "draw/treebranch.h"

namespace platform {

std::vector<BranchRun> BranchLines(const BranchColumn& column, const BranchCell& cell) {
    const Point centre = column.centre;
    std::vector<BranchRun> runs;
    if (cell.lineUp || cell.lineDown)
        runs.push_back({{centre.x, cell.lineUp ? column.top : centre.y},
                        {centre.x, cell.lineDown ? column.bottom : centre.y - 1}});
    if (cell.lineRight) runs.push_back({centre, {column.right, centre.y}});
    return runs;
}

} // namespace platform
