// Both programs lay out their windows through scale and pick the icon set for the display's DPI.
#include "DpiRun.h"
#include "EditorApp.h"
#include "EditorShell.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace KW;

namespace {

int toolbarIconSize(KWWindow* window) {
    HWND toolbar = FindWindowExA(window->getHandle(), nullptr, TOOLBARCLASSNAMEA, nullptr);
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    int width = 0, height = 0;
    ImageList_GetIconSize(list, &width, &height);
    return width;
}

// The frame's panes in the order the shared layout creates them.
enum Pane { Status, Toolbar, Scene, Graphs, Elements, Properties, View };

KWBound edges(KWWindow* window, Pane pane) {
    return kwtest::rectInParent(window->getChild(pane)->getHandle());
}

void dragBar(KWWindow* window, int x, int y, int toX) {
    HWND handle = window->getHandle();
    SendMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, y));
    SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(toX, y));
    kwtest::pumpMessages();
}

} // namespace

TEST(ProgramsDpi, BothProgramsScaleTheirLayoutIconsAndSplitters) {
    demo::ShellImages images;
    struct Program {
        const char* name;
        std::function<KWWindow*()> build;
        std::function<void()> destroy;
    };
    std::unique_ptr<pelmora::EditorApp> editor;
    KWWindow* testWindow = nullptr;
    const Program programs[] = {
        {"Test", [&] { return testWindow = demo::buildEditorShell(images); }, [&] { delete testWindow; }},
        {"Pelmora",
         [&] {
             editor.reset(new pelmora::EditorApp());
             return editor->getWindow();
         },
         [&] { editor.reset(); }},
    };
    const int iconSize = kwtest::runDpi() >= 168 ? 32 : kwtest::runDpi() >= 120 ? 24 : 16;
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        KWWindow* window = program.build();
        ShowWindow(window->getHandle(), SW_SHOW);
        kwtest::pumpMessages();

        RECT outer = {};
        GetWindowRect(window->getHandle(), &outer);
        // The system keeps a window within the (1280 pixel wide) screen.
        EXPECT_NEAR(std::min(kwtest::atRunDpi(800), GetSystemMetrics(SM_CXMAXTRACK)),
                    outer.right - outer.left, 1);
        EXPECT_EQ(iconSize, toolbarIconSize(window));
        // The bar between the scene pane and the view keeps its scaled width.
        const int sceneRight = edges(window, Scene).right;
        EXPECT_SCALED(edges(window, View).left - sceneRight, 4);
        // The scene tree starts below its pane's title band.
        EXPECT_SCALED(kwtest::rectInParent(window->getChild(Scene)->getChild(0)->getHandle()).top, 20);

        // A drag that starts on the middle of the bar brings the bar's leading edge to the mouse.
        const int barMiddle = sceneRight + kwtest::atRunDpi(2);
        const int y = edges(window, Scene).top + kwtest::atRunDpi(100);
        dragBar(window, barMiddle, y, barMiddle + kwtest::atRunDpi(30));
        EXPECT_EQ(barMiddle + kwtest::atRunDpi(30), edges(window, Scene).right);

        // On a display of another DPI the toolbar shows the icon set for that DPI.
        const int otherDpi = kwtest::runDpi() == 96 ? 144 : 96;
        kwtest::moveToDpi(window, otherDpi);
        EXPECT_EQ(otherDpi == 96 ? 16 : 24, toolbarIconSize(window));
        program.destroy();
        kwtest::pumpMessages();
    }
}
