// The index of a set's elements by device number: numbers that share a home slot,
// probing that wraps past the end of the table, growth, and reuse after clearing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sim/SimElementIndex.h"

namespace {

TEST(SimElementIndex, CollidingNumbersAreAllFoundThroughGrowthAndWrapAround) {
    sim::ElementIndex index;
    std::vector<std::uint32_t> numbers;
    // Multiples of 64 share a home slot in every table up to 64 slots; 63 + 64k sit at
    // the last slot and probe on from the first.
    for (std::uint32_t k = 0; k < 40; ++k) {
        numbers.push_back(64 * k);
        numbers.push_back(63 + 64 * k);
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        EXPECT_EQ(index.Find(numbers[i]), sim::ElementIndex::kNone) << numbers[i];
        index.Insert(numbers[i], i);
        for (std::size_t j = 0; j <= i; ++j) {
            ASSERT_EQ(index.Find(numbers[j]), j) << "after " << i << " inserts";
        }
    }
    EXPECT_GE(index.Slots(), 2 * numbers.size());
    for (const std::uint32_t absent : {1u, 62u, 64u * 40, 63u + 64 * 40, UINT32_MAX}) {
        EXPECT_EQ(index.Find(absent), sim::ElementIndex::kNone) << absent;
    }

    const std::size_t slots = index.Slots();
    index.Clear();
    EXPECT_EQ(index.Slots(), slots);
    for (const std::uint32_t number : numbers) {
        EXPECT_EQ(index.Find(number), sim::ElementIndex::kNone) << number;
    }
    index.Insert(0, 7);
    EXPECT_EQ(index.Find(0), 7u);
    EXPECT_EQ(index.Find(64), sim::ElementIndex::kNone);
}

}  // namespace
