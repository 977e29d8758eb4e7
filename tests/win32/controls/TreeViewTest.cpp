#include "ControlHost.h"

#include <cstring>
#include <vector>

using namespace KW;
using kwtest::ControlHost;

namespace {

// Context menus are modal: a timer running inside the menu's loop notes which menu is open and
// closes it.
std::vector<HMENU> openedMenus;

void CALLBACK closeOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menuWindow = nullptr;
    while ((menuWindow = FindWindowExA(nullptr, menuWindow, "#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(menuWindow)) {
            openedMenus.push_back(reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)));
            EndMenu();
            return;
        }
    }
}

struct MenuCloser {
    UINT_PTR timer;
    MenuCloser() : timer(SetTimer(nullptr, 0, 20, closeOpenMenu)) { openedMenus.clear(); }
    ~MenuCloser() { KillTimer(nullptr, timer); }
};

struct TreeViews : ControlHost {
    KWTreeView* tree = KWTreeView::create(STYLE_SIZABLE, 10, 10, 250, 200, parent(), 12);
    HWND window() { return tree->getHandle(); }

    TVITEMA readItem(int item, char* text = nullptr, int textSize = 0) {
        TVITEMA record = {};
        record.mask = TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | (text ? TVIF_TEXT : 0);
        record.hItem = tree->getItemHandle(item);
        record.pszText = text;
        record.cchTextMax = textSize;
        EXPECT_TRUE(SendMessageA(window(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)));
        return record;
    }
    std::string textOf(int item) {
        char text[256] = {};
        readItem(item, text, sizeof(text) - 1);
        return text;
    }
    HTREEITEM next(UINT relation, HTREEITEM from = nullptr) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(window(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
    }
    HTREEITEM selected() { return next(TVGN_CARET); }

    // A right click at a client point with the cursor there, then the queue is pumped until it has run.
    void rightClickAt(POINT point) {
        MenuCloser closer;
        POINT screen = point;
        ClientToScreen(window(), &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        PostMessageA(window(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        kwtest::pumpMessages();
        // Leave the timer time to fire should a menu still be opening.
        kwtest::pumpUntil([] { return !openedMenus.empty(); }, 200);
    }
    void rightClick(int item) {
        // TVM_GETITEMRECT takes the item handle in the rectangle's first bytes.
        RECT rect = {};
        HTREEITEM handle = tree->getItemHandle(item);
        std::memcpy(&rect, &handle, sizeof(handle));
        ASSERT_TRUE(SendMessageA(window(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
        rightClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    KWContext* menuWith(const char* entry) {
        KWContext* menu = KWContext::create();
        menu->addItem(1, -1, entry, false);
        return menu;
    }
};

} // namespace

TEST_F(TreeViews, IsALinedTreeWithoutTheLibraryFont) {
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(kwtest::windowClassName(window()), "SysTreeView32");
    // The platform drops the scroll-bar bit while nothing needs scrolling.
    EXPECT_EQ(kwtest::styleOf(window()) & ~WS_HSCROLL & 0x50100007, 0x50000007);
    for (int i = 0; i < 3; ++i) {
        tree->addItem(-1, -1, 0, std::string(400, 'w'));
    }
    EXPECT_EQ(kwtest::styleOf(window()) & WS_HSCROLL, WS_HSCROLL);
    EXPECT_EQ(tree->getType(), GADGET_TREEVIEW);
    EXPECT_EQ(tree->getId(), 12);
    kwtest::expectRect(kwtest::rectInParent(window()), 10, 260, 10, 210);
    EXPECT_NE(reinterpret_cast<HGDIOBJ>(SendMessageA(window(), WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(TreeViews, ItemsCarryTextGroupAndParent) {
    const int system = tree->addItem(-1, 3, 4, "System1");
    const int second = tree->addItem(-1, -1, 5, "System2");
    const int child = tree->addItem(system, -1, 6, "Emitter");
    const int grandChild = tree->addItem(child, -1, -9, "Particle");
    for (int item : {system, second, child, grandChild}) {
        EXPECT_NE(item, 0);
        EXPECT_NE(item, -1);
        EXPECT_TRUE(tree->getItemHandle(item));
        EXPECT_EQ(tree->getItemId(tree->getItemHandle(item)), item);
    }
    EXPECT_EQ(SendMessageA(window(), TVM_GETCOUNT, 0, 0), 4);

    EXPECT_EQ(textOf(system), "System1");
    EXPECT_EQ(readItem(system).lParam, 4);
    EXPECT_EQ(readItem(grandChild).lParam, -9);
    EXPECT_EQ(textOf(grandChild), "Particle");

    // Roots are appended in order; children hang below the item they name.
    EXPECT_EQ(next(TVGN_ROOT), tree->getItemHandle(system));
    EXPECT_EQ(next(TVGN_NEXT, tree->getItemHandle(system)), tree->getItemHandle(second));
    EXPECT_EQ(next(TVGN_PARENT, tree->getItemHandle(child)), tree->getItemHandle(system));
    EXPECT_EQ(next(TVGN_PARENT, tree->getItemHandle(grandChild)), tree->getItemHandle(child));
    EXPECT_EQ(next(TVGN_PARENT, tree->getItemHandle(second)), nullptr);

    // 0 names the root as the platform's null parent does.
    const int third = tree->addItem(0, -1, 0, "System3");
    EXPECT_EQ(next(TVGN_NEXT, tree->getItemHandle(second)), tree->getItemHandle(third));
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST_F(TreeViews, ImagesOnlyWithAListAndAnIndex) {
    const int plain = tree->addItem(-1, 3, 0, "System1");
    EXPECT_EQ(readItem(plain).iImage, 0);
    EXPECT_EQ(readItem(plain).iSelectedImage, 0);

    KWImageList* images = KWImageList::create(16, 16);
    tree->setImageList(images);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(window(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
              images->handle);
    const int pictured = tree->addItem(-1, 3, 0, "System2");
    EXPECT_EQ(readItem(pictured).iImage, 3);
    EXPECT_EQ(readItem(pictured).iSelectedImage, 3);
    const int none = tree->addItem(-1, -1, 0, "System3");
    EXPECT_EQ(readItem(none).iImage, 0);
}

TEST_F(TreeViews, UnknownParentsAreRefusedWithAMessage) {
    const int root = tree->addItem(-1, -1, 0, "root");
    for (int bogus : {root + 1000, -2, 123456789}) {
        EXPECT_EQ(tree->addItem(bogus, -1, 0, "lost"), 0);
        kwtest::expectSingleError("Failed to add item to Treeview");
    }
    EXPECT_EQ(SendMessageA(window(), TVM_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(tree->getItemHandle(0), nullptr);
    EXPECT_EQ(tree->getItemHandle(-1), nullptr);
}

TEST_F(TreeViews, ItemsInsertedByTheClientGetIdsToo) {
    const int root = tree->addItem(-1, -1, 2, "root");
    TVINSERTSTRUCTA insert = {};
    insert.hParent = tree->getItemHandle(root);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>("raw");
    insert.item.lParam = 2;
    HTREEITEM raw = reinterpret_cast<HTREEITEM>(
        SendMessageA(window(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    ASSERT_TRUE(raw);
    const int id = tree->getItemId(raw);
    EXPECT_NE(id, 0);
    EXPECT_NE(id, root);
    EXPECT_EQ(tree->getItemHandle(id), raw);
    EXPECT_EQ(tree->getItemId(nullptr), 0);
    // It takes children like any other item.
    const int below = tree->addItem(id, -1, 0, "below");
    EXPECT_EQ(next(TVGN_PARENT, tree->getItemHandle(below)), raw);
}

TEST_F(TreeViews, RightClickSelectsTheItemAndOpensItsGroupMenu) {
    KWContext* emitters = menuWith("Add emitter");
    KWContext* particles = menuWith("Add particle");
    tree->addGroupContext(1, emitters);
    tree->addGroupContext(2, particles);
    const int system = tree->addItem(-1, -1, 1, "System");
    const int particle = tree->addItem(-1, -1, 2, "Particle");
    SendMessageA(window(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(tree->getItemHandle(system)));

    rightClick(particle);
    EXPECT_EQ(selected(), tree->getItemHandle(particle));
    ASSERT_EQ(openedMenus.size(), 1u);
    EXPECT_EQ(openedMenus[0], particles->getHandle());

    rightClick(system);
    EXPECT_EQ(selected(), tree->getItemHandle(system));
    ASSERT_EQ(openedMenus.size(), 1u);
    EXPECT_EQ(openedMenus[0], emitters->getHandle());
}

TEST_F(TreeViews, TheFirstMenuOfAGroupWinsAndGroupsWithoutMenuOpenNone) {
    KWContext* first = menuWith("first");
    KWContext* second = menuWith("second");
    tree->addGroupContext(1, nullptr);
    tree->addGroupContext(1, first);
    tree->addGroupContext(1, second);
    const int item = tree->addItem(-1, -1, 1, "one");
    const int lonely = tree->addItem(-1, -1, 7, "seven");

    rightClick(item);
    ASSERT_EQ(openedMenus.size(), 1u);
    EXPECT_EQ(openedMenus[0], first->getHandle());

    rightClick(lonely);
    EXPECT_EQ(selected(), tree->getItemHandle(lonely));
    EXPECT_TRUE(openedMenus.empty());
}

TEST_F(TreeViews, RightClickOnEmptySpaceOpensTheSelectedItemsMenu) {
    KWContext* firstMenu = menuWith("first");
    KWContext* menu = menuWith("selected");
    tree->addGroupContext(2, firstMenu);
    tree->addGroupContext(3, menu);
    tree->addItem(-1, -1, 2, "two");
    const int item = tree->addItem(-1, -1, 3, "three");
    SendMessageA(window(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(tree->getItemHandle(item)));

    rightClickAt(POINT{200, 180});
    EXPECT_EQ(selected(), tree->getItemHandle(item));
    ASSERT_EQ(openedMenus.size(), 1u);
    EXPECT_EQ(openedMenus[0], menu->getHandle());
}

TEST_F(TreeViews, ShowingAMenuDirectly) {
    KWContext* menu = menuWith("direct");
    tree->addGroupContext(4, menu);
    const int item = tree->addItem(-1, -1, 4, "four");
    {
        MenuCloser closer;
        tree->showItemContext(item);
        EXPECT_EQ(openedMenus.size(), 1u);
    }
    {
        MenuCloser closer;
        tree->showItemContext(item + 77);
        tree->showItemContext(0);
        kwtest::pumpMessages();
        EXPECT_TRUE(openedMenus.empty());
    }
}

TEST_F(TreeViews, MegabyteItemTextIsStoredWhole) {
    const std::string& big = kwtest::megabyteText();
    const int item = tree->addItem(-1, -1, 0, big);
    ASSERT_NE(item, 0);
    std::vector<char> buffer(big.size() + 1);
    readItem(item, buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_TRUE(std::string(buffer.data()) == big);
}
