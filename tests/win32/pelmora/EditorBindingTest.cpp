// The effect editor as its user drives it: palette, tree, property grid, curve and gradient editors
// change the effect, the preview shows the change, and undo brings the gadgets back.
#include "EditorApp.h"
#include "GridSupport.h"
#include "PaintProbe.h"
#include "Preview.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>

using namespace KW;
using namespace pelmora::editor;
using pelmora::EditorApp;
using pelmora::EmitterDesc;

namespace {

class Editor : public testing::Test {
protected:
    void SetUp() override {
        app.reset(new EditorApp());
        HWND window = app->getWindow()->getHandle();
        SetWindowPos(window, nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_SHOWWINDOW);
        SetForegroundWindow(window);
        kwtest::pumpMessages();
        gadgets = app->getGadgets();
        gadgets.preview->setPlaying(false);
    }
    void TearDown() override {
        kwtest::mouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP);
        app.reset();
    }

    // Press and release in one go: a tree view waits for the release inside its handling of the press.
    void clickAt(HWND window, int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN,
                 DWORD up = MOUSEEVENTF_LEFTUP) {
        kwtest::moveMouseTo(window, x, y);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = down;
        inputs[1].mi.dwFlags = up;
        SendInput(2, inputs, sizeof(INPUT));
        kwtest::pumpMessages();
    }
    void clickTreeItem(int item) {
        // The message takes the item in the rectangle it fills.
        RECT rect = {};
        const HTREEITEM handle = gadgets.tree->getItemHandle(item);
        std::memcpy(&rect, &handle, sizeof(handle));
        ASSERT_TRUE(
            SendMessageA(gadgets.tree->getHandle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
        clickAt(gadgets.tree->getHandle(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    // The client pixel where an editor shows data (x, y), from two probes of its cursor read-out.
    template <typename Gadget> POINT pixelOf(Gadget* gadget, float x, float y) {
        const KWBound client = gadget->getGlobalBounds();
        const int px = client.right / 2, py = client.bottom / 2;
        kwtest::moveMouseTo(gadget->getHandle(), px, py);
        kwtest::pumpMessages();
        const float x0 = gadget->getCursorX(), y0 = gadget->getCursorY();
        kwtest::moveMouseTo(gadget->getHandle(), px + 50, py + 20);
        kwtest::pumpMessages();
        const float sx = (gadget->getCursorX() - x0) / 50.0f, sy = (gadget->getCursorY() - y0) / 20.0f;
        return {static_cast<LONG>(px + (x - x0) / sx + 0.5f), static_cast<LONG>(py + (y - y0) / sy + 0.5f)};
    }
    const EmitterDesc& emitter() const { return app->getScene().findEmitter(app->getSelected())->values; }
    // A fingerprint of the preview after a fixed run from a fresh start.
    unsigned long long previewAfterOneSecond() {
        gadgets.preview->restart(app->getScene());
        gadgets.preview->runSteps(60);
        unsigned long long sum = 0;
        const pelmora::Canvas& canvas = gadgets.preview->getCanvas();
        for (int i = 0; i < canvas.width() * canvas.height(); ++i) {
            sum = sum * 31 + canvas.data()[i];
        }
        return sum;
    }

    std::unique_ptr<EditorApp> app;
    EditorApp::Gadgets gadgets = {};
};

BOOL CALLBACK collectEmitterButtons(HWND child, LPARAM found) {
    if (kwtest::windowText(child) == "Emitter" && kwtest::windowClassName(child) == "Button") {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    }
    return TRUE;
}

HWND childOfClass(HWND parent, const char* className) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (kwtest::windowClassName(child) == className) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

TEST_F(Editor, StartsWithAPlayingEffectOfOneEmitterShownInTreeAndGrid) {
    const Scene& scene = app->getScene();
    ASSERT_EQ(1u, scene.getSystems().size());
    ASSERT_EQ(1u, scene.getSystems()[0].groups.size());
    ASSERT_EQ(1u, scene.getSystems()[0].groups[0].emitters.size());
    EXPECT_EQ(4, static_cast<int>(SendMessageA(gadgets.tree->getHandle(), TVM_GETCOUNT, 0, 0)));
    EXPECT_EQ(emitter().name, gadgets.name->getText());
    EXPECT_FLOAT_EQ(emitter().rate, gadgets.rate->getValue());
    EXPECT_EQ("Pelmora - Untitled", app->getWindow()->getText());
    gadgets.preview->runSteps(30);
    EXPECT_GT(gadgets.preview->getPlayback().particleCount(), 0u);
}

TEST_F(Editor, EditsInTheGadgetsChangeTheEffectAndThePreviewAndUndoRestoresThem) {
    // A tall window: the grid's rows need no scroll bar, which would cover the spin boxes' arrows.
    SetWindowPos(app->getWindow()->getHandle(), nullptr, 0, 0, 900, 1000, SWP_NOZORDER);
    kwtest::pumpMessages();
    const ElementId first = app->getSelected();
    const unsigned long long startPicture = previewAfterOneSecond();

    // The palette's Emitter button adds a second emitter and selects it.
    KWWindow* window = app->getWindow();
    std::vector<HWND> buttons;
    EnumChildWindows(window->getHandle(), collectEmitterButtons, reinterpret_cast<LPARAM>(&buttons));
    ASSERT_EQ(1u, buttons.size());
    clickAt(buttons[0], 20, 10);
    ASSERT_EQ(2u, app->getScene().getSystems()[0].groups[0].emitters.size());
    EXPECT_NE(first, app->getSelected());
    EXPECT_EQ("Pelmora - Untitled *", window->getText());

    // Back to the first emitter through the tree.
    clickTreeItem(app->itemOf(first));
    ASSERT_EQ(first, app->getSelected());
    EXPECT_EQ(emitter().name, gadgets.name->getText());

    // Rate: the row's editor, then its up arrow (one step of 1).
    const float rate = emitter().rate;
    RECT row = {};
    row.left = LVIR_BOUNDS;
    const int rateRow = 3; // Element, Name, Emission, Rate
    SendMessageA(gadgets.grid->getHandle(), LVM_GETITEMRECT, rateRow, reinterpret_cast<LPARAM>(&row));
    clickAt(gadgets.grid->getHandle(), 20, (row.top + row.bottom) / 2);
    ASSERT_TRUE(IsWindowVisible(gadgets.rate->getHandle()));
    HWND arrows = childOfClass(gadgets.rate->getHandle(), UPDOWN_CLASSA);
    ASSERT_NE(nullptr, arrows);
    RECT arrowRect;
    GetClientRect(arrows, &arrowRect);
    clickAt(arrows, arrowRect.right / 2, arrowRect.bottom / 4);
    EXPECT_FLOAT_EQ(rate + 1.0f, emitter().rate);

    // A curve key dragged downwards (framed, the keys touch the top of the view): the emitter's size keys
    // are the editor's keys.
    const KWGraphPoint key = gadgets.sizeCurve->getPoints()[0];
    const POINT at = pixelOf(gadgets.sizeCurve, key.x, key.y1);
    kwtest::moveMouseTo(gadgets.sizeCurve->getHandle(), at.x, at.y);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    kwtest::moveMouseTo(gadgets.sizeCurve->getHandle(), at.x, at.y + 15);
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    kwtest::pumpMessages();
    ASSERT_EQ(gadgets.sizeCurve->getPoints().size(), emitter().size.size());
    EXPECT_LT(emitter().size[0].upper, -key.y1); // smaller: the editor shows sizes negative upwards
    EXPECT_EQ(gadgets.sizeCurve->getPoints()[0].y1, -emitter().size[0].upper);

    // A colour picked for the first key's upper swatch: white from the picker's box corner.
    HWND tabControl = GetParent(GetParent(gadgets.colorRamp->getHandle()));
    TabCtrl_SetCurFocus(tabControl, 1);
    kwtest::pumpMessages();
    ASSERT_TRUE(IsWindowVisible(gadgets.colorRamp->getHandle()));
    const POINT swatch = pixelOf(gadgets.colorRamp, emitter().color[0].position, 0.0f);
    clickAt(gadgets.colorRamp->getHandle(), swatch.x + 2, 5, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    KWColorPicker* picker = static_cast<KWColorPicker*>(gadgets.colorRamp->getChild(0));
    ASSERT_TRUE(IsWindowVisible(picker->getHandle()));
    HWND box = GetWindow(picker->getHandle(), GW_CHILD);
    SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    kwtest::pumpMessages();
    SendMessageA(picker->getOkButton(), BM_CLICK, 0, 0);
    kwtest::pumpMessages();
    const pelmora::Color picked = emitter().color[0].upper;
    EXPECT_EQ(gadgets.colorRamp->getPoints()[0].color1.r, picked.r);
    EXPECT_GE(picked.r + picked.g + picked.b, 3 * 250);

    EXPECT_NE(startPicture, previewAfterOneSecond());

    // Undo steps back through the colour, the curve, the rate and the new emitter; the gadgets follow.
    app->runCommand(pelmora::CommandUndo);
    EXPECT_NE(picked.r + picked.g + picked.b,
              emitter().color[0].upper.r + emitter().color[0].upper.g + emitter().color[0].upper.b);
    EXPECT_EQ(emitter().color[0].upper.g, gadgets.colorRamp->getPoints()[0].color1.g);
    app->runCommand(pelmora::CommandUndo);
    EXPECT_EQ(key.y1, -emitter().size[0].upper);
    EXPECT_EQ(key.y1, gadgets.sizeCurve->getPoints()[0].y1);
    app->runCommand(pelmora::CommandUndo);
    EXPECT_FLOAT_EQ(rate, gadgets.rate->getValue());
    app->runCommand(pelmora::CommandUndo);
    EXPECT_EQ(1u, app->getScene().getSystems()[0].groups[0].emitters.size());
    EXPECT_EQ("Pelmora - Untitled", window->getText());
    EXPECT_EQ(startPicture, previewAfterOneSecond());
}

TEST_F(Editor, ShapeAndBurstRowsChangeTheEffectAndUndoRestoresThem) {
    // A tall window: the grid's rows below need no scroll bar, which would cover the spin boxes' arrows.
    SetWindowPos(app->getWindow()->getHandle(), nullptr, 0, 0, 900, 1000, SWP_NOZORDER);
    kwtest::pumpMessages();
    // The groups start closed. Rows: Element, Name, Emission and six, Rendering and three, Shape, Kind...
    const std::vector<KWGroupItem*>& groups = gadgets.properties->getGroups();
    gadgets.grid->openGroup(groups[0], true); // Shape: Kind (14) to Direction (19), then Timing
    kwtest::pumpMessages();
    auto openRow = [this](int index) {
        RECT row = {};
        row.left = LVIR_BOUNDS;
        SendMessageA(gadgets.grid->getHandle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row));
        clickAt(gadgets.grid->getHandle(), 20, (row.top + row.bottom) / 2);
        return (row.top + row.bottom) / 2;
    };

    // The shape's kind from its drop-down list, as the keyboard picks the next item.
    KWComboBox* kind = gadgets.properties->getShapeKind();
    openRow(14);
    ASSERT_TRUE(IsWindowVisible(kind->getHandle()));
    SetFocus(kind->getHandle());
    kwtest::pumpMessages();
    kwtest::pressKey(VK_DOWN);
    EXPECT_EQ(pelmora::ShapeKind::Circle, emitter().shape.kind);

    // Burst 1's count raised by its up arrow: the emitter gains a burst of one at the start of its
    // cycle. Shape closed, so that the grid needs no scroll bar: Shape (13), Timing, Bursts, burst 1's time
    // (16) and count (17).
    gadgets.grid->openGroup(groups[0], false);
    gadgets.grid->openGroup(groups[2], true);
    kwtest::pumpMessages();
    const int rowY = openRow(17);
    // The row's editor: the shown child of the grid at the row's value column.
    RECT grid;
    GetClientRect(gadgets.grid->getHandle(), &grid);
    const POINT value = {grid.right - 30, rowY};
    HWND count = ChildWindowFromPointEx(gadgets.grid->getHandle(), value, CWP_SKIPINVISIBLE);
    count = count == gadgets.grid->getHandle() ? nullptr : count;
    ASSERT_NE(nullptr, count);
    HWND arrows = childOfClass(count, UPDOWN_CLASSA);
    RECT arrowRect;
    GetClientRect(arrows, &arrowRect);
    clickAt(arrows, arrowRect.right / 2, arrowRect.bottom / 4);
    ASSERT_EQ(1u, emitter().bursts.size());
    EXPECT_EQ(1, emitter().bursts[0].count);
    EXPECT_EQ(0.0f, emitter().bursts[0].time);

    // Undo: no burst, then the point shape, which the kind's row shows again.
    app->runCommand(pelmora::CommandUndo);
    EXPECT_TRUE(emitter().bursts.empty());
    app->runCommand(pelmora::CommandUndo);
    EXPECT_EQ(pelmora::ShapeKind::Point, emitter().shape.kind);
    EXPECT_EQ(0, kind->getSelectedId());
    EXPECT_EQ("Pelmora - Untitled", app->getWindow()->getText());
}

// The timing, motion and sprite-sheet rows edit the emitter through their spin boxes' arrows; a bound moved
// past the other one takes it along; undo steps back over every edit.
TEST_F(Editor, TimingMotionAndSheetRowsChangeTheEffect) {
    SetWindowPos(app->getWindow()->getHandle(), nullptr, 0, 0, 900, 1000, SWP_NOZORDER);
    const std::vector<KWGroupItem*>& groups = gadgets.properties->getGroups();
    for (std::size_t group : {1, 3, 4}) { // Timing, Motion, Sprite sheet
        gadgets.grid->openGroup(groups[group], true);
    }
    kwtest::pumpMessages();
    const struct {
        const char* row;
        bool up;
        std::function<bool(const EmitterDesc&)> done;
    } cases[] = {
        {"Start delay", true, [](const EmitterDesc& e) { return e.delay == 0.1f; }},
        {"Rotation max", false,
         [](const EmitterDesc& e) { return e.rotationMax == -5.0f && e.rotationMin == -5.0f; }},
        {"Spin min", true, [](const EmitterDesc& e) { return e.spinMin == 5.0f && e.spinMax == 5.0f; }},
        {"Drag", true, [](const EmitterDesc& e) { return e.drag == 0.1f; }},
        {"Columns", true, [](const EmitterDesc& e) { return e.sheet.columns == 2; }},
    };
    const EmitterDesc before = emitter();
    HWND list = gadgets.grid->getHandle();
    for (const auto& c : cases) {
        const std::vector<std::string> rows = gridtest::rowTexts(list);
        const int row = static_cast<int>(std::find(rows.begin(), rows.end(), c.row) - rows.begin());
        ASSERT_LT(row, static_cast<int>(rows.size())) << c.row;
        const POINT cell = gridtest::cellCentre(list, row, 0);
        clickAt(list, 20, cell.y);
        RECT client;
        GetClientRect(list, &client);
        HWND editor = ChildWindowFromPointEx(list, POINT{client.right - 30, cell.y}, CWP_SKIPINVISIBLE);
        HWND arrows = childOfClass(editor, UPDOWN_CLASSA);
        ASSERT_NE(nullptr, arrows) << c.row;
        RECT arrowRect;
        GetClientRect(arrows, &arrowRect);
        clickAt(arrows, arrowRect.right / 2, c.up ? arrowRect.bottom / 4 : arrowRect.bottom * 3 / 4);
        EXPECT_TRUE(c.done(emitter())) << c.row;
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        app->runCommand(pelmora::CommandUndo);
    }
    EXPECT_TRUE(sameValues(before, emitter()));
}

TEST_F(Editor, ViewThemeSwitchesTheWholeWindowAndChecksTheChoice) {
    HMENU view = GetSubMenu(GetMenu(app->getWindow()->getHandle()), 3);
    const std::pair<int, KWTheme> choices[] = {{pelmora::CommandThemeDark, KWTheme::dark()},
                                               {pelmora::CommandThemeLight, KWTheme::light()}};
    for (const auto& choice : choices) {
        SendMessageW(app->getWindow()->getHandle(), WM_COMMAND, static_cast<WPARAM>(choice.first), 0);
        kwtest::pumpMessages();
        EXPECT_TRUE(Kwadro::getTheme() == choice.second) << choice.first;
        EXPECT_EQ(static_cast<UINT>(MF_CHECKED),
                  GetMenuState(view, static_cast<UINT>(choice.first), MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_EQ(choice.second.editBackground, kwtest::pixelAt(gadgets.tree->getHandle(), 150, 150));
    }
}

// A refused edit beeps and says why in the status bar, where the running preview's readout leaves it.
TEST_F(Editor, ARefusedEditSaysWhyInTheStatusBar) {
    const std::string name = emitter().name;
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageA(gadgets.grid->getHandle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)); // Name
    clickAt(gadgets.grid->getHandle(), 20, (row.top + row.bottom) / 2);
    ASSERT_TRUE(IsWindowVisible(gadgets.name->getHandle()));
    SetFocus(gadgets.name->getHandle());
    SendMessageA(gadgets.name->getHandle(), EM_SETSEL, 0, -1);
    kwtest::pressKey(VK_DELETE);
    kwtest::pressKey(VK_RETURN);
    gadgets.preview->setPlaying(true);
    HWND status = FindWindowExA(app->getWindow()->getHandle(), nullptr, STATUSCLASSNAMEA, nullptr);
    char text[128] = {};
    for (int frame = 0; frame < 10; ++frame) {
        Sleep(30);
        kwtest::pumpMessages();
        SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        ASSERT_STREQ("name: is empty", text) << frame;
    }
    EXPECT_EQ(name, emitter().name);
    EXPECT_EQ(name, gadgets.name->getText());
}

// The blend's list, like every row, edits through the document: one undo step, and undo shows it back.
TEST_F(Editor, BlendIsOneUndoStepOfTheDocument) {
    KWComboBox* blend = static_cast<KWComboBox*>(gadgets.properties->gadgetOf(Field::Blend));
    const std::size_t steps = app->getDocument().undoSteps();
    HWND list = gadgets.grid->getHandle();
    const std::vector<std::string> rows = gridtest::rowTexts(list);
    const int row = static_cast<int>(std::find(rows.begin(), rows.end(), "Blend") - rows.begin());
    clickAt(list, 20, gridtest::cellCentre(list, row, 0).y);
    ASSERT_TRUE(IsWindowVisible(blend->getHandle()));
    SetFocus(blend->getHandle());
    kwtest::pumpMessages();
    kwtest::pressKey(VK_UP); // Additive to Alpha
    EXPECT_EQ(pelmora::Blend::Alpha, emitter().blend);
    EXPECT_EQ(steps + 1, app->getDocument().undoSteps());
    app->runCommand(pelmora::CommandUndo);
    EXPECT_EQ(pelmora::Blend::Additive, emitter().blend);
    EXPECT_EQ(1, blend->getSelectedId());
}

// The rows of trails, noise, forces, speed, stretch and collision edit through their spin boxes' arrows,
// of the emitter and of a sub-emitter added from Add > Sub-emitter; undo steps back over all of it.
TEST_F(Editor, MotionRowsAndSubEmittersChangeTheEffectAndUndoRestoresThem) {
    SetWindowPos(app->getWindow()->getHandle(), nullptr, 0, 0, 900, 1000, SWP_NOZORDER);
    // Elements closed, the grid's pane has the right column, so the longest group fits without a scroll bar.
    app->runCommand(pelmora::CommandPane + 1);
    kwtest::pumpMessages();
    const Scene before = app->getScene();
    HWND list = gadgets.grid->getHandle();
    const std::vector<KWGroupItem*>& groups = gadgets.properties->getGroups();
    // One group open at a time, so that the grid needs no scroll bar; the row is its last one so named.
    auto arrow = [&](std::size_t group, const char* name, bool up) {
        for (KWGroupItem* each : groups) {
            gadgets.grid->openGroup(each, each == groups[group]);
        }
        kwtest::pumpMessages();
        const std::vector<std::string> rows = gridtest::rowTexts(list);
        const int row = static_cast<int>(rows.rend() - std::find(rows.rbegin(), rows.rend(), name)) - 1;
        ASSERT_GE(row, 0) << name;
        const POINT cell = gridtest::cellCentre(list, row, 0);
        clickAt(list, 20, cell.y);
        RECT client;
        GetClientRect(list, &client);
        HWND editor = ChildWindowFromPointEx(list, POINT{client.right - 30, cell.y}, CWP_SKIPINVISIBLE);
        HWND arrows = childOfClass(editor, UPDOWN_CLASSA);
        ASSERT_NE(nullptr, arrows) << name;
        RECT arrowRect;
        GetClientRect(arrows, &arrowRect);
        clickAt(arrows, arrowRect.right / 2, up ? arrowRect.bottom / 4 : arrowRect.bottom * 3 / 4);
    };
    const struct {
        std::size_t group; // among the groups that start closed: Trail is the sixth
        const char* row;
        bool up;
        std::function<bool(const EmitterDesc&)> done;
    } cases[] = {
        {5, "Length", true, [](const EmitterDesc& e) { return e.trail.length == 0.1f; }},
        {6, "Strength", true, [](const EmitterDesc& e) { return e.noise.strength == 10.0f; }},
        {7, "Force 1 strength", true,
         [](const EmitterDesc& e) { return e.forces.size() == 1 && e.forces[0].strength == 10.0f; }},
        {8, "Limit", true, [](const EmitterDesc& e) { return e.speedLimit == 1.0f; }},
        {9, "Stretch", true, [](const EmitterDesc& e) { return e.stretch == 0.01f; }},
        {10, "Plane", false, [](const EmitterDesc& e) { return e.collision.plane == -1.0f; }},
    };
    for (const auto& c : cases) {
        arrow(c.group, c.row, c.up);
        EXPECT_TRUE(c.done(*app->getDocument().selectedValues())) << c.row;
    }

    // Add > Sub-emitter > Death: the menu holds it, the tree shows it under its emitter with its trigger,
    // and the grid shows its own rows; its trail's length takes the same arrow.
    HMENU add = GetSubMenu(GetMenu(app->getWindow()->getHandle()), 2);
    HMENU triggers = GetSubMenu(add, GetMenuItemCount(add) - 1);
    ASSERT_NE(nullptr, triggers);
    ASSERT_EQ(3, GetMenuItemCount(triggers));
    const UINT death = GetMenuItemID(triggers, 1);
    const ElementId emitter = app->getSelected();
    SendMessageW(app->getWindow()->getHandle(), WM_COMMAND, death, 0);
    kwtest::pumpMessages();
    const ElementId sub = app->getSelected();
    ASSERT_EQ(ElementKind::SubEmitter, app->getScene().kindOf(sub));
    EXPECT_EQ(emitter, app->getScene().parentOf(sub));
    EXPECT_EQ(5, static_cast<int>(SendMessageA(gadgets.tree->getHandle(), TVM_GETCOUNT, 0, 0)));
    EXPECT_EQ(gadgets.tree->getItemHandle(app->itemOf(emitter)),
              TreeView_GetParent(gadgets.tree->getHandle(), gadgets.tree->getItemHandle(app->itemOf(sub))));
    const std::vector<std::string> rows = gridtest::rowTexts(list);
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "Trigger"));
    arrow(5, "Length", true);
    EXPECT_EQ(0.1f, app->getScene().findSubEmitter(sub)->emitter.trail.length);
    EXPECT_EQ(pelmora::Trigger::Death, app->getScene().findSubEmitter(sub)->trigger);

    // Back to the first edit: the sub-emitter leaves the tree, the emitter its values.
    for (std::size_t i = 0; i < std::size(cases) + 2; ++i) {
        app->runCommand(pelmora::CommandUndo);
    }
    EXPECT_TRUE(app->getScene() == before);
    EXPECT_EQ(4, static_cast<int>(SendMessageA(gadgets.tree->getHandle(), TVM_GETCOUNT, 0, 0)));
    EXPECT_EQ("Pelmora - Untitled", app->getWindow()->getText());
}
