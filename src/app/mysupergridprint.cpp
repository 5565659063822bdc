// The channel list's printout: the rows' own texts, one line a node, over as
// many pages as the lines need.
#include "mysupergrid.h"

#include "draw/printsurface.h"

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

// The nodes below node in pre-order, collapsed ones included; false when the
// writer stopped.
bool WriteDescendants(const CSuperGridCtrl& grid, CSuperGridCtrl::CTreeItem* node,
                      LineWriter& writer) {
    platform::POSITION pos = grid.GetChildHeadPosition(node);
    while (pos) {
        CSuperGridCtrl::CTreeItem* child = grid.GetNextChild(node, pos);
        if (!writer.Write(PrintLine(grid.GetData(child)))) return false;
        if (!WriteDescendants(grid, child, writer)) return false;
    }
    return true;
}

} // namespace

void CMySuperGrid::PrintRows(platform::PrintSurface& surface) {
    LineWriter writer(surface);
    if (!writer.Write(kPrintBanner)) return;
    writer.Skip();
    if (GetSelectedCount() == 0) return;
    platform::POSITION pos = GetRootHeadPosition();
    while (pos) {
        CTreeItem* root = GetNextRoot(pos);
        writer.Skip();
        if (!writer.Write(PrintLine(GetData(root)))) return;
        if (!WriteDescendants(*this, root, writer)) return;
    }
}
