// A value for some of a row's columns, such as the editor kind or the choice
// list of the columns that have one. A row sets a few columns, so the first
// of them lie inside the row's own record and only more go to the heap: a
// hash table would cost allocations for its buckets and nodes in every row
// of the list, each one more place for a rebuild of a long list to fetch.
#pragma once

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

// kInline: how many columns lie inside the record; 0 for a value that rows
// seldom set, so that it takes no room in rows that have none.
template <class Value, std::size_t kInline> class ColumnMap {
    using Entry = std::pair<int, Value>;

  public:
    // The column's value, made (value-initialised) when the column has none.
    Value& operator[](int column) {
        for (Entry& entry : *this)
            if (entry.first == column) return entry.second;
        if (inline_ < first_.size()) {
            first_[inline_] = Entry(column, Value{});
            return first_[inline_++].second;
        }
        more_.emplace_back(column, Value{});
        return more_.back().second;
    }

    // The column's value, or null when it has none.
    const Value* Find(int column) const {
        for (const Entry& entry : *this)
            if (entry.first == column) return &entry.second;
        return nullptr;
    }

    // Walks the (column, value) pairs in the order the columns were first set.
    template <class Map, class Pair> class Iterator {
      public:
        Iterator(Map* map, std::size_t at) : map_(map), at_(at) {}
        Pair& operator*() const {
            return at_ < map_->inline_ ? map_->first_[at_] : map_->more_[at_ - map_->inline_];
        }
        Pair* operator->() const { return &**this; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }

      private:
        Map* map_;
        std::size_t at_;
    };

    Iterator<ColumnMap, Entry> begin() { return {this, 0}; }
    Iterator<ColumnMap, Entry> end() { return {this, size()}; }
    Iterator<const ColumnMap, const Entry> begin() const { return {this, 0}; }
    Iterator<const ColumnMap, const Entry> end() const { return {this, size()}; }

  private:
    std::size_t size() const { return inline_ + more_.size(); }

    std::array<Entry, kInline> first_{};
    std::size_t inline_ = 0;
    std::vector<Entry> more_;
};
