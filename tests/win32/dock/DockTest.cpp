// A dock under real input: panes Scene and Elements in a column at the left (Elements below), Properties
// at the right, a centre between them, in a 600 x 400 dock.
#include "TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

struct Fixture {
    std::unique_ptr<KWWindow> frame;
    KWDock* dock = nullptr;
    KWHeader* scene = nullptr;
    KWHeader* elements = nullptr;
    KWHeader* properties = nullptr;
    KWWindow* center = nullptr;
    std::vector<int> changes;

    Fixture() {
        frame.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 60, 60, 640, 480, "Dock", nullptr, 0));
        dock = KWDock::create(STYLE_DEFAULT, 0, 0, 600, 400, frame.get(), 7);
        center = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, 10, 10, "", dock, 1);
        scene = header("Scene", 10);
        elements = header("Elements", 11);
        properties = header("Properties", 12);
        dock->setCenter(center);
        dock->addPane(scene, DOCK_LEFT, 150);
        dock->addPane(elements, DOCK_BOTTOM, 100, scene);
        dock->addPane(properties, DOCK_RIGHT, 160);
        dock->setHandler([this](const KWEvent& event) {
            if (event.type == EVENT_CHANGED) {
                changes.push_back(event.param1);
            }
        });
        ShowWindow(frame->getHandle(), SW_SHOW);
        SetForegroundWindow(frame->getHandle());
        kwtest::pumpMessages();
    }

    KWHeader* header(const char* title, int id) {
        return KWHeader::create(STYLE_DEFAULT, 0, 0, 50, 50, title, KWColor(200, 200, 220, 255),
                                KWColor(160, 160, 200, 255), KWColor(), dock, id);
    }

    POINT screen(int x, int y) const {
        POINT point = {x, y};
        ClientToScreen(dock->getHandle(), &point);
        return point;
    }
};

// Real input through the system queue.
void sendMouse(DWORD flags, POINT at) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &input, sizeof(input));
    kwtest::pumpMessages();
}

void sendKeys(std::vector<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    kwtest::pumpMessages();
}

// The presses and releases go in one batch: a press on a caption starts the system's move loop, which
// must find the release already queued.
void click(POINT at, bool twice = false) {
    sendMouse(0, at);
    std::vector<INPUT> inputs;
    for (int i = 0; i < (twice ? 4 : 2); ++i) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    kwtest::pumpMessages();
}

// Presses at from, moves to to in steps, leaving the button down.
void dragTo(POINT from, POINT to) {
    sendMouse(0, from);
    sendMouse(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= 6; ++step) {
        sendMouse(0, POINT{from.x + (to.x - from.x) * step / 6, from.y + (to.y - from.y) * step / 6});
    }
    kwtest::pumpMessages();
}

KWBound edges(KWObject* gadget) {
    return kwtest::rectInParent(gadget->getHandle());
}

std::string text(const KWBound& r) {
    return std::to_string(r.left) + "," + std::to_string(r.right) + "," + std::to_string(r.top) + "," +
           std::to_string(r.bottom);
}

// The drag's preview window: there only while a drag shows where it would drop.
HWND preview() {
    return FindWindowW(L"KWDockPreview", nullptr);
}

KWBound screenRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return KWBound(r);
}

HWND button(KWHeader* pane, const std::string& name) {
    for (HWND child = GetWindow(pane->getHandle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (kwtest::windowText(child) == name && IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

POINT centerOf(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

const char* const home = "0,150,300,400"; // where Elements starts

} // namespace

TEST(Dock, DropsOnEachZonePutThePaneWhereThePreviewShowed) {
    struct Row {
        const char* zone;
        int x, y;
        const char* elements; // the rectangle Elements ends in, in the dock
        const char* group;    // the previewed rectangle, where it differs: the whole tab group
    } rows[] = {
        {"left of Scene", 30, 148, "0,75,0,400", nullptr},
        {"top of Scene", 75, 30, "0,150,0,148", nullptr},
        {"tab with Scene", 75, 148, "0,150,0,376", "0,150,0,400"},
        {"left of the centre", 170, 200, "154,295,0,400", nullptr},
        {"middle of the centre", 295, 200, home, nullptr},
        {"right edge of the dock", 595, 200, "450,600,0,400", nullptr},
        {"top edge of the dock", 300, 5, "0,600,0,100", nullptr},
    };
    for (const Row& row : rows) {
        Fixture f;
        ASSERT_EQ(text(edges(f.elements)), home);
        dragTo(f.screen(60, 310), f.screen(row.x, row.y));
        const bool target = std::string(row.elements) != home;
        ASSERT_EQ(preview() != nullptr, target) << row.zone;
        if (target) {
            KWBound shown = screenRect(preview());
            const POINT origin = f.screen(0, 0);
            shown = KWBound(shown.left - origin.x, shown.right - origin.x, shown.top - origin.y,
                            shown.bottom - origin.y);
            EXPECT_EQ(text(shown), row.group ? row.group : row.elements) << row.zone;
        }
        sendMouse(MOUSEEVENTF_LEFTUP, f.screen(row.x, row.y));
        EXPECT_TRUE(kwtest::pumpUntil([] { return GetCapture() == nullptr && !preview(); })) << row.zone;
        EXPECT_EQ(text(edges(f.elements)), row.elements) << row.zone;
        EXPECT_EQ(f.changes, target ? std::vector<int>{11} : std::vector<int>()) << row.zone;
    }
}

TEST(Dock, EscapeAndRightButtonCancelADrag) {
    for (bool escape : {true, false}) {
        Fixture f;
        dragTo(f.screen(60, 310), f.screen(595, 200));
        ASSERT_NE(preview(), nullptr);
        if (escape) {
            sendKeys({VK_ESCAPE});
        } else {
            sendMouse(MOUSEEVENTF_RIGHTDOWN, f.screen(595, 200));
            sendMouse(MOUSEEVENTF_RIGHTUP, f.screen(595, 200));
        }
        sendMouse(MOUSEEVENTF_LEFTUP, f.screen(595, 200));
        kwtest::pumpMessages();
        EXPECT_EQ(preview(), nullptr);
        EXPECT_EQ(text(edges(f.elements)), home);
        EXPECT_TRUE(f.changes.empty());
    }
}

// A click on a tab shows its pane; a tab dragged off the strip takes its pane out of the group.
TEST(Dock, TabsChooseThePaneAndATabDraggedOffTheStripLeavesTheGroup) {
    Fixture f;
    f.dock->movePane(f.elements, DOCK_TAB, 0, f.scene);
    kwtest::pumpMessages();
    HWND strip = FindWindowExW(f.dock->getHandle(), nullptr, L"SysTabControl32", nullptr);
    ASSERT_TRUE(strip);
    ASSERT_EQ(SendMessageW(strip, TCM_GETITEMCOUNT, 0, 0), 2);
    RECT tabs[2] = {};
    for (int i = 0; i < 2; ++i) {
        SendMessageW(strip, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tabs[i]));
        MapWindowPoints(strip, nullptr, reinterpret_cast<POINT*>(&tabs[i]), 2);
    }
    const POINT sceneTab = {(tabs[0].left + tabs[0].right) / 2, (tabs[0].top + tabs[0].bottom) / 2};
    click(sceneTab);
    ASSERT_TRUE(kwtest::pumpUntil([&f] { return IsWindowVisible(f.scene->getHandle()) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(f.elements->getHandle()));
    EXPECT_EQ(f.changes, std::vector<int>{10});
    const POINT elementsTab = {(tabs[1].left + tabs[1].right) / 2, (tabs[1].top + tabs[1].bottom) / 2};
    dragTo(elementsTab, f.screen(595, 200));
    ASSERT_NE(preview(), nullptr);
    sendMouse(MOUSEEVENTF_LEFTUP, f.screen(595, 200));
    EXPECT_TRUE(kwtest::pumpUntil([] { return GetCapture() == nullptr && !preview(); }));
    EXPECT_EQ(text(edges(f.elements)), "450,600,0,400");
    EXPECT_EQ(text(edges(f.scene)), "0,150,0,400");
    EXPECT_EQ(FindWindowExW(f.dock->getHandle(), nullptr, L"SysTabControl32", nullptr), nullptr);
    // The press chose the Elements tab before the drag took it away.
    EXPECT_EQ(f.changes, (std::vector<int>{10, 11, 11}));
}

TEST(Dock, FloatsOutsideTheDockAndDocksBackByDoubleClick) {
    Fixture f;
    const POINT outside = f.screen(660, 120);
    dragTo(f.screen(60, 310), outside);
    sendMouse(MOUSEEVENTF_LEFTUP, outside);
    ASSERT_TRUE(kwtest::pumpUntil([&f] { return f.dock->isFloating(f.elements); }));
    const HWND tool = GetParent(f.elements->getHandle());
    EXPECT_EQ(kwtest::windowClassName(tool), "KWDockFloat");
    EXPECT_TRUE(GetWindowLongPtrW(tool, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(tool, GW_OWNER), f.frame->getHandle());
    EXPECT_EQ(kwtest::windowText(tool), "Elements");
    const KWBound placed = screenRect(f.elements->getHandle());
    EXPECT_EQ(placed.left, outside.x);
    EXPECT_EQ(placed.top, outside.y);
    EXPECT_EQ(text(edges(f.scene)), "0,150,0,400");

    // The caption's double-click docks it back in its place; the band's floats it again.
    RECT outer = {};
    GetWindowRect(tool, &outer);
    click(POINT{outer.left + 40, outer.top + GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2}, true);
    ASSERT_TRUE(kwtest::pumpUntil([&f] { return !f.dock->isFloating(f.elements); }));
    EXPECT_EQ(text(edges(f.elements)), home);
    click(f.screen(60, 310), true);
    EXPECT_TRUE(kwtest::pumpUntil([&f] { return f.dock->isFloating(f.elements); }));
    EXPECT_EQ(f.changes, (std::vector<int>{11, 11, 11}));
}

TEST(Dock, DraggingAFloatingCaptionOverTheDockDocksIt) {
    Fixture f;
    ASSERT_TRUE(f.dock->floatPane(f.elements, KWBound(760, 900, 120, 220)));
    RECT outer = {};
    GetWindowRect(GetParent(f.elements->getHandle()), &outer);
    // The whole drag is queued at once: the system's move loop reads it.
    const POINT from = {outer.left + 30, outer.top + GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2};
    const POINT to = f.screen(595, 200);
    sendMouse(0, from);
    std::vector<INPUT> inputs;
    for (int step = 0; step <= 8; ++step) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | (step == 0 ? MOUSEEVENTF_LEFTDOWN : 0);
        input.mi.dx = MulDiv(from.x + (to.x - from.x) * step / 8, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(from.y + (to.y - from.y) * step / 8, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        inputs.push_back(input);
    }
    INPUT up = inputs.back();
    up.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP;
    inputs.push_back(up);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ASSERT_TRUE(kwtest::pumpUntil([&f] { return !f.dock->isFloating(f.elements); }));
    // At the dock's edge it keeps its floating width.
    EXPECT_EQ(text(edges(f.elements)), "460,600,0,400");
    EXPECT_EQ(preview(), nullptr);
    EXPECT_EQ(f.changes, std::vector<int>{11});
}

TEST(Dock, SplitterDragShowsTheResizeCursorAndKeepsTheLeastSize) {
    Fixture f;
    sendMouse(0, f.screen(152, 200)); // the bar between the left column and the centre
    EXPECT_TRUE(kwtest::pumpUntil([] { return GetCursor() == LoadCursorA(nullptr, IDC_SIZEWE); }));
    dragTo(f.screen(152, 200), f.screen(200, 200));
    EXPECT_EQ(text(edges(f.scene)), "0,200,0,296");
    sendMouse(0, f.screen(5, 200));
    sendMouse(MOUSEEVENTF_LEFTUP, f.screen(5, 200));
    EXPECT_EQ(text(edges(f.scene)), "0,24,0,296");
    EXPECT_EQ(f.changes, std::vector<int>{1});
}

TEST(Dock, CloseButtonAsksTheHandlerAndShowPaneBringsThePaneBack) {
    Fixture f;
    bool allow = false;
    f.dock->setCloseHandler([&allow](KWHeader*) { return allow; });
    HWND close = button(f.elements, "Close Elements");
    ASSERT_NE(close, nullptr);
    click(centerOf(close));
    EXPECT_TRUE(f.dock->isPaneShown(f.elements));
    allow = true;
    click(centerOf(close));
    ASSERT_TRUE(kwtest::pumpUntil([&f] { return !f.dock->isPaneShown(f.elements); }));
    EXPECT_EQ(text(edges(f.scene)), "0,150,0,400");
    EXPECT_TRUE(f.dock->showPane(f.elements));
    EXPECT_EQ(text(edges(f.elements)), home);
    EXPECT_EQ(f.changes, std::vector<int>{11});
    f.dock->setPaneFlags(f.elements, DOCKPANE_NO_CLOSE);
    EXPECT_EQ(button(f.elements, "Close Elements"), nullptr);
    EXPECT_FALSE(f.dock->closePane(f.elements));
}

TEST(Dock, MaximizeAndRestoreByTheBandButton) {
    Fixture f;
    click(centerOf(button(f.scene, "Maximize Scene")));
    ASSERT_EQ(f.dock->getMaximizedPane(), f.scene);
    EXPECT_EQ(text(edges(f.scene)), "0,600,0,400");
    EXPECT_FALSE(IsWindowVisible(f.elements->getHandle()));
    click(centerOf(button(f.scene, "Restore Scene")));
    EXPECT_EQ(f.dock->getMaximizedPane(), nullptr);
    EXPECT_EQ(text(edges(f.scene)), "0,150,0,296");
    EXPECT_EQ(f.changes, (std::vector<int>{10, 10}));
}

TEST(Dock, AutoHideSlidesOutAndBack) {
    Fixture f;
    click(centerOf(button(f.scene, "Auto-hide Scene")));
    ASSERT_TRUE(f.dock->isAutoHidden(f.scene));
    EXPECT_FALSE(IsWindowVisible(f.scene->getHandle()));
    EXPECT_EQ(text(edges(f.elements)), "24,174,0,400");
    click(f.screen(12, 40)); // the strip's tab
    ASSERT_TRUE(kwtest::pumpUntil([&f] { return IsWindowVisible(f.scene->getHandle()); }));
    EXPECT_EQ(text(edges(f.scene)), "24,174,0,400");
    click(f.screen(300, 200)); // the centre
    EXPECT_TRUE(kwtest::pumpUntil([&f] { return !IsWindowVisible(f.scene->getHandle()); }));
    click(f.screen(12, 40));
    ASSERT_TRUE(kwtest::pumpUntil([&f] { return IsWindowVisible(f.scene->getHandle()); }));
    sendKeys({VK_ESCAPE});
    EXPECT_TRUE(kwtest::pumpUntil([&f] { return !IsWindowVisible(f.scene->getHandle()); }));
}

TEST(Dock, ControlTabCyclesAndAltShiftArrowMovesThePane) {
    Fixture f;
    SetFocus(f.scene->getHandle());
    sendKeys({VK_CONTROL, VK_TAB});
    EXPECT_EQ(GetFocus(), f.elements->getHandle());
    sendKeys({VK_CONTROL, VK_TAB});
    EXPECT_EQ(GetFocus(), f.properties->getHandle());
    sendKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_EQ(GetFocus(), f.elements->getHandle());
    sendKeys({VK_MENU, VK_SHIFT, VK_RIGHT});
    EXPECT_EQ(text(edges(f.elements)), "450,600,0,400");
    EXPECT_EQ(GetFocus(), f.elements->getHandle());
    EXPECT_EQ(f.changes, std::vector<int>{11});
}

TEST(Dock, LayoutSavedRestoredIntoANewTreeSavesTheSameText) {
    std::string saved;
    {
        Fixture f;
        f.dock->movePane(f.elements, DOCK_TAB, 0, f.properties);
        f.dock->floatPane(f.scene, KWBound(100, 300, 100, 250));
        f.dock->closePane(f.scene);
        saved = f.frame->saveLayout();
        EXPECT_NE(saved.find(";dock 7 "), std::string::npos) << saved;
    }
    Fixture g;
    ASSERT_TRUE(g.frame->restoreLayout(saved));
    EXPECT_EQ(g.frame->saveLayout(), saved);
    EXPECT_TRUE(g.dock->isFloating(g.scene));
    EXPECT_FALSE(g.dock->isPaneShown(g.scene));
    EXPECT_EQ(text(edges(g.elements)), "440,600,0,376");
    EXPECT_FALSE(IsWindowVisible(g.properties->getHandle()));
    EXPECT_TRUE(g.changes.empty());
}

TEST(Dock, DeletingAPaneDuringItsOwnDragIsSafe) {
    Fixture f;
    dragTo(f.screen(60, 310), f.screen(595, 200));
    ASSERT_NE(preview(), nullptr);
    delete f.elements;
    sendMouse(0, f.screen(500, 200));
    sendMouse(MOUSEEVENTF_LEFTUP, f.screen(500, 200));
    kwtest::pumpMessages();
    EXPECT_EQ(preview(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(f.dock->getPanes().size(), 2u);
    EXPECT_EQ(text(edges(f.scene)), "0,150,0,400");
    delete f.dock;
    EXPECT_EQ(f.frame->getChildCount(), 0);
}
