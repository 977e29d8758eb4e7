// A window's handler receives the user's commands: menu bar, toolbar, popup menus shown with it as
// owner and shortcuts; its close handler can keep it open.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace KW;

namespace {

struct Recorded {
    eEventType type;
    KWObject* object;
    int param1;
    int param2;
};

std::unique_ptr<KWWindow> frame() {
    std::unique_ptr<KWWindow> window(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 40, 40, 420, 300, "Commands", nullptr, 0));
    ShowWindow(window->getHandle(), SW_SHOW);
    SetForegroundWindow(window->getHandle());
    kwtest::pumpMessages();
    return window;
}

void pressKeys(std::initializer_list<WORD> down) {
    std::vector<INPUT> inputs;
    for (WORD key : down) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = down.end(); key != down.begin();) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The application's message loop: shortcuts first, then the usual translation and dispatch.
void runLoopFor(int milliseconds, std::vector<int>* typedCharacters = nullptr) {
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (Kwadro::handleShortcut(message)) {
                continue;
            }
            if (typedCharacters && message.message == WM_CHAR) {
                typedCharacters->push_back(static_cast<int>(message.wParam));
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

bool quitPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

// Chooses the entry of the one-entry menu that the next modal menu loop opens.
void CALLBACK chooseFirstEntry(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    pressKeys({VK_DOWN});
    pressKeys({VK_RETURN});
}

} // namespace

TEST(WindowCommands, MenuBarToolbarAndPopupMenuReachTheWindowHandlerOnce) {
    std::unique_ptr<KWWindow> window = frame();
    std::vector<Recorded> events;
    window->setHandler([&](const KWEvent& e) { events.push_back({e.type, e.object, e.param1, e.param2}); });

    KWContext* fileMenu = KWContext::create();
    fileMenu->addItem(101, -1, "&Open", false);
    window->addMenu("&File", fileMenu);
    KWToolBar* toolbar = KWToolBar::create(false, window.get(), 7);
    toolbar->addButton(201, "Go");
    window->doAlignment();
    kwtest::pumpMessages();

    // Menu bar by keyboard: Alt+F opens the menu and runs its modal loop, where the timer chooses the
    // only entry.
    SetTimer(nullptr, 0, 100, chooseFirstEntry);
    pressKeys({VK_MENU, 'F'});
    ASSERT_TRUE(kwtest::pumpUntil([&] { return !events.empty(); }));

    // Toolbar button by mouse.
    RECT button = {};
    SendMessageA(toolbar->getHandle(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    POINT point = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ClientToScreen(toolbar->getHandle(), &point);
    SetCursorPos(point.x, point.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    ASSERT_TRUE(kwtest::pumpUntil([&] { return events.size() >= 2; }));

    // A popup menu shown with the window as owner.
    KWContext* popup = KWContext::create();
    popup->addItem(301, -1, "Rename", false);
    SetTimer(nullptr, 0, 100, chooseFirstEntry);
    popup->show(window.get());
    ASSERT_TRUE(kwtest::pumpUntil([&] { return events.size() >= 3; }));
    runLoopFor(100);

    const int expected[] = {101, 201, 301};
    ASSERT_EQ(3u, events.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(EVENT_CLICKED, events[i].type);
        EXPECT_EQ(window.get(), events[i].object);
        EXPECT_EQ(expected[i], events[i].param1);
        EXPECT_EQ(0, events[i].param2);
    }
}

TEST(WindowCommands, ShortcutsOfTheFocusedTopLevelWindowRunAndSwallowTheKey) {
    std::unique_ptr<KWWindow> window = frame();
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "", 10, 40, 200, 20, window.get(), 3);
    std::vector<int> commands;
    window->setHandler([&](const KWEvent& e) {
        EXPECT_EQ(EVENT_CLICKED, e.type);
        commands.push_back(e.param1);
    });
    window->addShortcut('S', MOD_CONTROL, 1);
    window->addShortcut('S', MOD_CONTROL | MOD_SHIFT, 2);
    window->addShortcut(VK_F5, 0, 3);
    window->addShortcut('S', MOD_CONTROL, 4); // replaces the first one
    SetFocus(edit->getHandle());

    std::vector<int> typed;
    pressKeys({VK_CONTROL, 'S'});
    runLoopFor(100, &typed);
    pressKeys({VK_CONTROL, VK_SHIFT, 'S'});
    runLoopFor(100, &typed);
    pressKeys({VK_F5});
    runLoopFor(100, &typed);
    pressKeys({'Q'}); // no shortcut: typed into the edit as usual
    runLoopFor(100, &typed);

    EXPECT_EQ((std::vector<int>{4, 2, 3}), commands);
    EXPECT_EQ((std::vector<int>{'q'}), typed);
    EXPECT_EQ("q", edit->getText());

    // A window that is not the focused one's top-level window does not react.
    std::unique_ptr<KWWindow> other = frame();
    SetFocus(other->getHandle());
    pressKeys({VK_F5});
    runLoopFor(100);
    EXPECT_EQ(3u, commands.size());
}

TEST(WindowCommands, CloseHandlerVetoesOrAllowsTheClose) {
    std::unique_ptr<KWWindow> window = frame();
    int asked = 0;
    bool allow = false;
    window->setCloseHandler([&] {
        ++asked;
        return allow;
    });

    SendMessageA(window->getHandle(), WM_CLOSE, 0, 0);
    pressKeys({VK_MENU, VK_F4});
    runLoopFor(150);
    EXPECT_EQ(2, asked);
    EXPECT_TRUE(IsWindow(window->getHandle()));
    EXPECT_FALSE(quitPosted());

    allow = true;
    SendMessageA(window->getHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(3, asked);
    EXPECT_FALSE(IsWindow(window->getHandle()));
    EXPECT_TRUE(quitPosted());
}

TEST(WindowCommands, HandlersMayDeleteTheWindowOrReplaceThemselves) {
    // A close handler that deletes its own window: nothing of the window is touched afterwards.
    KWWindow* doomed = frame().release();
    doomed->setCloseHandler([&] {
        delete doomed;
        return true;
    });
    HWND doomedWindow = doomed->getHandle();
    SendMessageA(doomedWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(doomedWindow));
    EXPECT_FALSE(quitPosted());

    // A command handler that deletes the window, and one that replaces itself mid-call.
    KWWindow* owner = frame().release();
    HWND ownerWindow = owner->getHandle();
    owner->setHandler([&](const KWEvent&) { delete owner; });
    PostMessageA(ownerWindow, WM_COMMAND, 55, 0);
    runLoopFor(50);
    EXPECT_FALSE(IsWindow(ownerWindow));

    std::unique_ptr<KWWindow> window = frame();
    std::vector<int> calls;
    window->setHandler([&](const KWEvent& e) {
        calls.push_back(e.param1);
        window->setHandler([&](const KWEvent& again) { calls.push_back(-again.param1); });
        MessageBoxA(nullptr, "modal", "inside a handler", MB_OK);
    });
    SendMessageA(window->getHandle(), WM_COMMAND, 8, 0);
    SendMessageA(window->getHandle(), WM_COMMAND, 9, 0);
    window->setHandler(KWHandler());
    SendMessageA(window->getHandle(), WM_COMMAND, 10, 0);
    EXPECT_EQ((std::vector<int>{8, -9}), calls);
}
