#include "controls/logic/ComboGeometry.h"
#include "controls/logic/ItemSearch.h"
#include "controls/logic/TreeItemIds.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

using namespace KW;

namespace {

int findIn(const std::vector<std::intptr_t>& data, int id) {
    return items::firstIndexWithId(
        static_cast<int>(data.size()), [&data](int i) { return data[static_cast<std::size_t>(i)]; }, id);
}

} // namespace

TEST(ItemSearch, FirstOfEqualIdsWinsAndMissingIsMinusOne) {
    const std::vector<std::intptr_t> data = {7, 3, 9, 3};
    EXPECT_EQ(findIn(data, 3), 1);
    EXPECT_EQ(findIn(data, 7), 0);
    EXPECT_EQ(findIn(data, 4), -1);
    EXPECT_EQ(findIn({}, 3), -1);
}

TEST(ItemSearch, NegativeIdsCompareSignExtended) {
    // An id of -5 is stored sign-extended; data that only shares its low 32 bits is another value.
    std::vector<std::intptr_t> data = {static_cast<std::intptr_t>(-5)};
    EXPECT_EQ(findIn(data, -5), 0);
    if (sizeof(std::intptr_t) > 4) {
        data[0] = static_cast<std::intptr_t>(0xFFFFFFFBu);
        EXPECT_EQ(findIn(data, -5), -1);
    }
}

TEST(ComboGeometry, FieldIsSixPixelsLowerButNeverEmpty) {
    EXPECT_EQ(combo::selectionFieldHeight(20), 14);
    EXPECT_EQ(combo::selectionFieldHeight(7), 1);
    EXPECT_EQ(combo::selectionFieldHeight(6), 1);
    EXPECT_EQ(combo::selectionFieldHeight(-30), 1);
}

TEST(TreeItemIds, IdsRoundTripWhateverTheHandleWidth) {
    treeitems::ItemIdTable table;
    // Handles as 64-bit item pointers look, above what an int can hold where pointers are wide.
    const std::uintptr_t wide =
        static_cast<std::uintptr_t>(sizeof(std::uintptr_t) > 4 ? 0x7FF612340000ull : 0x81234000ull);
    const std::uintptr_t other = wide + 0x40;
    const int first = table.idFor(wide);
    const int second = table.idFor(other);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(table.handleOf(first), wide);
    EXPECT_EQ(table.handleOf(second), other);
    // A handle keeps its id.
    EXPECT_EQ(table.idFor(wide), first);
    EXPECT_EQ(table.idFor(other), second);
}

TEST(TreeItemIds, NullAndUnknownNameNothing) {
    treeitems::ItemIdTable table;
    EXPECT_EQ(table.idFor(0), 0);
    table.idFor(0x1000);
    EXPECT_EQ(table.handleOf(0), 0u);
    EXPECT_EQ(table.handleOf(-1), 0u);
    EXPECT_EQ(table.handleOf(2), 0u);
    EXPECT_EQ(table.handleOf(INT_MIN), 0u);
    EXPECT_EQ(table.handleOf(INT_MAX), 0u);
}

TEST(TreeItemIds, RunningOutOfIdsFailsWithZeroInsteadOfWrapping) {
    treeitems::ItemIdTable table(INT_MAX - 1);
    EXPECT_EQ(table.idFor(0x10), INT_MAX - 1);
    EXPECT_EQ(table.idFor(0x20), INT_MAX);
    EXPECT_EQ(table.idFor(0x30), 0);
    EXPECT_EQ(table.handleOf(INT_MAX), 0x20u);
    // Known handles still answer.
    EXPECT_EQ(table.idFor(0x10), INT_MAX - 1);
}
