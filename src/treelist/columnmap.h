// A value for some of a row's columns, such as the editor kind or the choice
// list of the columns that have one. A row sets a few columns, so they lie
// in one small array, searched in order, rather than in a hash table whose
// buckets and nodes each cost an allocation for every row of the list.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <class Value> class ColumnMap {
  public:
    // The column's value, made (value-initialised) when the column has none.
    Value& operator[](int column) {
        for (auto& entry : entries_)
            if (entry.first == column) return entry.second;
        if (entries_.empty()) entries_.reserve(kFirstCapacity);
        entries_.emplace_back(column, Value{});
        return entries_.back().second;
    }

    // The column's value, or null when it has none.
    const Value* Find(int column) const {
        for (const auto& entry : entries_)
            if (entry.first == column) return &entry.second;
        return nullptr;
    }

    // (column, value) pairs, in the order the columns were first set.
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

  private:
    // Room for what a row usually sets, had in one allocation.
    static constexpr std::size_t kFirstCapacity = 4;
    std::vector<std::pair<int, Value>> entries_;
};
