// A cell's position and an inclusive block of cells.
#pragma once

// Row and column; (-1, -1) names no cell.
struct CCellID {
    int row = -1;
    int col = -1;

    constexpr CCellID() = default;
    constexpr CCellID(int nRow, int nCol) : row(nRow), col(nCol) {}

    // Both parts non-negative (the grid also checks its counts).
    constexpr bool IsValid() const { return row >= 0 && col >= 0; }
    constexpr bool operator==(const CCellID&) const = default;
};

// Rows minRow..maxRow and columns minCol..maxCol, both ends included;
// (-1, -1, -1, -1) is no block.
class CCellSpan {
  public:
    constexpr CCellSpan() = default;
    constexpr CCellSpan(int minRow, int minCol, int maxRow, int maxCol)
        : m_minRow(minRow), m_minCol(minCol), m_maxRow(maxRow), m_maxCol(maxCol) {}

    void Set(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1) {
        m_minRow = minRow, m_minCol = minCol, m_maxRow = maxRow, m_maxCol = maxCol;
    }

    // All bounds non-negative and each minimum at most its maximum.
    constexpr bool IsValid() const {
        return m_minRow >= 0 && m_minCol >= 0 && m_maxRow >= 0 && m_maxCol >= 0 &&
               m_minRow <= m_maxRow && m_minCol <= m_maxCol;
    }
    constexpr bool InRange(int row, int col) const {
        return row >= m_minRow && row <= m_maxRow && col >= m_minCol && col <= m_maxCol;
    }
    constexpr bool InRange(const CCellID& cell) const { return InRange(cell.row, cell.col); }

    constexpr int GetMinRow() const { return m_minRow; }
    constexpr int GetMinCol() const { return m_minCol; }
    constexpr int GetMaxRow() const { return m_maxRow; }
    constexpr int GetMaxCol() const { return m_maxCol; }
    void SetMinRow(int row) { m_minRow = row; }
    void SetMinCol(int col) { m_minCol = col; }
    void SetMaxRow(int row) { m_maxRow = row; }
    void SetMaxCol(int col) { m_maxCol = col; }
    constexpr CCellID GetTopLeft() const { return CCellID(m_minRow, m_minCol); }
    constexpr int Count() const { return (m_maxRow - m_minRow + 1) * (m_maxCol - m_minCol + 1); }

    constexpr bool operator==(const CCellSpan&) const = default;

  private:
    int m_minRow = -1;
    int m_minCol = -1;
    int m_maxRow = -1;
    int m_maxCol = -1;
};
