// Row and column sizes with running totals.
#include "gridsizearray.h"

#include <algorithm>
#include <utility>

void GridSizeArray::Changed(std::size_t i, long long delta) {
    m_total += delta;
    if (m_fixedCount >= 0 && i < static_cast<std::size_t>(m_fixedCount)) m_fixedTotal += delta;
}

void GridSizeArray::Set(std::size_t i, unsigned size) {
    const long long delta = static_cast<long long>(size) - m_sizes[i];
    m_sizes[i] = size;
    Changed(i, delta);
}

void GridSizeArray::Insert(std::size_t i, unsigned size) {
    m_sizes.insert(m_sizes.begin() + static_cast<std::ptrdiff_t>(i), size);
    m_total += size;
    // The band now ends one size earlier in the old order.
    if (m_fixedCount >= 0 && i < static_cast<std::size_t>(m_fixedCount)) m_fixedCount = -1;
}

void GridSizeArray::Erase(std::size_t i) {
    const unsigned size = m_sizes[i];
    m_sizes.erase(m_sizes.begin() + static_cast<std::ptrdiff_t>(i));
    m_total -= size;
    if (m_fixedCount >= 0 && i < static_cast<std::size_t>(m_fixedCount)) m_fixedCount = -1;
}

void GridSizeArray::PushBack(unsigned size) {
    m_sizes.push_back(size);
    Changed(m_sizes.size() - 1, size);
}

void GridSizeArray::Resize(std::size_t n, unsigned size) {
    const std::size_t old = m_sizes.size();
    if (n < old) {
        for (std::size_t i = n; i < old; ++i)
            m_total -= m_sizes[i];
    }
    m_sizes.resize(n, size);
    if (n > old) m_total += static_cast<long long>(n - old) * size;
    if (m_fixedCount >= 0 && std::min(n, old) < static_cast<std::size_t>(m_fixedCount))
        m_fixedCount = -1;
}

void GridSizeArray::Assign(std::size_t n, unsigned size) {
    m_sizes.assign(n, size);
    m_total = static_cast<long long>(n) * size;
    m_fixedCount = -1;
}

void GridSizeArray::Clear() {
    m_sizes.clear();
    m_total = 0;
    m_fixedCount = -1;
}

void GridSizeArray::Swap(std::size_t i, std::size_t j) {
    std::swap(m_sizes[i], m_sizes[j]);
    if (m_fixedCount >= 0 && (i < static_cast<std::size_t>(m_fixedCount)) !=
                                 (j < static_cast<std::size_t>(m_fixedCount)))
        m_fixedCount = -1;
}

long long GridSizeArray::FixedTotal(int fixedCount) const {
    if (fixedCount < 0) fixedCount = 0;
    if (fixedCount != m_fixedCount) {
        const std::size_t n = std::min(m_sizes.size(), static_cast<std::size_t>(fixedCount));
        m_fixedTotal = 0;
        for (std::size_t i = 0; i < n; ++i)
            m_fixedTotal += m_sizes[i];
        m_fixedCount = fixedCount;
    }
    return m_fixedTotal;
}
