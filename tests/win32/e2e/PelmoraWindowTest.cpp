// The effect editor's window as a user handles it: restored and maximized with the caption's button,
// switched between themes from the menu, made small; values typed into the property grid.
#include "RemoteProcess.h"

#include "logic/Settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace kwe2e;

namespace {

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

void typeKey(WORD key, WORD modifier = 0) {
    std::vector<INPUT> inputs;
    for (WORD vk : {modifier, key}) {
        if (vk != 0) {
            INPUT down = {};
            down.type = INPUT_KEYBOARD;
            down.ki.wVk = vk;
            inputs.push_back(down);
        }
    }
    for (size_t i = inputs.size(); i-- > 0;) {
        INPUT up = inputs[i];
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(200);
}

// A fresh editor, maximized as it first starts, with the default effect and its emitter selected.
struct Editor {
    UserFolder user;
    RemoteProcess process{programFolder() + "\\Pelmora.exe", programFolder()};
    HWND main = process.waitForWindow("Pelmora - Untitled", 30000);

    HWND pane(const std::string& title) const { return findChildren(main, "", title).at(0); }
    RECT client() const {
        RECT area = {};
        GetClientRect(main, &area);
        return area;
    }
    // Waits until the program has handled everything sent so far and painted.
    void settle() const {
        for (int i = 0; i < 3; ++i) {
            SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
            Sleep(300);
        }
    }
    // The caption's maximize (or restore) button, clicked.
    void clickMaximizeButton() const {
        RECT frame = {};
        GetWindowRect(main, &frame);
        for (int y = std::max(0L, frame.top); y < frame.top + 60; y += 2) {
            for (int x = frame.right - 1; x > frame.right - 200; x -= 2) {
                DWORD_PTR hit = 0;
                SendMessageTimeoutA(main, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit);
                if (hit == HTMAXBUTTON) {
                    SetForegroundWindow(main);
                    clickAt(x, y);
                    settle();
                    return;
                }
            }
        }
        ADD_FAILURE() << "no maximize button in the caption";
    }
};

// The screen's pixels over a window, as the user sees them.
std::vector<COLORREF> screenPixels(HWND window) {
    RECT area = {};
    GetWindowRect(window, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    std::vector<COLORREF> pixels(static_cast<const COLORREF*>(bits),
                                 static_cast<const COLORREF*>(bits) + width * height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// How many pixels differ between what the window shows now and what it shows once painted afresh.
size_t unpaintedPixels(const Editor& editor, HWND window) {
    const std::vector<COLORREF> shown = screenPixels(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    editor.settle();
    const std::vector<COLORREF> painted = screenPixels(window);
    size_t differing = shown.size() == painted.size() ? 0 : painted.size();
    for (size_t i = 0; i < shown.size() && i < painted.size(); ++i) {
        differing += shown[i] != painted[i] ? 1 : 0;
    }
    return differing;
}

} // namespace

// After each of the user's steps the panes show their content and the menu bar's items keep their
// places, so a click on a title opens its own menu.
TEST(PelmoraWindow, PanesAndMenuBarSurviveRestoreMaximizeAndThemeChanges) {
    Editor editor;
    ASSERT_TRUE(editor.main);
    editor.settle();
    const std::vector<RECT> bar = menuBarItemRects(editor.main);
    ASSERT_EQ(5u, bar.size());
    const struct {
        const char* steps;
        std::function<void()> run;
    } cases[] = {
        {"restore, then maximize with the caption's button",
         [&] {
             editor.clickMaximizeButton();
             EXPECT_FALSE(IsZoomed(editor.main));
             editor.clickMaximizeButton();
             EXPECT_TRUE(IsZoomed(editor.main));
         }},
        {"View > Theme > Light, then View > Theme > Dark",
         [&] {
             for (WORD theme : {WORD('L'), WORD('D')}) {
                 SetForegroundWindow(editor.main);
                 typeKey('V', VK_MENU);
                 typeKey('T');
                 typeKey(theme);
                 editor.settle();
             }
         }},
    };
    for (const auto& step : cases) {
        step.run();
        for (const char* pane : {"Elements", "Properties"}) {
            EXPECT_LT(unpaintedPixels(editor, editor.pane(pane)), 50u) << step.steps << ": " << pane;
        }
        const std::vector<RECT> after = menuBarItemRects(editor.main);
        ASSERT_EQ(bar.size(), after.size()) << step.steps;
        for (size_t i = 0; i < bar.size(); ++i) {
            EXPECT_TRUE(EqualRect(&bar[i], &after[i]))
                << step.steps << ": item " << i << " from " << bar[i].left << "-" << bar[i].right << " to "
                << after[i].left << "-" << after[i].right;
        }
    }
    PostMessageA(editor.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, editor.process.waitForExit(15000));
}

// Restored to its small size, the window gives the preview the share of it that it had maximized.
TEST(PelmoraWindow, ASmallWindowKeepsThePanesInProportion) {
    Editor editor;
    ASSERT_TRUE(editor.main);
    editor.settle();
    auto previewShare = [&] {
        // The preview lies between the scene pane and the right column, above the graphs.
        const RECT scene = rectIn(editor.pane("Scene"), editor.main);
        const RECT elements = rectIn(editor.pane("Elements"), editor.main);
        const RECT graphs = rectIn(editor.pane("Graphs"), editor.main);
        const RECT client = editor.client();
        return std::make_pair(static_cast<double>(elements.left - scene.right) / client.right,
                              static_cast<double>(graphs.top - scene.top) / client.bottom);
    };
    const auto maximized = previewShare();
    editor.clickMaximizeButton();
    ASSERT_FALSE(IsZoomed(editor.main));
    ASSERT_LT(editor.client().right, 1000);
    const auto small = previewShare();
    EXPECT_NEAR(maximized.first, small.first, 0.08);
    EXPECT_NEAR(maximized.second, small.second, 0.08);
    PostMessageA(editor.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, editor.process.waitForExit(15000));
}

// One click on a value cell, a number typed and Enter: the emitter takes it, and the editor shows the
// number from its first digit.
TEST(PelmoraWindow, ANumberTypedAfterOneClickOnAValueCellIsTakenAndReadable) {
    Editor editor;
    ASSERT_TRUE(editor.main);
    editor.settle();
    HWND grid = findChildren(editor.pane("Properties"), WC_LISTVIEWA).at(0);
    int rate = -1;
    for (int row = 0; row < 20 && rate < 0; ++row) {
        rate = editor.process.listItemText(grid, row, 0) == "Rate" ? row : -1;
    }
    ASSERT_GE(rate, 0);
    RECT cell = {LVIR_BOUNDS, 1, 0, 0};
    editor.process.sendWithBuffer(grid, LVM_GETSUBITEMRECT, static_cast<WPARAM>(rate), &cell, sizeof(cell));
    MapWindowPoints(grid, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    SetForegroundWindow(editor.main);
    clickAt((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    editor.settle();
    for (WORD key : {WORD('1'), WORD('0'), WORD('0'), WORD(VK_RETURN)}) {
        typeKey(key);
    }
    EXPECT_TRUE(editor.process.waitForWindow("Pelmora - Untitled *", 5000)) << "the typed value was lost";
    HWND field = nullptr;
    for (HWND edit : findChildren(grid, "Edit")) {
        field = IsWindowVisible(edit) ? edit : field;
    }
    ASSERT_TRUE(field);
    EXPECT_EQ("100.00000", textOf(field));
    EXPECT_EQ(0, SendMessageA(field, EM_GETFIRSTVISIBLELINE, 0, 0)) << "the number's start is scrolled away";
    // The editor ends with the process, its unsaved work left in the user folder that goes with it.
}

// Settings of the version before docking place the window as they did and keep the panes as built. The
// user then drags Scene by its title band to the right of Properties and closes Graphs from View > Panes;
// the next start shows the same arrangement, and View > Layout > Reset Layout brings the built-in one.
TEST(PelmoraWindow, PanesMovedAndClosedByTheUserComeBackSoAfterARestart) {
    UserFolder user;
    const std::string program = programFolder() + "\\Pelmora.exe";
    CreateDirectoryA((user.path + "\\Pelmora").c_str(), nullptr);
    {
        std::ofstream old(user.path + "\\Pelmora\\settings.json", std::ios::binary);
        old << R"({"format": "pelmora-settings", "version": 1, "theme": "light", "recentFiles": ["C:\\a.kwfx"],
            "layout": "kwlayout 1.0;window 90 70 900 700 0;splitter . 1 200;splitter . 2 600;splitter . 3 450;splitter . 4 180;tab -1#3/-1 1;tab -1#4/-1 0;end 7"})";
    }
    struct Shown {
        RECT scene, properties;
        bool graphs;
    };
    const auto panesOf = [](HWND main) {
        const auto pane = [main](const char* title) { return findChildren(main, "", title).at(0); };
        return Shown{rectIn(pane("Scene"), main), rectIn(pane("Properties"), main),
                     IsWindowVisible(pane("Graphs")) != FALSE};
    };
    const auto settle = [](HWND main) {
        for (int i = 0; i < 3; ++i) {
            SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
            Sleep(300);
        }
    };
    {
        RemoteProcess process(program, programFolder());
        HWND main = process.waitForWindow("Pelmora - Untitled", 30000);
        ASSERT_TRUE(main);
        settle(main);
        RECT placed = {};
        GetWindowRect(main, &placed);
        EXPECT_FALSE(IsZoomed(main));
        EXPECT_EQ(90, placed.left);
        EXPECT_EQ(900, placed.right - placed.left);
        const Shown built = panesOf(main);
        ASSERT_LT(built.scene.right, built.properties.left);
        EXPECT_TRUE(built.graphs);
        // A press on Scene's band, then the pointer in steps to the right quarter of Properties.
        POINT band = {built.scene.left + 30, built.scene.top + 8};
        POINT drop = {built.properties.right - (built.properties.right - built.properties.left) / 5,
                      (built.properties.top + built.properties.bottom) / 2};
        ClientToScreen(main, &band);
        ClientToScreen(main, &drop);
        SetForegroundWindow(main);
        moveMouse(band.x, band.y);
        leftButton(true);
        for (int step = 1; step <= 8; ++step) {
            moveMouse(band.x + (drop.x - band.x) * step / 8, band.y + (drop.y - band.y) * step / 8);
        }
        leftButton(false);
        settle(main);
        const Shown moved = panesOf(main);
        EXPECT_GT(moved.scene.left, moved.properties.left) << "Scene did not go right of Properties";
        EXPECT_EQ(moved.scene.top, moved.properties.top);
        // View > Panes > Graphs closes it.
        typeKey('V', VK_MENU);
        typeKey('N');
        typeKey('G');
        settle(main);
        EXPECT_FALSE(panesOf(main).graphs);
        PostMessageA(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(0u, process.waitForExit(15000));
    }
    RemoteProcess process(program, programFolder());
    HWND main = process.waitForWindow("Pelmora - Untitled", 30000);
    ASSERT_TRUE(main);
    settle(main);
    const Shown restarted = panesOf(main);
    EXPECT_GT(restarted.scene.left, restarted.properties.left);
    EXPECT_EQ(restarted.scene.top, restarted.properties.top);
    EXPECT_FALSE(restarted.graphs);
    SetForegroundWindow(main);
    typeKey('V', VK_MENU);
    typeKey('L');
    typeKey('R');
    settle(main);
    const Shown reset = panesOf(main);
    EXPECT_LT(reset.scene.right, reset.properties.left);
    EXPECT_TRUE(reset.graphs);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(15000));
    // Nothing else the old settings held was lost on the way.
    pelmora::Settings settings;
    std::string error;
    ASSERT_TRUE(pelmora::readSettings(user.text("Pelmora\\settings.json"), settings, error)) << error;
    EXPECT_EQ("light", settings.theme);
    EXPECT_EQ(std::vector<std::string>{"C:\\a.kwfx"}, settings.recentFiles);
    EXPECT_NE(std::string::npos, settings.layout.find(";dock 10 ")) << settings.layout;
}
