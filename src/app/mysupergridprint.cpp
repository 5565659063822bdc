// The channel list's printout: the rows' own texts, one line a node, over as
// many pages as the lines need, each column starting at one place on every
// line.
#include "mysupergrid.h"

#include "controls/headercontrol.h"
#include "draw/printsurface.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

constexpr char kPrintBanner[] = "GIVE ME A BREAK YOU KNOW PRINT PREVIEW IS NOT THE ISSUE HERE";
// Every line starts here, whatever its depth in the tree.
constexpr int kPrintLeft = 10;

// Writes lines down the page, one line height apart, a line height below the
// top of each page, and begins a new page before a line whose bottom would
// pass the page's; a line on a fresh page is written even when it does not
// fit, so that no line is lost and no page stays empty.
class LineWriter {
  public:
    explicit LineWriter(platform::PrintSurface& surface)
        : m_surface(surface), m_height(surface.lineHeight()), m_y(m_height) {}

    // Leaves one line empty.
    void Skip() { m_y += m_height; }
    // False when the surface could not begin a new page (nothing written).
    bool Write(const std::string& text) {
        if (m_y > m_height && m_y + m_height > m_surface.pageHeight()) {
            if (!m_surface.newPage()) return false;
            m_y = m_height;
        }
        m_surface.drawTabbed(kPrintLeft, m_y, text);
        m_y += m_height;
        return true;
    }

  private:
    platform::PrintSurface& m_surface;
    int m_height;
    int m_y;
};

// The node's item text and each sub-item text, every one followed by a tab;
// a node without data prints as an empty item.
std::string PrintLine(const CItemInfo* info) {
    if (!info) return "\t";
    std::string line = info->GetItemText() + '\t';
    for (int n = 0; n < info->GetSubItemCount(); ++n)
        line += info->GetSubItemText(n) + '\t';
    return line;
}

// One line of the printout; a root line follows an empty one.
struct PrintEntry {
    bool skipBefore;
    std::string text;
};

// The nodes below node in pre-order, collapsed ones included.
void CollectDescendants(const CSuperGridCtrl& grid, CSuperGridCtrl::CTreeItem* node,
                        std::vector<PrintEntry>& entries) {
    platform::POSITION pos = grid.GetChildHeadPosition(node);
    while (pos) {
        CSuperGridCtrl::CTreeItem* child = grid.GetNextChild(node, pos);
        entries.push_back({false, PrintLine(grid.GetData(child))});
        CollectDescendants(grid, child, entries);
    }
}

// The tab stops: the right edges of the list's columns in header order,
// measured in the surface's units by the average character widths of the
// two fonts; a column whose widest text does not fit is widened to hold it
// with a blank, so that no text pushes the columns after it along.
std::vector<int> ColumnStops(const CSuperGridCtrl& grid, platform::PrintSurface& surface,
                             const std::vector<PrintEntry>& entries) {
    const int columns = grid.GetColumnCount();
    const QWidget* widget = grid.GetWidget();
    const int screenAverage = widget ? QFontMetrics(widget->font()).averageCharWidth() : 0;
    const int printAverage = surface.averageCharWidth();
    if (columns < 2 || screenAverage <= 0 || printAverage <= 0) return {};
    std::vector<int> widest(static_cast<size_t>(columns), 0);
    for (const PrintEntry& entry : entries) {
        size_t column = 0, start = 0;
        for (;;) {
            const size_t tab = entry.text.find('\t', start);
            if (tab == std::string::npos || column >= widest.size()) break;
            widest[column] = std::max(widest[column],
                                      surface.textWidth(entry.text.substr(start, tab - start)));
            ++column;
            start = tab + 1;
        }
    }
    const platform::HeaderControl* header = grid.GetHeaderCtrl();
    const int blank = surface.textWidth(" ");
    std::vector<int> stops;
    int x = kPrintLeft;
    for (int order = 0; order < columns; ++order) {
        const int column = header ? header->OrderToIndex(order) : order;
        const int width = grid.GetColumnWidth(column) * printAverage / screenAverage;
        x += std::max(width, widest[static_cast<size_t>(order)] + blank);
        stops.push_back(x);
    }
    return stops;
}

} // namespace

void CMySuperGrid::PrintRows(platform::PrintSurface& surface) {
    LineWriter writer(surface);
    if (!writer.Write(kPrintBanner)) return;
    writer.Skip();
    if (GetSelectedCount() == 0) return;
    std::vector<PrintEntry> entries;
    platform::POSITION pos = GetRootHeadPosition();
    while (pos) {
        CTreeItem* root = GetNextRoot(pos);
        entries.push_back({true, PrintLine(GetData(root))});
        CollectDescendants(*this, root, entries);
    }
    surface.setTabStops(ColumnStops(*this, surface, entries));
    for (const PrintEntry& entry : entries) {
        if (entry.skipBefore) writer.Skip();
        if (!writer.Write(entry.text)) break;
    }
    surface.setTabStops({});
}
