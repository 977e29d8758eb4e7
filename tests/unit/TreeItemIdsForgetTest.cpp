#include "controls/logic/TreeItemIds.h"

#include <gtest/gtest.h>

using namespace KW;

TEST(TreeItemIdsForget, AForgottenIdNamesNothingAndItsHandleGetsANewId) {
    treeitems::ItemIdTable table;
    const int first = table.idFor(0x100);
    const int second = table.idFor(0x200);
    table.forget(first);
    EXPECT_EQ(table.handleOf(first), 0u);
    EXPECT_EQ(table.handleOf(second), 0x200u);
    // The platform may hand the freed handle to a new item: it must not take the old int.
    EXPECT_EQ(table.idFor(0x100), 3);
    // Unknown ids are ignored.
    table.forget(0);
    table.forget(99);
    EXPECT_EQ(table.handleOf(second), 0x200u);
}

TEST(TreeItemIdsForget, ForgettingAllKeepsCountingUp) {
    treeitems::ItemIdTable table;
    table.idFor(0x100);
    table.idFor(0x200);
    table.forgetAll();
    EXPECT_EQ(table.handleOf(1), 0u);
    EXPECT_EQ(table.handleOf(2), 0u);
    EXPECT_EQ(table.idFor(0x200), 3);
    EXPECT_EQ(table.handleOf(3), 0x200u);
}
