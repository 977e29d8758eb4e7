#include "EditorShell.h"
#include "ResourceCounters.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using kwtest::ResourceCounters;

namespace {

void buildAndDestroy(demo::ShellImages& images) {
    KW::KWWindow* window = demo::buildEditorShell(images);
    ShowWindow(window->getHandle(), SW_SHOW);
    kwtest::pumpMessages();
    delete window;
    kwtest::pumpMessages();
}

} // namespace

TEST(ShellLifetime, BuildingAndDestroyingTheWholeTreeGivesEverythingBack) {
    demo::ShellImages images;
    // The first builds load the bitmaps and warm the caches of the platform.
    for (int i = 0; i < 3; ++i) {
        buildAndDestroy(images);
    }
    ASSERT_TRUE(kwtest::messageBoxes().empty()) << kwtest::messageBoxes()[0].text;
    const ResourceCounters before = kwtest::readResourceCounters();

    for (int i = 0; i < 200; ++i) {
        buildAndDestroy(images);
    }
    const ResourceCounters after = kwtest::readResourceCounters();

    EXPECT_EQ(after.windowCount, before.windowCount);
    // Each build attaches two new popup menus to a window bar; the menus die with the window, their
    // small context records stay with the application by design.
    EXPECT_LT(after.privateBytes, before.privateBytes + 4 * 1024 * 1024)
        << "private bytes grew from " << before.privateBytes << " to " << after.privateBytes;
    EXPECT_GT(before.gdiObjects, 0u);
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 4)
        << "GDI objects grew from " << before.gdiObjects << " to " << after.gdiObjects;
    if (before.userObjects != 0) {
        EXPECT_LE(after.userObjects, before.userObjects + 4);
    }
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}
