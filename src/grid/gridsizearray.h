// The sizes of the rows (or columns) of a grid, in pixels, with their total
// and the total of the leading fixed ones kept up to date, so that the scroll
// bars can be sized after every insert or delete without a walk.
#pragma once

#include <cstddef>
#include <vector>

class GridSizeArray {
  public:
    std::size_t size() const { return m_sizes.size(); }
    bool empty() const { return m_sizes.empty(); }
    unsigned operator[](std::size_t i) const { return m_sizes[i]; }

    // Each change keeps the totals; may throw std::bad_alloc, leaving the
    // array as it was.
    void Set(std::size_t i, unsigned size);
    void Insert(std::size_t i, unsigned size);
    void Erase(std::size_t i);
    void PushBack(unsigned size);
    void Resize(std::size_t n, unsigned size = 0);
    void Assign(std::size_t n, unsigned size);
    void Reserve(std::size_t n) { m_sizes.reserve(n); }
    void Clear();
    void Swap(std::size_t i, std::size_t j);

    // The sum of every size.
    long long Total() const { return m_total; }
    // The sum of the first fixedCount sizes (all of them when there are fewer).
    long long FixedTotal(int fixedCount) const;

  private:
    // Changes inside the cached fixed band adjust its sum or mark it stale.
    void Changed(std::size_t i, long long delta);

    std::vector<unsigned> m_sizes;
    long long m_total = 0;
    // The fixed band's sum for m_fixedCount sizes; a count of -1 is stale.
    mutable int m_fixedCount = -1;
    mutable long long m_fixedTotal = 0;
};
