#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace KW;

namespace {

std::string menuText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

// Pumps until the quit message arrives; returns its exit code, or -1 on timeout.
int waitForQuit() {
    int code = -1;
    kwtest::pumpUntil([&code] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                code = static_cast<int>(msg.wParam);
                return true;
            }
            DispatchMessageA(&msg);
        }
        return false;
    });
    return code;
}

} // namespace

TEST(Window, TypesGiveTheirStyles) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 10, 10, 400, 300, "Frame", nullptr, 1));
    ASSERT_TRUE(frame->getHandle());
    EXPECT_EQ(kwtest::windowClassName(frame->getHandle()), "KWWINDOW");
    EXPECT_EQ(kwtest::windowText(frame->getHandle()), "Frame");
    // The platform adds WS_CLIPSIBLINGS to top-level windows.
    EXPECT_EQ(GetWindowLongA(frame->getHandle(), GWL_STYLE) & ~WS_CLIPSIBLINGS & 0xFFFF0000, 0x10CF0000u);
    EXPECT_EQ(frame->getType(), GADGET_WINDOW);

    KWWindow* sunken = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, 100, 100, "", frame.get(), 2);
    EXPECT_EQ(GetWindowLongA(sunken->getHandle(), GWL_STYLE) & 0xFFFF0000, 0x50000000);
    EXPECT_TRUE(GetWindowLongA(sunken->getHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetParent(sunken->getHandle()), frame->getHandle());

    KWWindow* page = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 0, 0, 100, 100, "", frame.get(), 3);
    EXPECT_EQ(GetWindowLongA(page->getHandle(), GWL_STYLE) & 0xFFFF0000, 0x50000000);
    EXPECT_FALSE(GetWindowLongA(page->getHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    std::unique_ptr<KWWindow> popup(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 10, 10, 200, 100, "Popup", nullptr, 4));
    EXPECT_EQ(GetWindowLongA(popup->getHandle(), GWL_STYLE) & ~WS_CLIPSIBLINGS & 0xFFFF0000, 0x90C80000u);
}

TEST(Window, UnknownTypeWithoutParentIsHiddenUntilShown) {
    std::unique_ptr<KWWindow> window(
        KWWindow::create(STYLE_DEFAULT, static_cast<eWindowType>(5), 0, 0, 200, 100, "x", nullptr, 0));
    ASSERT_TRUE(IsWindow(window->getHandle()));
    EXPECT_FALSE(IsWindowVisible(window->getHandle()));
    ShowWindow(window->getHandle(), SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(window->getHandle()));
}

TEST(Window, AHiddenFrameAppearsOnlyWhenShownAndKeepsItsGadgetsInPlace) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_HIDDEN, WINDOW_FRAME, 10, 10, 400, 300, "Frame", nullptr, 1));
    ASSERT_TRUE(frame->getHandle());
    EXPECT_FALSE(IsWindowVisible(frame->getHandle()));
    KWWindow* pane = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 10, 10, 100, 100, "", frame.get(), 2);
    pane->lockToParent(LOCK_STRETCH_BOTH);
    ShowWindow(frame->getHandle(), SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(pane->getHandle()));
    EXPECT_EQ(GetWindowLongA(frame->getHandle(), GWL_STYLE) & ~WS_CLIPSIBLINGS & 0xFFFF0000, 0x10CF0000u);
    // The pane was locked while the frame was hidden: a resize of the shown frame still stretches it.
    SetWindowPos(frame->getHandle(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    const KWBound placed = pane->getLocalBounds();
    EXPECT_EQ(frame->getGlobalBounds().right - placed.right, placed.left);
    EXPECT_GT(placed.right - placed.left, 100);
}

TEST(Window, MinimumTrackingSizeRaisesOnlySmallerMinima) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 600, 500, "Frame", nullptr, 0));
    frame->setMinDimension(450, 350);
    MINMAXINFO info = {};
    info.ptMinTrackSize = {100, 400};
    SendMessageA(frame->getHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 450);
    EXPECT_EQ(info.ptMinTrackSize.y, 400);

    // Resizing below the minimum is refused by the platform through the same message.
    SetWindowPos(frame->getHandle(), nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT outer = {};
    GetWindowRect(frame->getHandle(), &outer);
    EXPECT_GE(outer.right - outer.left, 450);
    EXPECT_GE(outer.bottom - outer.top, 350);
}

TEST(Window, MenusAppearInCallOrder) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 400, 300, "Frame", nullptr, 0));
    KWContext* file = KWContext::create();
    file->addItem(1, -1, "Open", false);
    KWContext* help = KWContext::create();
    help->addItem(2, -1, "About", false);
    frame->addMenu("File", file);
    frame->addMenu("Help", help);
    HMENU bar = GetMenu(frame->getHandle());
    ASSERT_TRUE(bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(menuText(bar, 0), "File");
    EXPECT_EQ(menuText(bar, 1), "Help");
    EXPECT_EQ(GetSubMenu(bar, 0), file->getHandle());
    EXPECT_EQ(GetSubMenu(bar, 1), help->getHandle());
}

TEST(Window, ClosingAnyWindowEndsTheLoopWithCodeZero) {
    KWWindow* frame = KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 400, 300, "Frame", nullptr, 0);
    KWWindow* child = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, 50, 50, "", frame, 0);
    HWND childWindow = child->getHandle();
    PostMessageA(frame->getHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForQuit(), 0);
    EXPECT_FALSE(IsWindow(frame->getHandle()));
    EXPECT_FALSE(IsWindow(childWindow));
    // The objects outlive their windows until the application deletes the top-level one.
    delete frame;

    std::unique_ptr<KWWindow> popup(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 200, 100, "Popup", nullptr, 0));
    PostMessageA(popup->getHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForQuit(), 0);
}

TEST(Window, ChildrenAlignWhenTheWindowIsResized) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "Frame", nullptr, 0));
    KWWindow* view = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 10, 10, 50, 50, "", frame.get(), 0);
    view->lockToParent(LOCK_STRETCH_BOTH);
    SetWindowPos(frame->getHandle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    const SIZE client = kwtest::clientSize(frame->getHandle());
    const KWBound placed = view->getLocalBounds();
    EXPECT_EQ(placed.right, client.cx - 10);
    EXPECT_EQ(placed.bottom, client.cy);
}
