#include "RemoteProcess.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace kwe2e;

namespace {

const char* const mainCaption = "Pelmora ";
constexpr int startTimeoutMs = 30000;

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string programPath() {
    return programFolder() + "\\Test.exe";
}

HWND onlyChild(HWND parent, const std::string& className, const std::string& text = "") {
    const std::vector<HWND> found = findChildren(parent, className, text);
    return found.size() == 1 ? found[0] : nullptr;
}

// The editor shell, started once for the tests that only look at it or drag within it.
class Shell : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // A fresh user folder: no layout left by an earlier run.
        user = new UserFolder;
        process = new RemoteProcess(programPath(), programFolder());
        mainWindow = process->waitForWindow(mainCaption, startTimeoutMs);
        if (mainWindow) {
            waitUntil(5000, [] { return IsZoomed(mainWindow) != 0; });
        }
    }
    static void TearDownTestSuite() {
        delete process;
        process = nullptr;
        delete user;
        user = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(mainWindow) << "the main window did not appear"; }

    HWND header(const std::string& title) { return onlyChild(mainWindow, "KWWINDOW", title); }

    // The sunken view: the main window's untitled child window with a client edge.
    HWND sunkenView() {
        for (HWND candidate : findChildren(mainWindow, "KWWINDOW", "")) {
            if (GetParent(candidate) == mainWindow &&
                (GetWindowLongA(candidate, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && textOf(candidate).empty()) {
                return candidate;
            }
        }
        return nullptr;
    }

    static UserFolder* user;
    static RemoteProcess* process;
    static HWND mainWindow;
};

UserFolder* Shell::user = nullptr;
RemoteProcess* Shell::process = nullptr;
HWND Shell::mainWindow = nullptr;

} // namespace

TEST_F(Shell, MainWindowIsMaximisedWithMenusToolbarAndStatusBar) {
    EXPECT_TRUE(IsZoomed(mainWindow));

    EXPECT_EQ(menuBarTitles(mainWindow),
              (std::vector<std::string>{"File", "View", "Edit", "Add", "Settings", "Help"}));

    HWND toolbar = onlyChild(mainWindow, "ToolbarWindow32");
    ASSERT_TRUE(toolbar);
    const int buttons = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(buttons, 35);
    int separators = 0;
    for (int i = 0; i < buttons; ++i) {
        TBBUTTON button = {};
        process->sendWithBuffer(toolbar, TB_GETBUTTON, i, &button, sizeof(button));
        separators += (button.fsStyle & BTNS_SEP) ? 1 : 0;
    }
    EXPECT_EQ(separators, 3);

    HWND status = onlyChild(mainWindow, "msctls_statusbar32");
    ASSERT_TRUE(status);
    RECT client = {};
    GetClientRect(mainWindow, &client);
    const RECT statusRect = rectIn(status, mainWindow);
    EXPECT_EQ(statusRect.bottom, client.bottom);
    EXPECT_EQ(statusRect.left, 0);
    EXPECT_EQ(statusRect.right, client.right);
}

TEST_F(Shell, PanesAreLaidOutAroundTheViewBySplitters) {
    HWND scene = header("Scene :");
    HWND graphs = header("Graphs :");
    HWND elements = header("Elements :");
    HWND properties = header("Properties :");
    ASSERT_TRUE(scene && graphs && elements && properties);

    HWND view = sunkenView();
    ASSERT_TRUE(view);
    const RECT v = rectIn(view, mainWindow);
    const RECT s = rectIn(scene, mainWindow);
    const RECT g = rectIn(graphs, mainWindow);
    const RECT e = rectIn(elements, mainWindow);
    const RECT p = rectIn(properties, mainWindow);
    // Scene on the left of the view, elements and properties on its right, graphs below both.
    EXPECT_LT(s.right, v.left);
    EXPECT_LE(v.left - s.right, 4);
    EXPECT_LT(v.right, e.left);
    EXPECT_LE(e.left - v.right, 4);
    EXPECT_EQ(e.left, p.left);
    EXPECT_LT(e.bottom, p.top);
    EXPECT_LT(v.bottom, g.top);
    EXPECT_LE(g.top - v.bottom, 4);
    EXPECT_LT(s.bottom, g.top);
}

TEST_F(Shell, DraggingTheFirstSplitterMovesTheSharedEdgeWithinItsLimits) {
    HWND scene = header("Scene :");
    ASSERT_TRUE(scene);
    HWND view = sunkenView();
    ASSERT_TRUE(view);
    SetForegroundWindow(mainWindow);

    // Presses on the bar, moves the mouse by dx in four steps and releases; the bar's left edge follows
    // the pressed point. Returns that point's x in the main window.
    auto drag = [&](int dx) {
        const RECT s = rectIn(scene, mainWindow);
        const RECT v = rectIn(view, mainWindow);
        const POINT pressed = {(s.right + v.left) / 2, (s.top + s.bottom) / 2};
        POINT grip = pressed;
        ClientToScreen(mainWindow, &grip);
        moveMouse(grip.x, grip.y);
        leftButton(true);
        for (int step = 1; step <= 4; ++step) {
            moveMouse(grip.x + dx * step / 4, grip.y);
        }
        leftButton(false);
        waitUntil(2000, [&] { return rectIn(scene, mainWindow).right != s.right; });
        return pressed.x;
    };

    const int pressedAt = drag(30);
    const RECT s1 = rectIn(scene, mainWindow);
    const RECT v1 = rectIn(view, mainWindow);
    EXPECT_EQ(s1.right, pressedAt + 30);
    EXPECT_GT(v1.left, s1.right);
    EXPECT_LE(v1.left - s1.right, 4);

    drag(600);
    const int widest = rectIn(scene, mainWindow).right;
    // The scene pane starts at the window's left edge: its width is held between 20 and 200.
    EXPECT_EQ(widest, 200);

    drag(-900);
    const int narrowest = rectIn(scene, mainWindow).right;
    EXPECT_EQ(narrowest, 20);
    const RECT v2 = rectIn(view, mainWindow);
    EXPECT_LE(v2.left - narrowest, 4);
}

TEST_F(Shell, TreeGridAndTabsHoldTheirContent) {
    HWND tree = onlyChild(mainWindow, "SysTreeView32");
    ASSERT_TRUE(tree);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 8);

    HWND grid = onlyChild(mainWindow, "SysListView32");
    ASSERT_TRUE(grid);
    // Three open groups with their 13 items.
    const std::vector<std::string> rows = {
        "Object",       "Name  :",         "Scale :",           "Shared :",  "Renderer",
        "Texture :",    "Atlas X :",       "Atlas Y :",         "Scale X :", "Scale Y :",
        "Blend Mode",   "Enable Blending", "ColorInterpolator", "Type : ",   "Start Colors : ",
        "End Colors : "};
    ASSERT_EQ(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(rows.size()));
    for (size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(process->listItemText(grid, static_cast<int>(row), 0), rows[row]) << "row " << row;
    }

    std::vector<HWND> tabs = findChildren(mainWindow, "SysTabControl32");
    ASSERT_EQ(tabs.size(), 2u);
    std::vector<int> counts;
    for (HWND tab : tabs) {
        counts.push_back(static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)));
    }
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ(counts, (std::vector<int>{2, 6}));
}

TEST_F(Shell, ClickingATabShowsItsPage) {
    HWND palette = nullptr;
    for (HWND tab : findChildren(mainWindow, "SysTabControl32")) {
        if (SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0) == 6) {
            palette = tab;
        }
    }
    ASSERT_TRUE(palette);
    // The third tab holds the zone buttons.
    RECT item = {};
    process->sendWithBuffer(palette, TCM_GETITEMRECT, 2, &item, sizeof(item));
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(palette, &centre);
    SetForegroundWindow(mainWindow);
    clickAt(centre.x, centre.y);

    EXPECT_TRUE(waitUntil(3000, [&] { return SendMessageA(palette, TCM_GETCURSEL, 0, 0) == 2; }));
    bool sphereVisible = false;
    EXPECT_TRUE(waitUntil(3000, [&] {
        for (HWND button : findChildren(palette, "Button", "Sphere")) {
            sphereVisible = IsWindowVisible(button) != 0;
        }
        return sphereVisible;
    }));
    for (HWND button : findChildren(palette, "Button", "System")) {
        EXPECT_FALSE(IsWindowVisible(button));
    }
}

TEST(ShellLifetime, ClosingTheMainWindowEndsTheProgramWithCodeZero) {
    UserFolder user;
    RemoteProcess process(programPath(), programFolder());
    ASSERT_TRUE(process.started());
    HWND main = process.waitForWindow(mainCaption, startTimeoutMs);
    ASSERT_TRUE(main);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(15000), 0u);
}

TEST(ShellLifetime, MissingBitmapsAreReportedTwiceAndTheProgramStillRuns) {
    // A copy of the program in a folder without res/: a bitmap path that is not found where the
    // program runs is also looked up next to the executable.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kw_e2e_no_res";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"Test.exe", "Kwadro_ANSI.dll"}) {
        ASSERT_TRUE(CopyFileA((programFolder() + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE))
            << file;
    }
    ASSERT_EQ(GetFileAttributesA((folder + "\\res").c_str()), INVALID_FILE_ATTRIBUTES);

    {
        RemoteProcess process(folder + "\\Test.exe", folder);
        ASSERT_TRUE(process.started());
        std::vector<DialogText> boxes;
        std::vector<HWND> read;
        HWND main = nullptr;
        waitUntil(startTimeoutMs, [&] {
            for (const DialogText& box : closeMessageBoxes(process.id(), read)) {
                boxes.push_back(box);
            }
            main = boxes.size() >= 2 ? process.waitForWindow(mainCaption, 0) : nullptr;
            return main != nullptr;
        });
        ASSERT_EQ(boxes.size(), 2u);
        for (const DialogText& box : boxes) {
            EXPECT_EQ(box.caption, "WK_Error");
            EXPECT_EQ(box.text, "Failed to Load image");
        }
        ASSERT_TRUE(main) << "the program did not go on after the messages";
        EXPECT_EQ(process.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(process.waitForExit(15000), 0u);
    }
    for (const char* file : {"Test.exe", "Kwadro_ANSI.dll"}) {
        DeleteFileA((folder + "\\" + file).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

// Both programs: the window moved out of its maximised state and the scene pane widened by a real drag
// come back so at the next start.
TEST(ShellLifetime, ProgramsStartAsTheUserLeftThem) {
    const struct {
        const char* program;
        const char* caption;
        const char* scene; // the scene pane's title
    } programs[] = {{"Test.exe", mainCaption, "Scene :"}, {"Pelmora.exe", "Pelmora - Untitled", "Scene"}};
    for (const auto& program : programs) {
        UserFolder user;
        const RECT placed = {70, 60, 970, 760};
        RECT widened = {};
        for (int start = 0; start < 2; ++start) {
            RemoteProcess process(programFolder() + "\\" + program.program, programFolder());
            HWND main = process.waitForWindow(program.caption, startTimeoutMs);
            ASSERT_TRUE(main) << program.program;
            HWND scene = onlyChild(main, "KWWINDOW", program.scene);
            ASSERT_TRUE(scene);
            if (start == 0) {
                waitUntil(5000, [&] { return IsZoomed(main) != 0; });
                PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
                waitUntil(5000, [&] { return IsZoomed(main) == 0; });
                SetWindowPos(main, nullptr, placed.left, placed.top, placed.right - placed.left,
                             placed.bottom - placed.top, SWP_NOZORDER);
                SetForegroundWindow(main);
                const RECT before = rectIn(scene, main);
                POINT grip = {before.right + 2, (before.top + before.bottom) / 2};
                ClientToScreen(main, &grip);
                moveMouse(grip.x, grip.y);
                leftButton(true);
                moveMouse(grip.x + 20, grip.y);
                moveMouse(grip.x + 40, grip.y);
                leftButton(false);
                // Both moves are taken before the edge is read: the first alone moves it too.
                waitUntil(2000, [&] { return rectIn(scene, main).right == before.right + 2 + 40; });
                widened = rectIn(scene, main);
                // The pane's edge follows the pressed point.
                EXPECT_EQ(before.right + 2 + 40, widened.right) << program.program;
            } else {
                RECT window = {};
                GetWindowRect(main, &window);
                EXPECT_FALSE(IsZoomed(main)) << program.program;
                EXPECT_TRUE(EqualRect(&window, &placed))
                    << program.program << " at " << window.left << "," << window.top << " to " << window.right
                    << "," << window.bottom;
                EXPECT_EQ(widened.right, rectIn(scene, main).right) << program.program;
            }
            PostMessageA(main, WM_CLOSE, 0, 0);
            EXPECT_EQ(0u, process.waitForExit(15000)) << program.program;
        }
    }
}
