#include "windows/logic/LayoutFit.h"
#include "windows/logic/LayoutText.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace KW::layout;

namespace {

const std::string full = "kwlayout 1.0;window -90 70 640 480 1;splitter . 1 290;splitter 4/-1#2 1#1 0;"
                         "section 5/30 2 1;tab 5#1/21 2;end 5";

} // namespace

TEST(LayoutText, PrintsWhatItReads) {
    for (const std::string& text : {full, std::string("kwlayout 1.0;end 0")}) {
        Layout layout;
        std::string error;
        ASSERT_TRUE(parse(text, layout, error)) << text << ": " << error;
        EXPECT_EQ(print(layout), text);
    }
    Layout layout;
    std::string error;
    ASSERT_TRUE(parse(full, layout, error));
    EXPECT_TRUE(layout.placement.maximized);
    EXPECT_EQ(layout.placement.x, -90);
    ASSERT_EQ(layout.entries.size(), 4u);
    EXPECT_EQ(layout.entries[1].path, (Path{Key{4, 0}, Key{-1, 2}}));
    EXPECT_EQ(layout.entries[1].item, (Key{1, 1}));
    EXPECT_EQ(layout.entries[3].kind, EntryKind::Tab);
    EXPECT_EQ(layout.entries[3].value, 2);
}

TEST(LayoutText, RefusesBadTextAndKeepsTheLayout) {
    const char* bad[] = {
        "",
        "kwlayout",
        "kwlayout 2.0;end 0",
        "kwlayout 0.9;end 0",
        "kwlayout 1;end 0",
        "layout 1.0;end 0",
        "kwlayout 1.0;end 1",
        "kwlayout 1.0;end 0;",
        "kwlayout 1.0;end 00",
        "kwlayout 1.0;splitter . 1 290",
        "kwlayout 1.0;splitter . 1;end 1",
        "kwlayout 1.0;splitter . 1 -5;end 1",
        "kwlayout 1.0;splitter . 1  5;end 1",
        "kwlayout 1.0;splitter 5/ 1 5;end 1",
        "kwlayout 1.0;splitter 5#0 1 5;end 1",
        "kwlayout 1.0;splitter 05 1 5;end 1",
        "kwlayout 1.0;splitter . 1 99999999;end 1",
        "kwlayout 1.0;section . 1 2;end 1",
        "kwlayout 1.0;tab . 1 2;end 1",
        "kwlayout 1.0;window 1 2 3 4 0;window 1 2 3 4 0;end 2",
        "kwlayout 1.0;window 1 2 0 4 0;end 1",
        "kwlayout 1.0;window 1 2 3 4;end 1",
        "kwlayout 1.0;ribbon 3;end 1",
        "kwlayout 1.0;tab . -0;end 1",
        "kwlayout 1.0;tab . 1\n;end 1",
        "kwlayout 1.0;tab . 1;end 1\n",
    };
    for (const char* text : bad) {
        Layout layout;
        layout.entries.resize(3);
        std::string error;
        EXPECT_FALSE(parse(text, layout, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(layout.entries.size(), 3u) << text;
    }
    // Cut anywhere, the text is refused.
    for (std::size_t length = 0; length < full.size(); ++length) {
        Layout layout;
        std::string error;
        EXPECT_FALSE(parse(full.substr(0, length), layout, error)) << full.substr(0, length);
    }
}

TEST(LayoutText, ReadsALaterMinorVersionPassingOverNewEntries) {
    Layout layout;
    std::string error;
    ASSERT_TRUE(parse("kwlayout 1.7;ribbon 3 x;tab . 1;end 2", layout, error)) << error;
    EXPECT_EQ(layout.minor, 7);
    ASSERT_EQ(layout.entries.size(), 1u);
    EXPECT_EQ(print(layout), "kwlayout 1.0;tab . 1;end 1");
}

TEST(LayoutFit, ScalesAndBringsWindowsIntoTheWorkArea) {
    EXPECT_EQ(toBaseDpi(435, 144), 290);
    EXPECT_EQ(fromBaseDpi(290, 144), 435);
    struct Case {
        Area window, expected;
    } cases[] = {
        {{100, 100, 740, 580}, {100, 100, 740, 580}},        // inside: unchanged
        {{-3000, 50, -2360, 530}, {0, 50, 640, 530}},        // far left
        {{1700, 1000, 2340, 1480}, {1280, 544, 1920, 1024}}, // past the bottom right
        {{10, 10, 3010, 2010}, {0, 0, 1920, 1024}},          // larger than the area
    };
    const Area work{0, 0, 1920, 1024};
    for (const Case& c : cases) {
        const Area f = fitInto(c.window, work);
        EXPECT_EQ(std::make_tuple(f.left, f.top, f.right, f.bottom),
                  std::make_tuple(c.expected.left, c.expected.top, c.expected.right, c.expected.bottom));
    }
}
