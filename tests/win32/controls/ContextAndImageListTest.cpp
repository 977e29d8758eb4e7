#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace KW;

namespace {

std::string itemText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

} // namespace

TEST(Context, PopupEntriesTakeChildrenAndCommandsRecordTheirMenu) {
    KWContext* context = KWContext::create();
    HMENU root = context->getHandle();
    ASSERT_TRUE(IsMenu(root));

    context->addItem(10, -1, "File", true);
    context->addItem(11, 10, "Open", false);
    ASSERT_EQ(GetMenuItemCount(root), 1);
    EXPECT_EQ(itemText(root, 0), "File");
    HMENU file = GetSubMenu(root, 0);
    ASSERT_TRUE(file);
    ASSERT_EQ(GetMenuItemCount(file), 1);
    EXPECT_EQ(itemText(file, 0), "Open");
    EXPECT_EQ(GetMenuItemID(file, 0), 11u);

    // A command inside a submenu records no menu: nothing can be added below it.
    context->addItem(12, 11, "Subitem", false);
    EXPECT_EQ(GetMenuItemCount(file), 1);
    EXPECT_EQ(GetMenuItemCount(root), 1);

    // A top-level command records the root menu, so children of it land in the root.
    context->addItem(20, -1, "Help", false);
    context->addItem(21, 20, "Save", false);
    ASSERT_EQ(GetMenuItemCount(root), 3);
    EXPECT_EQ(itemText(root, 2), "Save");
    EXPECT_EQ(GetMenuItemID(root, 2), 21u);

    // Unknown parents add nothing and record nothing.
    context->addItem(30, 99, "x", false);
    context->addItem(31, 30, "y", false);
    EXPECT_EQ(GetMenuItemCount(root), 3);
}

TEST(Context, DuplicateIdsResolveToTheFirstEntry) {
    KWContext* context = KWContext::create();
    context->addItem(1, -1, "First", true);
    context->addItem(1, -1, "Second", true);
    context->addItem(2, 1, "Child", false);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(context->getHandle(), 0)), 1);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(context->getHandle(), 1)), 0);
}

TEST(ImageList, StripsBecomeImagesAndMagentaIsTransparent) {
    const std::string path = "kw_strip_512x16.bmp";
    ASSERT_TRUE(kwtest::writeBitmapFile(
        path, 512, 16, [](int x, int) { return (x % 16) < 8 ? RGB(255, 0, 255) : RGB(0, 0, 200); }));
    KWImageList* list = KWImageList::create(16, 16);
    ASSERT_TRUE(list->handle);
    kwtest::clearMessageBoxes();
    EXPECT_EQ(list->addImage(path), 0);
    EXPECT_EQ(ImageList_GetImageCount(list->handle), 32);
    EXPECT_EQ(list->addImage(path), 32);
    EXPECT_EQ(ImageList_GetImageCount(list->handle), 64);
    EXPECT_TRUE(kwtest::messageBoxes().empty());

    // Draw image 3 over white: the magenta half shows the white behind it.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(memory, target);
    RECT all = {0, 0, 16, 16};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list->handle, 3, memory, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(GetPixel(memory, 2, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memory, 12, 5), RGB(0, 0, 200));
    SelectObject(memory, old);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteFileA(path.c_str());
}

TEST(ImageList, MissingFileIsReportedAndChangesNothing) {
    KWImageList* list = KWImageList::create(16, 16);
    kwtest::clearMessageBoxes();
    EXPECT_EQ(list->addImage("no_such_file.bmp"), -1);
    EXPECT_EQ(ImageList_GetImageCount(list->handle), 0);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "WK_Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Failed to Load image");
}
