#include "selectionsort.h"

#include "dballoc.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu; // a position already sorted, or padding

class Tournament {
  public:
    Tournament(uint8_t* elements, uint32_t count, uint32_t size, WRAP_Comparator cmp)
        : elements_(elements), count_(count), size_(size), cmp_(cmp) {}

    bool Build() {
        leaves_ = 1;
        while (leaves_ < count_)
            leaves_ *= 2;
        tree_.reset(DB_NewArray<uint32_t>(2 * leaves_));
        temp_.reset(DB_NewArray<uint8_t>(size_));
        if (tree_ == nullptr || temp_ == nullptr) return false;
        for (uint32_t i = 0; i < leaves_; ++i)
            tree_[leaves_ + i] = i < count_ ? i : kNone;
        for (uint32_t node = leaves_ - 1; node >= 1; --node)
            tree_[node] = winner(tree_[2 * node], tree_[2 * node + 1]);
        return true;
    }

    void Sort() {
        for (uint32_t i = 0; i + 1 < count_; ++i) {
            const uint32_t m = tree_[1]; // first minimum of positions i .. count - 1
            swap(i, m);
            set(i, kNone);         // sorted: out of the game
            if (m != i) set(m, m); // holds the element that was at i
        }
    }

  private:
    uint8_t* at(uint32_t i) const { return elements_ + uint64_t{i} * size_; }

    // The left one unless the right one is less: the lower position wins a
    // tie, as the scan of the selection sort keeps its first minimum.
    uint32_t winner(uint32_t left, uint32_t right) const {
        if (left == kNone) return right;
        if (right == kNone) return left;
        return cmp_(at(right), at(left)) < 0 ? right : left;
    }

    void set(uint32_t position, uint32_t value) {
        uint32_t node = leaves_ + position;
        tree_[node] = value;
        for (node /= 2; node >= 1; node /= 2)
            tree_[node] = winner(tree_[2 * node], tree_[2 * node + 1]);
    }

    // Through the temporary also when i == m, as the wrapper does.
    void swap(uint32_t i, uint32_t m) {
        std::memcpy(temp_.get(), at(i), size_);
        std::memmove(at(i), at(m), size_);
        std::memcpy(at(m), temp_.get(), size_);
    }

    uint8_t* elements_;
    uint32_t count_, size_;
    WRAP_Comparator cmp_;
    uint32_t leaves_ = 1;
    std::unique_ptr<uint32_t[]> tree_;
    std::unique_ptr<uint8_t[]> temp_;
};

} // namespace

void DB_SelectionSortFast(void* base, uint32_t count, uint32_t elementSize, WRAP_Comparator cmp) {
    if (base == nullptr || cmp == nullptr || count < 2 || elementSize == 0) return;
    if (count > 0x40000000u) { // no tree that large: the plain sort gives the same order
        WRAP_SelectionSort(base, count, elementSize, cmp);
        return;
    }
    Tournament t(static_cast<uint8_t*>(base), count, elementSize, cmp);
    if (!t.Build()) {
        WRAP_SelectionSort(base, count, elementSize, cmp);
        return;
    }
    t.Sort();
}
