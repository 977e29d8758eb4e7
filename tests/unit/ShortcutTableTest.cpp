#include "windows/logic/ShortcutTable.h"

#include <gtest/gtest.h>

using KW::shortcuts::ShortcutTable;

TEST(ShortcutTable, MatchesExactModifiersAndLaterEntriesReplaceEarlierOnes) {
    ShortcutTable table;
    const int control = 2, shift = 4, windowsKey = 8;
    table.add('S', control, 10);
    table.add('S', control | shift, 11);
    table.add('S', control | windowsKey, 12); // the Windows-key bit is dropped: replaces 10
    int command = 0;
    EXPECT_TRUE(table.find('S', control, command));
    EXPECT_EQ(12, command);
    EXPECT_TRUE(table.find('S', control | shift, command));
    EXPECT_EQ(11, command);
    EXPECT_FALSE(table.find('S', 0, command));
    EXPECT_FALSE(table.find('Z', control, command));
}
