// Handlers of the standard controls, driven with real mouse and keyboard input.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        Sleep(10);
        kwtest::pumpMessages();
    }
}

void moveTo(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
    settle();
}

void mouseButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    settle();
}

// Press and release go in at once: a tree view waits for the release inside its own handling of the press.
void click(HWND window, POINT point, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    moveTo(window, point);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1] = input[0];
    input[1].mi.dwFlags = up;
    SendInput(2, input, sizeof(INPUT));
    settle();
}

POINT centreOf(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return POINT{rect.right / 2, rect.bottom / 2};
}

POINT centreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void key(WORD virtualKey) {
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = virtualKey;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    settle();
}

void typeText(const std::string& text) {
    for (char c : text) {
        key(static_cast<WORD>(VkKeyScanA(c) & 0xFF));
    }
}

// One call of a handler: the event, and the gadget's state read by its getter inside the handler.
struct Seen {
    eEventType type;
    int param1;
    std::string state;
    bool operator==(const Seen& other) const {
        return type == other.type && param1 == other.param1 && state == other.state;
    }
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << "{" << seen.type << ", " << seen.param1 << ", \"" << seen.state << "\"}";
}

// Records every call of the handlers it makes; checks that each event names its gadget and has no param2.
struct Recorder {
    std::vector<Seen> seen;
    int wrongFields = 0;

    KWHandler handler(KWObject* gadget, std::function<std::string()> state) {
        return [this, gadget, state](const KWEvent& event) {
            if (event.object != gadget || event.param2 != 0) {
                ++wrongFields;
            }
            seen.push_back({event.type, event.param1, state()});
        };
    }
    void expect(const std::vector<Seen>& expected) {
        settle();
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(wrongFields, 0);
        seen.clear();
    }
};

std::string flag(bool value) {
    return value ? "1" : "0";
}

// A shown, topmost window in the foreground, with a plain edit to move the focus to.
struct Handlers : testing::Test {
    std::unique_ptr<KWWindow> window;
    HWND elsewhere = nullptr;
    Recorder recorder;

    void SetUp() override {
        window.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 60, 60, 460, 360, "Handlers", nullptr, 0));
        SetWindowPos(window->getHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(window->getHandle());
        elsewhere = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 380, 320, 60, 20,
                                    window->getHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        settle();
        kwtest::clearMessageBoxes();
    }
    void TearDown() override {
        window.reset();
        kwtest::pumpMessages();
    }
    void focus(HWND target) {
        SetFocus(target);
        settle();
    }
};

HWND childOf(KWObject* gadget, const char* className) {
    return FindWindowExA(gadget->getHandle(), nullptr, className, nullptr);
}

POINT listItemCentre(HWND list, int index) {
    RECT rect = {};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return centreOf(rect);
}

POINT treeItemCentre(KWTreeView* tree, int item) {
    // TVM_GETITEMRECT takes the item handle in the rectangle's first bytes.
    RECT rect = {};
    HTREEITEM handle = tree->getItemHandle(item);
    memcpy(&rect, &handle, sizeof(handle));
    SendMessageA(tree->getHandle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return centreOf(rect);
}

POINT tabCentre(KWTab* tab, int index) {
    RECT rect = {};
    SendMessageA(tab->getHandle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    return centreOf(rect);
}

// The upper (larger) half of a vertical spin box's arrows.
POINT upperArrow(KWSpinBox* box) {
    RECT rect = {};
    GetClientRect(childOf(box, UPDOWN_CLASSA), &rect);
    return POINT{rect.right / 2, rect.bottom / 4};
}

} // namespace

TEST_F(Handlers, ClicksReportTheIdAndTheStateAfterTheClick) {
    struct Case {
        const char* name;
        std::function<KWObject*(KWObject* parent)> create;
        std::function<std::string(KWObject* gadget)> state;
        eEventType type;
    };
    const std::vector<Case> cases = {
        {"button", [](KWObject* p) { return KWButton::create(STYLE_DEFAULT, "Go", 10, 10, 80, 24, p, 11); },
         [](KWObject* g) { return g->getText(); }, EVENT_CLICKED},
        {"check box with automatic caption",
         [](KWObject* p) {
             KWCheckBox* box = KWCheckBox::create(STYLE_DEFAULT, "x", 10, 10, 80, 24, p, 11);
             box->setAutoTextEnabled(true);
             return box;
         },
         [](KWObject* g) { return flag(static_cast<KWCheckBox*>(g)->isChecked()) + g->getText(); },
         EVENT_CHANGED},
        {"radio", [](KWObject* p) { return KWRadio::create(STYLE_DEFAULT, "r", 10, 10, 80, 24, p, 11); },
         [](KWObject* g) { return flag(static_cast<KWRadio*>(g)->isSelected()); }, EVENT_CHANGED},
    };
    const std::vector<std::string> expectedState = {"Go", "1True", "1"};
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        KWObject* gadget = cases[i].create(window.get());
        gadget->setHandler(recorder.handler(gadget, [&] { return cases[i].state(gadget); }));
        click(gadget->getHandle(), centreOf(gadget->getHandle()));
        recorder.expect({{cases[i].type, 11, expectedState[i]}});
        // The window deletes it; hidden, it leaves the place to the next one.
        gadget->setVisible(false);
    }
}

TEST_F(Handlers, SpaceAndEnterClickAFocusedButtonOnce) {
    KWButton* button = KWButton::create(STYLE_DEFAULT, "Go", 10, 10, 80, 24, window.get(), 21);
    button->setHandler(recorder.handler(button, [] { return std::string(); }));
    focus(button->getHandle());
    key(VK_SPACE);
    recorder.expect({{EVENT_CLICKED, 21, ""}});
    key(VK_RETURN);
    recorder.expect({{EVENT_CLICKED, 21, ""}});
    // Text set by the program reports nothing.
    button->setText("Stop");
    recorder.expect({});
}

TEST_F(Handlers, RadioReportsOnlyRealChangesAndOnlyForTheClickedButton) {
    KWRadio* first = KWRadio::create(STYLE_DEFAULT, "a", 10, 10, 80, 24, window.get(), 1);
    KWRadio* second = KWRadio::create(STYLE_DEFAULT, "b", 10, 40, 80, 24, window.get(), 2);
    first->setHandler(
        recorder.handler(first, [&] { return flag(first->isSelected()) + flag(second->isSelected()); }));
    second->setHandler(
        recorder.handler(second, [&] { return flag(first->isSelected()) + flag(second->isSelected()); }));

    click(first->getHandle(), centreOf(first->getHandle()));
    recorder.expect({{EVENT_CHANGED, 1, "10"}});
    click(first->getHandle(), centreOf(first->getHandle()));
    recorder.expect({});
    // The first one is unchecked silently: only the second reports.
    click(second->getHandle(), centreOf(second->getHandle()));
    recorder.expect({{EVENT_CHANGED, 2, "01"}});
    click(first->getHandle(), centreOf(first->getHandle()));
    recorder.expect({{EVENT_CHANGED, 1, "10"}});
    second->setSelected(true);
    first->setSelected(false);
    recorder.expect({});
}

TEST_F(Handlers, EditReportsEachTypedChangeAndOneCommitPerEdit) {
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "", 10, 10, 200, 22, window.get(), 31);
    edit->setHandler(recorder.handler(edit, [&] { return edit->getText(); }));
    focus(edit->getHandle());
    typeText("ab");
    recorder.expect({{EVENT_CHANGING, 31, "a"}, {EVENT_CHANGING, 31, "ab"}});
    // Enter commits; the focus loss that follows has nothing new to commit.
    key(VK_RETURN);
    recorder.expect({{EVENT_CHANGED, 31, "ab"}});
    focus(elsewhere);
    recorder.expect({});

    focus(edit->getHandle());
    typeText("c");
    focus(elsewhere);
    recorder.expect({{EVENT_CHANGING, 31, "abc"}, {EVENT_CHANGED, 31, "abc"}});
    // Neither text set by the program nor a visit without typing reports anything.
    edit->setText("set");
    focus(edit->getHandle());
    focus(elsewhere);
    recorder.expect({});
}

TEST_F(Handlers, ListAndComboReportTheSelectedItemsId) {
    KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 150, 120, window.get(), 41);
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 200, 10, 150, 150, window.get(), 42);
    for (int i = 0; i < 3; ++i) {
        list->addItem(100 + i, "item " + std::to_string(i));
        combo->addItem(200 + i, "entry " + std::to_string(i));
    }
    list->setHandler(recorder.handler(list, [&] { return std::to_string(list->getSelectedId()); }));
    combo->setHandler(recorder.handler(combo, [&] { return combo->getSelectedText(); }));

    click(list->getHandle(), listItemCentre(list->getHandle(), 1));
    recorder.expect({{EVENT_SELECTED, 101, "101"}});
    // The item already selected, and selections by the program, report nothing.
    click(list->getHandle(), listItemCentre(list->getHandle(), 1));
    list->selectItem(102);
    recorder.expect({});
    key(VK_UP);
    recorder.expect({{EVENT_SELECTED, 101, "101"}});

    focus(combo->getHandle());
    key(VK_DOWN);
    key(VK_DOWN);
    recorder.expect({{EVENT_SELECTED, 200, "entry 0"}, {EVENT_SELECTED, 201, "entry 1"}});
    // The mouse: drop the list down, pick the last entry.
    click(combo->getHandle(), centreOf(combo->getHandle()));
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo->getHandle(), &info));
    ASSERT_TRUE(kwtest::pumpUntil([&] { return IsWindowVisible(info.hwndList) != FALSE; }));
    click(info.hwndList, listItemCentre(info.hwndList, 2));
    recorder.expect({{EVENT_SELECTED, 202, "entry 2"}});
}

TEST_F(Handlers, SpinBoxArrowClickGivesOneChangedAndADragChangingStepsThenOneChanged) {
    KWSpinBox* box = KWSpinBox::create(STYLE_DEFAULT, 1.0f, 10, 10, 120, 20, 0.0f, 10.0f, 0.5f, true, true,
                                       window.get(), 51);
    box->setHandler(recorder.handler(box, [&] { return box->getText(); }));
    HWND arrows = childOf(box, UPDOWN_CLASSA);
    click(arrows, upperArrow(box));
    recorder.expect({{EVENT_CHANGED, 51, "1.50000"}});

    // A drag: the press steps once, each moved pixel steps again while the button is held.
    moveTo(arrows, upperArrow(box));
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    POINT point = upperArrow(box);
    for (int i = 0; i < 3; ++i) {
        --point.y;
        moveTo(arrows, point);
    }
    ASSERT_FALSE(recorder.seen.empty());
    for (const Seen& seen : recorder.seen) {
        EXPECT_EQ(seen.type, EVENT_CHANGING);
    }
    const size_t steps = recorder.seen.size();
    EXPECT_EQ(recorder.seen.back().state, box->getText());
    mouseButton(MOUSEEVENTF_LEFTUP);
    settle();
    ASSERT_EQ(recorder.seen.size(), steps + 1);
    EXPECT_EQ(recorder.seen.back(), (Seen{EVENT_CHANGED, 51, box->getText()}));
    EXPECT_NE(box->getText(), "1.50000");
    recorder.seen.clear();

    // At the maximum nothing changes and nothing is reported; neither is the program's value.
    box->setValue(10.0f);
    click(arrows, upperArrow(box));
    recorder.expect({});
}

TEST_F(Handlers, SpinBoxCommitsTypingOnceOnEnterOrFocusLoss) {
    KWSpinBox* box = KWSpinBox::create(STYLE_DEFAULT, 1.0f, 10, 10, 120, 20, 0.0f, 10.0f, 0.5f, true, true,
                                       window.get(), 52);
    box->setHandler(recorder.handler(box, [&] { return box->getText(); }));
    HWND edit = childOf(box, "Edit");
    focus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    typeText("3");
    recorder.expect({});
    key(VK_RETURN);
    focus(elsewhere);
    recorder.expect({{EVENT_CHANGED, 52, "3.00000"}});

    focus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    typeText("4");
    focus(elsewhere);
    recorder.expect({{EVENT_CHANGED, 52, "4.00000"}});
    focus(edit);
    focus(elsewhere);
    box->setValue(2.0f);
    recorder.expect({});
}

TEST_F(Handlers, SpinBoxHostedInAPropertyGridReports) {
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 10, 10, 250, 200, window.get(), 0);
    KWGroupItem* group = grid->addGroup("Transform");
    KWSpinBox* box =
        KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 60, 18, 0.0f, 10.0f, 0.5f, true, true, grid, 53);
    grid->addItem(group, "Scale", 0, box);
    grid->openGroup(group, true);
    box->setHandler(recorder.handler(box, [&] { return box->getText(); }));
    RECT row = {};
    row.left = LVIR_LABEL;
    SendMessageA(grid->getHandle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    click(grid->getHandle(), centreOf(row));
    ASSERT_TRUE(IsWindowVisible(box->getHandle()));
    click(childOf(box, UPDOWN_CLASSA), upperArrow(box));
    recorder.expect({{EVENT_CHANGED, 53, "1.50000"}});
}

namespace {

constexpr int fileNameBox = 0x047C;
constexpr int fileNameEdit = 0x0480;

// Answers the next file dialog: types `path` and presses Open, or cancels for an empty path. Kept from
// the message-box catcher, which would close it.
struct FileDialogAnswer {
    static FileDialogAnswer* active;
    std::string path;
    HHOOK hook;
    int answered = 0;

    explicit FileDialogAnswer(const std::string& path)
        : path(path), hook(SetWindowsHookExA(WH_CBT, onActivate, nullptr, GetCurrentThreadId())) {
        active = this;
    }
    ~FileDialogAnswer() {
        UnhookWindowsHookEx(hook);
        active = nullptr;
    }
    static LRESULT CALLBACK onActivate(int code, WPARAM wParam, LPARAM lParam) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (active && code == HCBT_ACTIVATE && kwtest::windowText(window) == "Open..." &&
            !GetPropA(window, "KWAnswered")) {
            SetPropA(window, "KWAnswered", reinterpret_cast<HANDLE>(1));
            SetTimer(window, 1, 100, answer);
            return 0;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK answer(HWND dialog, UINT, UINT_PTR id, DWORD) {
        KillTimer(dialog, id);
        ++active->answered;
        int button = IDCANCEL;
        if (!active->path.empty()) {
            HWND name = GetDlgItem(dialog, fileNameBox) ? GetDlgItem(dialog, fileNameBox)
                                                        : GetDlgItem(dialog, fileNameEdit);
            SetWindowTextA(name, active->path.c_str());
            button = IDOK;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    }
};

FileDialogAnswer* FileDialogAnswer::active = nullptr;

std::string temporaryFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof(folder), folder);
    char longFolder[MAX_PATH] = {};
    GetLongPathNameA(folder, longFolder, sizeof(longFolder));
    const std::string path = std::string(longFolder) + name;
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return path;
}

} // namespace

TEST_F(Handlers, OpenButtonReportsAChosenPathButNotACancel) {
    KWOpenButton* open = KWOpenButton::create(STYLE_DEFAULT, std::string("any\0*.*\0\0", 9), 10, 10, 200, 20,
                                              true, window.get(), 61);
    open->setHandler(recorder.handler(open, [&] { return open->getText(); }));
    HWND dots = childOf(open, "Button");
    const std::string path = temporaryFile("kw_handler_open.txt");
    {
        FileDialogAnswer answer(path);
        click(dots, centreOf(dots));
        EXPECT_EQ(answer.answered, 1);
    }
    recorder.expect({{EVENT_CHANGED, 61, path}});
    {
        FileDialogAnswer answer("");
        click(dots, centreOf(dots));
        EXPECT_EQ(answer.answered, 1);
    }
    recorder.expect({});
    DeleteFileA(path.c_str());
}

namespace {

// Chooses the first command of the context menu that opens while it lives, with keys in the menu loop.
struct MenuChooser {
    UINT_PTR timer;
    MenuChooser() : timer(SetTimer(nullptr, 0, 50, choose)) {}
    ~MenuChooser() { KillTimer(nullptr, timer); }
    static void CALLBACK choose(HWND, UINT, UINT_PTR, DWORD) {
        HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        }
    }
};

} // namespace

TEST_F(Handlers, TreeReportsUserSelectionsAndContextCommands) {
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 250, 200, window.get(), 71);
    KWContext* menu = KWContext::create();
    menu->addItem(55, -1, "Delete", false);
    tree->addGroupContext(1, menu);
    const int root = tree->addItem(-1, -1, 1, "root");
    const int leaf = tree->addItem(-1, -1, 1, "leaf");
    const int other = tree->addItem(-1, -1, 1, "other");
    tree->setHandler(recorder.handler(tree, [&] { return std::to_string(tree->getSelectedItem()); }));

    click(tree->getHandle(), treeItemCentre(tree, leaf));
    recorder.expect({{EVENT_SELECTED, leaf, std::to_string(leaf)}});
    key(VK_DOWN);
    recorder.expect({{EVENT_SELECTED, other, std::to_string(other)}});
    tree->selectItem(root);
    recorder.expect({});

    // A right click on another item selects it, then its menu opens; the command reaches the handler.
    {
        MenuChooser chooser;
        click(tree->getHandle(), treeItemCentre(tree, leaf), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        kwtest::pumpUntil([&] { return recorder.seen.size() >= 2; });
    }
    recorder.expect(
        {{EVENT_SELECTED, leaf, std::to_string(leaf)}, {EVENT_CLICKED, 55, std::to_string(leaf)}});
    delete menu;
}

TEST_F(Handlers, TreeEditingMethodsKeepTheIntsAndReportNothing) {
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 250, 200, window.get(), 72);
    tree->setHandler(recorder.handler(tree, [] { return std::string(); }));
    const int parent = tree->addItem(-1, -1, 0, "parent");
    const int child = tree->addItem(parent, -1, 0, "child");
    const int sibling = tree->addItem(-1, -1, 0, "sibling");
    EXPECT_EQ(tree->getSelectedItem(), 0);
    tree->selectItem(child);
    EXPECT_EQ(tree->getSelectedItem(), child);

    tree->setItemText(child, "renamed");
    char text[32] = {};
    TVITEMA record = {};
    record.mask = TVIF_TEXT;
    record.hItem = tree->getItemHandle(child);
    record.pszText = text;
    record.cchTextMax = sizeof(text);
    SendMessageA(tree->getHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_STREQ(text, "renamed");

    // Removing the selected item's parent removes both; their ints name nothing from then on.
    tree->removeItem(parent);
    EXPECT_EQ(tree->getItemHandle(parent), nullptr);
    EXPECT_EQ(tree->getItemHandle(child), nullptr);
    EXPECT_NE(tree->getItemHandle(sibling), nullptr);
    EXPECT_EQ(SendMessageA(tree->getHandle(), TVM_GETCOUNT, 0, 0), 1);
    tree->selectItem(sibling);
    tree->selectItem(0);
    EXPECT_EQ(tree->getSelectedItem(), 0);

    tree->clear();
    EXPECT_EQ(SendMessageA(tree->getHandle(), TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(tree->getItemHandle(sibling), nullptr);
    const int fresh = tree->addItem(-1, -1, 0, "fresh");
    EXPECT_GT(fresh, sibling);
    recorder.expect({});
}

TEST_F(Handlers, TabReportsTheIndexOfThePageTheUserSwitchedTo) {
    KWTab* tab = KWTab::create(STYLE_DEFAULT, 10, 10, 300, 200, window.get(), 81);
    KWWindow* first = tab->addTab(0, "First");
    KWWindow* second = tab->addTab(1, "Second");
    tab->doAlignment();
    tab->setHandler(recorder.handler(tab, [&] {
        return std::to_string(tab->getSelectedIndex()) + flag(IsWindowVisible(first->getHandle()) != FALSE) +
               flag(IsWindowVisible(second->getHandle()) != FALSE);
    }));
    click(tab->getHandle(), tabCentre(tab, 1));
    recorder.expect({{EVENT_SELECTED, 1, "101"}});
    click(tab->getHandle(), tabCentre(tab, 1));
    recorder.expect({});
    click(tab->getHandle(), tabCentre(tab, 0));
    recorder.expect({{EVENT_SELECTED, 0, "010"}});
}

namespace {

// One gadget of each kind under a panel, with a user action that reports and a setter of its state.
struct Driver {
    const char* name;
    std::function<KWObject*(KWObject* parent)> create;
    std::function<void(KWObject* gadget)> act;
    std::function<void(KWObject* gadget)> set;
};

const std::vector<Driver>& drivers() {
    static const std::vector<Driver> all = {
        {"button", [](KWObject* p) { return KWButton::create(STYLE_DEFAULT, "b", 10, 10, 80, 24, p, 1); },
         [](KWObject* g) { click(g->getHandle(), centreOf(g->getHandle())); },
         [](KWObject* g) { g->setText("set"); }},
        {"check box",
         [](KWObject* p) { return KWCheckBox::create(STYLE_DEFAULT, "c", 10, 10, 80, 24, p, 1); },
         [](KWObject* g) { click(g->getHandle(), centreOf(g->getHandle())); },
         [](KWObject* g) { static_cast<KWCheckBox*>(g)->setAutoTextEnabled(true); }},
        {"radio", [](KWObject* p) { return KWRadio::create(STYLE_DEFAULT, "r", 10, 10, 80, 24, p, 1); },
         [](KWObject* g) {
             static_cast<KWRadio*>(g)->setSelected(false);
             click(g->getHandle(), centreOf(g->getHandle()));
         },
         [](KWObject* g) { static_cast<KWRadio*>(g)->setSelected(false); }},
        {"edit", [](KWObject* p) { return KWEdit::create(STYLE_DEFAULT, "", 10, 10, 150, 22, p, 1); },
         [](KWObject* g) {
             SetFocus(g->getHandle());
             typeText("x");
         },
         [](KWObject* g) { g->setText("set"); }},
        {"list box",
         [](KWObject* p) {
             KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 150, 100, p, 1);
             list->addItem(5, "five");
             list->addItem(6, "six");
             return list;
         },
         [](KWObject* g) {
             static_cast<KWListBox*>(g)->selectItem(5);
             click(g->getHandle(), listItemCentre(g->getHandle(), 1));
         },
         [](KWObject* g) { static_cast<KWListBox*>(g)->selectItem(5); }},
        {"combo box",
         [](KWObject* p) {
             KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 10, 10, 150, 100, p, 1);
             combo->addItem(5, "five");
             combo->addItem(6, "six");
             return combo;
         },
         [](KWObject* g) {
             SetFocus(g->getHandle());
             key(VK_DOWN);
         },
         [](KWObject* g) { static_cast<KWComboBox*>(g)->removeItem(6); }},
        {"spin box",
         [](KWObject* p) {
             return KWSpinBox::create(STYLE_DEFAULT, 1.0f, 10, 10, 120, 20, 0.0f, 10.0f, 0.5f, true, true, p,
                                      1);
         },
         [](KWObject* g) {
             KWSpinBox* box = static_cast<KWSpinBox*>(g);
             click(childOf(box, UPDOWN_CLASSA), upperArrow(box));
         },
         [](KWObject* g) { static_cast<KWSpinBox*>(g)->setValue(5.0f); }},
        {"tree view",
         [](KWObject* p) {
             KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 150, 100, p, 1);
             tree->addItem(-1, -1, 0, "one");
             tree->addItem(-1, -1, 0, "two");
             return tree;
         },
         [](KWObject* g) {
             KWTreeView* tree = static_cast<KWTreeView*>(g);
             tree->selectItem(1);
             click(tree->getHandle(), treeItemCentre(tree, 2));
         },
         [](KWObject* g) { static_cast<KWTreeView*>(g)->selectItem(1); }},
        {"tab",
         [](KWObject* p) {
             KWTab* tab = KWTab::create(STYLE_DEFAULT, 10, 10, 200, 150, p, 1);
             tab->addTab(0, "one");
             tab->addTab(1, "two");
             return tab;
         },
         [](KWObject* g) {
             KWTab* tab = static_cast<KWTab*>(g);
             click(tab->getHandle(), tabCentre(tab, tab->getSelectedIndex() == 1 ? 0 : 1));
         },
         [](KWObject* g) { static_cast<KWTab*>(g)->setTabsSize(70, 20); }},
    };
    return all;
}

// A client-defined top-level parent. A library parent keeps every child in its list until it is deleted
// itself, so a handler that deletes its own gadget must have that gadget taken off its parent's list,
// which only a client-defined parent can do.
class Host : public KWObject {
public:
    Host() : KWObject(GADGET_PANEL, nullptr, 0) {
        HWND window = CreateWindowExA(WS_EX_TOPMOST, "KWWINDOW", "host", WS_POPUP | WS_VISIBLE, 60, 60, 320,
                                      260, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (attachWindow(window, "Host creation failed !")) {
            subclassWindow(KWDefaultCallback);
        }
    }
    void forget(KWObject* child) {
        children.erase(std::remove(children.begin(), children.end(), child), children.end());
    }
};

struct Reentrancy : testing::Test {
    Host* host = nullptr;
    KWObject* gadget = nullptr;
    int calls = 0;

    // Runs check for every kind of gadget, each made fresh in a fresh host.
    void forEachDriver(const std::function<void(const Driver&)>& check) {
        for (const Driver& driver : drivers()) {
            SCOPED_TRACE(driver.name);
            host = new Host();
            SetForegroundWindow(host->getHandle());
            gadget = driver.create(host);
            calls = 0;
            settle();
            check(driver);
            settle();
            delete host;
            kwtest::pumpMessages();
        }
    }
};

} // namespace

TEST_F(Reentrancy, HandlerDeletesTheReportingGadget) {
    forEachDriver([&](const Driver& driver) {
        HWND gadgetWindow = gadget->getHandle();
        gadget->setHandler([&](const KWEvent&) {
            ++calls;
            host->forget(gadget);
            delete gadget;
        });
        driver.act(gadget);
        settle();
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(IsWindow(gadgetWindow));
    });
}

TEST_F(Reentrancy, HandlerDeletesTheGadgetsParent) {
    forEachDriver([&](const Driver& driver) {
        HWND gadgetWindow = gadget->getHandle();
        gadget->setHandler([&](const KWEvent&) {
            ++calls;
            delete host;
            host = new Host();
        });
        driver.act(gadget);
        settle();
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(IsWindow(gadgetWindow));
    });
}

TEST_F(Reentrancy, HandlerReplacesOrRemovesItself) {
    forEachDriver([&](const Driver& driver) {
        int replacementCalls = 0;
        gadget->setHandler([&](const KWEvent&) {
            ++calls;
            gadget->setHandler([&](const KWEvent&) {
                ++replacementCalls;
                gadget->setHandler(KWHandler());
            });
        });
        for (int i = 0; i < 3; ++i) {
            driver.act(gadget);
        }
        settle();
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(replacementCalls, 1);
    });
}

TEST_F(Reentrancy, HandlerCallsASetterWithoutBeingCalledAgain) {
    forEachDriver([&](const Driver& driver) {
        gadget->setHandler([&](const KWEvent&) {
            ++calls;
            driver.set(gadget);
        });
        driver.act(gadget);
        settle();
        EXPECT_EQ(calls, 1);
    });
}

TEST_F(Reentrancy, HandlerOpensAModalMessageBox) {
    forEachDriver([&](const Driver& driver) {
        kwtest::clearMessageBoxes();
        int returned = 0;
        gadget->setHandler([&](const KWEvent&) {
            ++calls;
            // The test's message-box catcher closes it through a posted message, inside its modal loop.
            MessageBoxA(host->getHandle(), "asked", "Handler", MB_OK);
            ++returned;
        });
        driver.act(gadget);
        settle();
        // The box takes the focus from the edit, which commits what was typed: a second report.
        const int expected = std::string(driver.name) == "edit" ? 2 : 1;
        EXPECT_EQ(calls, expected);
        EXPECT_EQ(returned, expected);
        ASSERT_EQ(kwtest::messageBoxes().size(), static_cast<size_t>(expected));
        EXPECT_EQ(kwtest::messageBoxes()[0].text, "asked");
    });
}
