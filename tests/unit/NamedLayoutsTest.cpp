#include "logic/NamedLayouts.h"

#include <gtest/gtest.h>

using namespace pelmora;

TEST(NamedLayouts, OnlyTheDockEntriesOfALayoutAreKept) {
    const struct {
        const char* text;
        const char* kept;
    } cases[] = {
        {"kwlayout 1.1;window 0 0 800 600 1;dock 10 l155([*11],c);tab 10/12/-1 0;end 3",
         "kwlayout 1.1;dock 10 l155([*11],c);end 1"},
        {"kwlayout 1.1;dock 10 c;dock 20 c;end 2", "kwlayout 1.1;dock 10 c;dock 20 c;end 2"},
        // A layout of the version before the dock, and text that is no layout, give nothing to keep.
        {"kwlayout 1.0;window 0 0 800 600 1;splitter . 1 155;end 2", ""},
        {"dock 10 c", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dockEntriesOf(c.text), c.kept) << c.text;
    }
}

TEST(NamedLayouts, ANameIsKeptOnceAndTheListIsBounded) {
    std::vector<NamedLayout> layouts;
    EXPECT_TRUE(keepLayout(layouts, {"Wide", "kwlayout 1.1;dock 10 c;end 1"}));
    EXPECT_TRUE(keepLayout(layouts, {"wide", "kwlayout 1.1;dock 11 c;end 1"}));
    ASSERT_EQ(1u, layouts.size());
    EXPECT_EQ("wide", layouts[0].name);
    EXPECT_EQ("kwlayout 1.1;dock 11 c;end 1", layouts[0].layout);
    for (const char* name : {"", "   ", "tab\there"}) {
        EXPECT_FALSE(keepLayout(layouts, {name, "kwlayout 1.1;end 0"})) << name;
    }
    EXPECT_FALSE(keepLayout(layouts, {std::string(kMaxLayoutNameBytes + 1, 'n'), "kwlayout 1.1;end 0"}));
    EXPECT_FALSE(keepLayout(layouts, {"Tall", "kwlayout 1.1;\ttab"}));
    while (layouts.size() < kMaxNamedLayouts) {
        ASSERT_TRUE(keepLayout(layouts, {"L" + std::to_string(layouts.size()), "kwlayout 1.1;end 0"}));
    }
    EXPECT_FALSE(keepLayout(layouts, {"One more", "kwlayout 1.1;end 0"}));
    EXPECT_TRUE(keepLayout(layouts, {"WIDE", "kwlayout 1.1;end 0"}));

    // The settings keep them in order, with the lock; an invalid entry is passed over.
    Settings settings;
    settings.layouts = {layouts[0], layouts[1]};
    settings.layoutLocked = true;
    Settings read;
    std::string error;
    ASSERT_TRUE(readSettings(settingsText(settings), read, error)) << error;
    ASSERT_EQ(2u, read.layouts.size());
    EXPECT_EQ(settings.layouts[1].name, read.layouts[1].name);
    EXPECT_EQ(settings.layouts[1].layout, read.layouts[1].layout);
    EXPECT_TRUE(read.layoutLocked);
    ASSERT_TRUE(readSettings(R"({"format": "pelmora-settings", "layouts": [{"name": "", "layout": "x"},
        {"name": "Ok", "layout": "kwlayout 1.1;end 0"}, 3], "layoutLocked": "yes"})",
                             read, error));
    ASSERT_EQ(1u, read.layouts.size());
    EXPECT_EQ("Ok", read.layouts[0].name);
    EXPECT_FALSE(read.layoutLocked);
}
