// The fast selection sort leaves every array exactly as the wrapper's
// selection sort does, equal elements included.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "selectionsort.h"
#include "wrapper.h"

namespace {

struct Item {
    uint16_t key;
    uint16_t id; // tells equal keys apart; not compared
};

int compareKeys(const void* a, const void* b) {
    const uint16_t x = static_cast<const Item*>(a)->key, y = static_cast<const Item*>(b)->key;
    return x < y ? -1 : x > y ? 1 : 0;
}

bool sameItems(const std::vector<Item>& a, const std::vector<Item>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Item)) == 0);
}

TEST(SelectionSortFast, GivesTheWrappersOrderForEveryArray) {
    std::mt19937 random(7);
    for (uint32_t round = 0; round < 400; ++round) {
        const uint32_t n = round < 40 ? round : random() % 700;
        const uint32_t distinct = 1 + random() % (round % 3 == 0 ? 3 : 1000); // many ties or few
        std::vector<Item> items(n);
        for (uint32_t i = 0; i < n; ++i)
            items[i] = Item{static_cast<uint16_t>(random() % distinct), static_cast<uint16_t>(i)};
        std::vector<Item> expected = items;
        WRAP_SelectionSort(expected.data(), n, sizeof(Item), compareKeys);
        DB_SelectionSortFast(items.data(), n, sizeof(Item), compareKeys);
        ASSERT_TRUE(sameItems(items, expected)) << "round " << round << " n " << n;
    }
}

TEST(SelectionSortFast, MovesEqualElementsAsTheSelectionSortDoes) {
    // Swapping the 1 to the front puts the first 2 behind the second: not
    // the order a stable sort gives.
    std::vector<Item> items = {{2, 0}, {2, 1}, {1, 2}, {2, 3}};
    DB_SelectionSortFast(items.data(), 4, sizeof(Item), compareKeys);
    const std::vector<Item> expected = {{1, 2}, {2, 1}, {2, 0}, {2, 3}};
    EXPECT_TRUE(sameItems(items, expected));
    DB_SelectionSortFast(nullptr, 4, sizeof(Item), compareKeys); // nothing to do
    DB_SelectionSortFast(items.data(), 4, sizeof(Item), nullptr);
    EXPECT_TRUE(sameItems(items, expected));
}

} // namespace
