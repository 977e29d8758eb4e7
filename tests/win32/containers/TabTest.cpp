#include "ContainerHelpers.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace KW;

namespace {

// A tab control whose client area is 300 x 200 (the sunken edge takes 2 pixels on each side).
KWTab* tabIn(KWObject* parent) {
    return KWTab::create(STYLE_DEFAULT, 10, 10, 304, 204, parent, 5);
}

std::string tabText(KWTab* tab, int index) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tab->getHandle(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

int tabImage(KWTab* tab, int index) {
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    SendMessageA(tab->getHandle(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int selectedTab(KWTab* tab) {
    return static_cast<int>(SendMessageA(tab->getHandle(), TCM_GETCURSEL, 0, 0));
}

// Clicks the middle of a tab, as the user would: the control itself reports the selection change.
void clickTab(KWTab* tab, int index) {
    RECT rect = {};
    ASSERT_TRUE(SendMessageA(tab->getHandle(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)));
    kwtest::clickAt(tab->getHandle(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// The pages that are visible, in the order given.
std::vector<KWWindow*> shownPages(const std::vector<KWWindow*>& pages) {
    std::vector<KWWindow*> shown;
    for (KWWindow* page : pages) {
        if (IsWindowVisible(page->getHandle())) {
            shown.push_back(page);
        }
    }
    return shown;
}

} // namespace

TEST(Tab, IsATabControlWithAFixedStyle) {
    auto host = kwtest::hostWindow();
    KWTab* tab = KWTab::create(STYLE_SIZABLE, 10, 10, 304, 204, host.get(), 5);
    ASSERT_TRUE(tab && tab->getHandle());
    HWND window = tab->getHandle();
    EXPECT_EQ(kwtest::windowClassName(window), "SysTabControl32");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0400u, 0x54000400u);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(tab->getType(), GADGET_TAB);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));

    // Pages get the client area below the 20-pixel strip.
    const KWBound area = tab->getGlobalBounds();
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.right, 300);
    EXPECT_EQ(area.top, 20);
    EXPECT_EQ(area.bottom, 200);
}

TEST(Tab, RefusesAMissingParent) {
    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWTab::create(STYLE_DEFAULT, 0, 0, 100, 100, nullptr, 0), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "KWTab cannot be created without a parent.Creation failed");
    kwtest::clearMessageBoxes();
}

TEST(Tab, PagesFillTheAreaBelowTheStripAfterAlignment) {
    auto host = kwtest::hostWindow();
    KWTab* tab = tabIn(host.get());
    KWWindow* page = tab->addTab(0, "Emitter");
    ASSERT_TRUE(page && page->getHandle());
    EXPECT_EQ(GetParent(page->getHandle()), tab->getHandle());
    EXPECT_EQ(kwtest::windowClassName(page->getHandle()), "KWWINDOW");
    EXPECT_EQ(tab->getChildCount(), 1);

    // Until the tab is aligned the page stands 23 pixels lower.
    KWBound placed = page->getLocalBounds();
    EXPECT_EQ(placed.top, 43);
    EXPECT_EQ(placed.bottom - placed.top, 180);

    tab->doAlignment();
    placed = page->getLocalBounds();
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.right, 300);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(placed.bottom, 200);

    // Resizing the control re-fits the page, and the page lays out its own children.
    KWPanel* content = KWPanel::create(STYLE_DEFAULT, 0, 0, 10, 10, page, 0);
    content->lockToParent(LOCK_FILL);
    SetWindowPos(tab->getHandle(), nullptr, 0, 0, 404, 254, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    // Compared with the client size read back: the platform's tab control decides its own frame.
    const SIZE client = kwtest::clientSize(tab->getHandle());
    EXPECT_GE(client.cx, 400);
    placed = page->getLocalBounds();
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(placed.right, client.cx);
    EXPECT_EQ(placed.bottom, client.cy);
    EXPECT_EQ(content->getLocalBounds().bottom, client.cy - 20);
}

TEST(Tab, OnlyTheSelectedTabsPageIsVisible) {
    auto host = kwtest::hostWindow();
    KWTab* tab = tabIn(host.get());
    std::vector<KWWindow*> pages;
    for (int i = 0; i < 3; ++i) {
        pages.push_back(tab->addTab(i, "Tab " + std::to_string(i)));
        EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{pages[0]}) << "after tab " << i;
    }
    tab->doAlignment();

    clickTab(tab, 2);
    EXPECT_EQ(selectedTab(tab), 2);
    EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{pages[2]});
    EXPECT_TRUE(pages[2]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());

    clickTab(tab, 1);
    EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{pages[1]});

    // The page shows what is drawn on it: a panel in the second page is on screen.
    KWPanel* panel = KWPanel::create(STYLE_DEFAULT, 0, 0, 100, 100, pages[1], 0);
    const POINT inPanel = {50, 50};
    POINT onTab = inPanel;
    MapWindowPoints(panel->getHandle(), tab->getHandle(), &onTab, 1);
    EXPECT_EQ(kwtest::pixelAt(tab->getHandle(), onTab.x, onTab.y), RGB(210, 208, 212));
}

TEST(Tab, SelectionFollowsARealMouseClick) {
    auto host = kwtest::hostWindow();
    KWTab* tab = tabIn(host.get());
    std::vector<KWWindow*> pages = {tab->addTab(0, "First"), tab->addTab(1, "Second")};
    tab->doAlignment();
    kwtest::pumpMessages();

    RECT rect = {};
    SendMessageA(tab->getHandle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(tab->getHandle(), &point);
    SetCursorPos(point.x, point.y);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    EXPECT_TRUE(kwtest::pumpUntil([&] { return selectedTab(tab) == 1; }));
    EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{pages[1]});
}

TEST(Tab, InsertingBeforeExistingTabsKeepsEachPageWithItsTab) {
    auto host = kwtest::hostWindow();
    KWTab* tab = tabIn(host.get());
    KWWindow* a = tab->addTab(0, "A");
    KWWindow* b = tab->addTab(1, "B");
    KWWindow* c = tab->addTab(0, "C");
    KWWindow* d = tab->addTab(1, "D");
    tab->setTabsSize(60, 20);
    const std::vector<KWWindow*> pages = {a, b, c, d};
    ASSERT_EQ(tabText(tab, 0), "C");
    ASSERT_EQ(tabText(tab, 1), "D");
    ASSERT_EQ(tabText(tab, 2), "A");
    ASSERT_EQ(tabText(tab, 3), "B");
    tab->doAlignment();

    // The control kept "A" selected while it moved; its page is the one showing.
    EXPECT_EQ(tabText(tab, selectedTab(tab)), "A");
    EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{a});

    const std::vector<KWWindow*> byTab = {c, d, a, b};
    for (int i = 0; i < 4; ++i) {
        clickTab(tab, i);
        ASSERT_EQ(selectedTab(tab), i);
        EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{byTab[i]}) << "tab " << tabText(tab, i);
    }
}

TEST(Tab, IndexPastTheEndAppendsAndAFailedTabShowsNoPage) {
    auto host = kwtest::hostWindow();
    KWTab* tab = tabIn(host.get());
    // A negative index is refused by the control: the page exists but belongs to no tab.
    KWWindow* orphan = tab->addTab(-1, "Orphan");
    ASSERT_TRUE(orphan);
    EXPECT_EQ(SendMessageA(tab->getHandle(), TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(orphan->getHandle()));

    KWWindow* first = tab->addTab(1, "First");
    EXPECT_EQ(SendMessageA(tab->getHandle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(tabText(tab, 0), "First");
    EXPECT_TRUE(IsWindowVisible(first->getHandle()));
    EXPECT_FALSE(IsWindowVisible(orphan->getHandle()));
}

TEST(Tab, TabsSizeAndImages) {
    auto host = kwtest::hostWindow();
    KWTab* tab = tabIn(host.get());
    tab->addTab(0, 4, "Color Graph");
    tab->setTabsSize(80, 20);
    tab->addTab(1, "Other");
    for (int i = 0; i < 2; ++i) {
        RECT rect = {};
        SendMessageA(tab->getHandle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
        EXPECT_EQ(rect.right - rect.left, 80) << "tab " << i;
        EXPECT_EQ(rect.bottom - rect.top, 20) << "tab " << i;
    }
    // Without an image list the image is ignored.
    EXPECT_EQ(tabImage(tab, 0), -1);

    const std::string path = "kw_tab_images.bmp";
    ASSERT_TRUE(kwtest::writeBitmapFile(path, 64, 16, [](int x, int) { return RGB(x * 4, 0, 0); }));
    KWImageList* list = KWImageList::create(16, 16);
    ASSERT_EQ(list->addImage(path), 0);
    tab->setImageList(list);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(tab->getHandle(), TCM_GETIMAGELIST, 0, 0)),
              list->handle);
    tab->addTab(2, 3, "Gradient");
    EXPECT_EQ(tabImage(tab, 2), 3);
    // A text-only tab stays without an image.
    tab->addTab(3, "Plain");
    EXPECT_EQ(tabImage(tab, 3), -1);

    tab->setImageList(nullptr);
    EXPECT_EQ(SendMessageA(tab->getHandle(), TCM_GETIMAGELIST, 0, 0), 0);
    tab->addTab(4, 2, "No image");
    EXPECT_EQ(tabImage(tab, 4), -1);
}

TEST(Tab, SwitchesPagesInsideOtherContainers) {
    auto host = kwtest::hostWindow();
    KWHeader* header =
        KWHeader::create(STYLE_DEFAULT, 0, 0, 404, 304, "Graphs :", KWColor(230, 230, 230, 255),
                         KWColor(180, 180, 180, 255), KWColor(40, 40, 40, 255), host.get(), 0);
    KWPanel* panel = KWPanel::create(STYLE_DEFAULT, 0, 20, 380, 260, header, 0);
    for (KWObject* parent : std::vector<KWObject*>{header, panel}) {
        KWTab* tab = KWTab::create(STYLE_DEFAULT, 0, 20, 300, 200, parent, 0);
        std::vector<KWWindow*> pages = {tab->addTab(0, "Curves"), tab->addTab(1, "Colors")};
        tab->doAlignment();
        clickTab(tab, 1);
        EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{pages[1]})
            << kwtest::windowClassName(parent->getHandle());
        clickTab(tab, 0);
        EXPECT_EQ(shownPages(pages), std::vector<KWWindow*>{pages[0]})
            << kwtest::windowClassName(parent->getHandle());
    }
}
