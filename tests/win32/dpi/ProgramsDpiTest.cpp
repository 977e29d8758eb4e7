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

// Where a program's scene pane, its view and the bar between them live: Test's panes are the window's
// children in the order the shared layout creates them; Pelmora's are docked around the view.
struct Layout {
    HWND host; // the window whose splitter bars separate the panes
    HWND scene;
    HWND view;
};

KWObject* childWithId(KWObject* parent, int id) {
    for (int i = 0; i < parent->getChildCount(); ++i) {
        if (parent->getChild(i)->getId() == id) {
            return parent->getChild(i);
        }
    }
    return nullptr;
}

Layout layoutOf(KWWindow* window, bool docked) {
    enum Pane { Status, Toolbar, Scene, Graphs, Elements, Properties, View };
    if (!docked) {
        return {window->getHandle(), window->getChild(Scene)->getHandle(),
                window->getChild(View)->getHandle()};
    }
    enum DockChild { Dock = 10, ScenePane = 11, Preview = 15 };
    KWObject* dock = childWithId(window, Dock);
    KWObject* scene = dock ? childWithId(dock, ScenePane) : nullptr;
    KWObject* view = dock ? childWithId(dock, Preview) : nullptr;
    return {dock ? dock->getHandle() : nullptr, scene ? scene->getHandle() : nullptr,
            view ? view->getHandle() : nullptr};
}

void dragBar(HWND host, int x, int y, int toX) {
    SendMessageA(host, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(host, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(host, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(host, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, y));
    SendMessageA(host, WM_LBUTTONUP, 0, MAKELPARAM(toX, y));
    kwtest::pumpMessages();
}

} // namespace

TEST(ProgramsDpi, BothProgramsScaleTheirLayoutIconsAndSplitters) {
    demo::ShellImages images;
    struct Program {
        const char* name;
        std::function<KWWindow*()> build;
        std::function<void()> destroy;
        bool docked;
    };
    std::unique_ptr<pelmora::EditorApp> editor;
    KWWindow* testWindow = nullptr;
    const Program programs[] = {
        {"Test", [&] { return testWindow = demo::buildEditorShell(images); }, [&] { delete testWindow; },
         false},
        {"Pelmora",
         [&] {
             editor.reset(new pelmora::EditorApp());
             return editor->getWindow();
         },
         [&] { editor.reset(); }, true},
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
        const Layout layout = layoutOf(window, program.docked);
        ASSERT_TRUE(layout.scene && layout.view);
        // The bar between the scene pane and the view keeps its scaled width.
        const int sceneRight = kwtest::rectInParent(layout.scene).right;
        EXPECT_SCALED(kwtest::rectInParent(layout.view).left - sceneRight, 4);
        // The scene tree starts below its pane's title band.
        EXPECT_SCALED(
            kwtest::rectInParent(FindWindowExA(layout.scene, nullptr, "SysTreeView32", nullptr)).top, 20);

        // A drag that starts on the middle of the bar brings the bar's leading edge to the mouse.
        const int barMiddle = sceneRight + kwtest::atRunDpi(2);
        const int y = kwtest::rectInParent(layout.scene).top + kwtest::atRunDpi(100);
        dragBar(layout.host, barMiddle, y, barMiddle + kwtest::atRunDpi(30));
        EXPECT_EQ(barMiddle + kwtest::atRunDpi(30), kwtest::rectInParent(layout.scene).right);

        // On a display of another DPI the toolbar shows the icon set for that DPI.
        const int otherDpi = kwtest::runDpi() == 96 ? 144 : 96;
        kwtest::moveToDpi(window, otherDpi);
        EXPECT_EQ(otherDpi == 96 ? 16 : 24, toolbarIconSize(window));
        program.destroy();
        kwtest::pumpMessages();
    }
}
