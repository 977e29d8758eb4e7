// Handlers of the standard controls, driven with real mouse and keyboard input.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
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

void send(INPUT* inputs, int count) {
    SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT));
    settle();
}

void moveTo(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(&input, 1);
}

void mouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    send(&input, 1);
}

// Press and release go in at once: a tree view waits for the release inside its handling of the press.
void click(HWND window, POINT point, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    moveTo(window, point);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    send(input, 2);
}

POINT centreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void clickCentre(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    click(window, centreOf(rect));
}

void key(WORD virtualKey) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = virtualKey;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    send(input, 2);
}

void typeText(const std::string& text) {
    for (char c : text) {
        key(static_cast<WORD>(VkKeyScanA(c) & 0xFF));
    }
}

HWND partOf(KWObject* gadget, const char* className) {
    return FindWindowExA(gadget->getHandle(), nullptr, className, nullptr);
}

// A rectangle that a control fills in from a message with an index or item in wParam.
POINT itemCentre(HWND window, UINT msg, WPARAM item) {
    RECT rect = {};
    SendMessageA(window, msg, item, reinterpret_cast<LPARAM>(&rect));
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

// The upper half of a vertical spin box's arrows.
POINT upperArrow(KWSpinBox* box) {
    RECT rect = {};
    GetClientRect(partOf(box, UPDOWN_CLASSA), &rect);
    return POINT{rect.right / 2, rect.bottom / 4};
}

std::string flag(bool value) {
    return value ? "1" : "0";
}

// One call of a handler: the event, and the gadget's state read inside the handler.
struct Seen {
    eEventType type;
    int param1;
    std::string state;
    bool operator==(const Seen& o) const { return type == o.type && param1 == o.param1 && state == o.state; }
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << "{" << seen.type << ", " << seen.param1 << ", \"" << seen.state << "\"}";
}

// A client-defined top-level parent, topmost so that real input reaches its gadgets.
class Host : public KWObject {
public:
    Host() : KWObject(GADGET_PANEL, nullptr, 0) {
        HWND window = CreateWindowExA(WS_EX_TOPMOST, "KWWINDOW", "host", WS_POPUP | WS_VISIBLE, 60, 60, 460,
                                      360, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (attachWindow(window, "Host creation failed !")) {
            subclassWindow(KWDefaultCallback);
        }
        SetForegroundWindow(window);
    }
};

struct Handlers : testing::Test {
    Host* host = new Host();
    // A plain edit to move the focus to.
    HWND elsewhere = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 380, 320, 60, 20,
                                     host->getHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    std::vector<Seen> seen;
    int wrongFields = 0;

    void SetUp() override {
        settle();
        kwtest::clearMessageBoxes();
    }
    void TearDown() override {
        delete host;
        kwtest::pumpMessages();
    }
    // Records each event with state() read inside the handler; the event must name gadget, param2 be 0.
    void record(KWObject* gadget, std::function<std::string()> state) {
        gadget->setHandler([this, gadget, state](const KWEvent& event) {
            wrongFields += event.object != gadget || event.param2 != 0;
            seen.push_back({event.type, event.param1, state()});
        });
    }
    void expectSeen(const std::vector<Seen>& expected) {
        settle();
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(wrongFields, 0);
        seen.clear();
    }
    void focus(HWND target) {
        SetFocus(target);
        settle();
    }
};

// A gadget of each kind with one user action, what it reports, and a setter of the program's.
struct Driver {
    const char* name;
    std::function<KWObject*(KWObject* parent)> create;
    std::function<void(KWObject* gadget)> act;
    std::function<std::string(KWObject* gadget)> state;
    Seen expected;
    std::function<void(KWObject* gadget)> set;
};

template <typename T> T* as(KWObject* gadget) {
    return static_cast<T*>(gadget);
}

const std::vector<Driver>& drivers() {
    static const std::vector<Driver> all = {
        {"button",
         [](KWObject* p) { return KWButton::create(STYLE_DEFAULT, "Go", 10, 10, 80, 24, p, 11); },
         [](KWObject* g) { clickCentre(g->getHandle()); },
         [](KWObject* g) { return g->getText(); },
         {EVENT_CLICKED, 11, "Go"},
         [](KWObject* g) { g->setText("set"); }},
        {"check box with automatic caption",
         [](KWObject* p) {
             KWCheckBox* box = KWCheckBox::create(STYLE_DEFAULT, "x", 10, 10, 80, 24, p, 12);
             box->setAutoTextEnabled(true);
             return box;
         },
         [](KWObject* g) { clickCentre(g->getHandle()); },
         [](KWObject* g) { return flag(as<KWCheckBox>(g)->isChecked()) + g->getText(); },
         {EVENT_CHANGED, 12, "1True"},
         [](KWObject* g) { as<KWCheckBox>(g)->setAutoTextEnabled(false); }},
        {"radio",
         [](KWObject* p) { return KWRadio::create(STYLE_DEFAULT, "r", 10, 10, 80, 24, p, 13); },
         [](KWObject* g) { clickCentre(g->getHandle()); },
         [](KWObject* g) { return flag(as<KWRadio>(g)->isSelected()); },
         {EVENT_CHANGED, 13, "1"},
         [](KWObject* g) { as<KWRadio>(g)->setSelected(false); }},
        {"edit",
         [](KWObject* p) { return KWEdit::create(STYLE_DEFAULT, "", 10, 10, 150, 22, p, 14); },
         [](KWObject* g) {
             SetFocus(g->getHandle());
             typeText("x");
         },
         [](KWObject* g) { return g->getText(); },
         {EVENT_CHANGING, 14, "x"},
         [](KWObject* g) { g->setText("set"); }},
        {"list box",
         [](KWObject* p) {
             KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 150, 100, p, 15);
             list->addItem(5, "five");
             list->addItem(6, "six");
             return list;
         },
         [](KWObject* g) { click(g->getHandle(), itemCentre(g->getHandle(), LB_GETITEMRECT, 1)); },
         [](KWObject* g) { return std::to_string(as<KWListBox>(g)->getSelectedId()); },
         {EVENT_SELECTED, 6, "6"},
         [](KWObject* g) { as<KWListBox>(g)->selectItem(5); }},
        {"combo box by key",
         [](KWObject* p) {
             KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 10, 10, 150, 100, p, 16);
             combo->addItem(5, "five");
             combo->addItem(6, "six");
             return combo;
         },
         [](KWObject* g) {
             SetFocus(g->getHandle());
             key(VK_DOWN);
         },
         [](KWObject* g) { return as<KWComboBox>(g)->getSelectedText(); },
         {EVENT_SELECTED, 5, "five"},
         // The gadget has no selection setter: the program selects through the window.
         [](KWObject* g) { SendMessageA(g->getHandle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0); }},
        {"spin box arrow click",
         [](KWObject* p) {
             return KWSpinBox::create(STYLE_DEFAULT, 1.0f, 10, 10, 120, 20, 0.0f, 10.0f, 0.5f, true, true, p,
                                      17);
         },
         [](KWObject* g) { click(partOf(g, UPDOWN_CLASSA), upperArrow(as<KWSpinBox>(g))); },
         [](KWObject* g) { return g->getText(); },
         {EVENT_CHANGED, 17, "1.50000"},
         [](KWObject* g) { as<KWSpinBox>(g)->setValue(5.0f); }},
        {"tree view",
         [](KWObject* p) {
             KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 150, 100, p, 18);
             tree->addItem(-1, -1, 0, "one");
             tree->addItem(-1, -1, 0, "two");
             return tree;
         },
         [](KWObject* g) { click(g->getHandle(), treeItemCentre(as<KWTreeView>(g), 2)); },
         [](KWObject* g) { return std::to_string(as<KWTreeView>(g)->getSelectedItem()); },
         {EVENT_SELECTED, 2, "2"},
         [](KWObject* g) { as<KWTreeView>(g)->selectItem(1); }},
        {"tab",
         [](KWObject* p) {
             KWTab* tab = KWTab::create(STYLE_DEFAULT, 10, 10, 200, 150, p, 19);
             tab->addTab(0, "one");
             tab->addTab(1, "two");
             return tab;
         },
         [](KWObject* g) { click(g->getHandle(), itemCentre(g->getHandle(), TCM_GETITEMRECT, 1)); },
         [](KWObject* g) {
             KWTab* tab = as<KWTab>(g);
             return std::to_string(tab->getSelectedIndex()) + flag(tab->getChild(1)->isVisible());
         },
         {EVENT_SELECTED, 1, "11"},
         [](KWObject* g) { SendMessageA(g->getHandle(), TCM_SETCURSEL, 0, 0); }},
    };
    return all;
}

} // namespace

TEST_F(Handlers, EachGadgetReportsTheUsersActionWithItsNewState) {
    for (const Driver& driver : drivers()) {
        SCOPED_TRACE(driver.name);
        KWObject* gadget = driver.create(host);
        record(gadget, [&] { return driver.state(gadget); });
        settle();
        driver.act(gadget);
        expectSeen({driver.expected});
        // The program's changes report nothing.
        driver.set(gadget);
        expectSeen({});
        gadget->setVisible(false);
    }
}

TEST_F(Handlers, SpaceAndEnterClickAFocusedButtonOnce) {
    KWButton* button = KWButton::create(STYLE_DEFAULT, "Go", 10, 10, 80, 24, host, 21);
    record(button, [] { return std::string(); });
    focus(button->getHandle());
    key(VK_SPACE);
    key(VK_RETURN);
    expectSeen({{EVENT_CLICKED, 21, ""}, {EVENT_CLICKED, 21, ""}});
}

TEST_F(Handlers, RadioReportsOnlyRealChangesAndOnlyForTheClickedButton) {
    KWRadio* first = KWRadio::create(STYLE_DEFAULT, "a", 10, 10, 80, 24, host, 1);
    KWRadio* second = KWRadio::create(STYLE_DEFAULT, "b", 10, 40, 80, 24, host, 2);
    const auto both = [&] { return flag(first->isSelected()) + flag(second->isSelected()); };
    record(first, both);
    record(second, both);
    clickCentre(first->getHandle());
    clickCentre(first->getHandle());
    // The first is unchecked silently: only the second reports, and the first again when clicked.
    clickCentre(second->getHandle());
    clickCentre(first->getHandle());
    expectSeen({{EVENT_CHANGED, 1, "10"}, {EVENT_CHANGED, 2, "01"}, {EVENT_CHANGED, 1, "10"}});
}

TEST_F(Handlers, EditReportsEachTypedChangeAndOneCommitPerEdit) {
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "", 10, 10, 200, 22, host, 31);
    record(edit, [&] { return edit->getText(); });
    focus(edit->getHandle());
    typeText("ab");
    // Enter commits; the focus loss that follows has nothing new to commit.
    key(VK_RETURN);
    focus(elsewhere);
    expectSeen({{EVENT_CHANGING, 31, "a"}, {EVENT_CHANGING, 31, "ab"}, {EVENT_CHANGED, 31, "ab"}});
    focus(edit->getHandle());
    typeText("c");
    focus(elsewhere);
    expectSeen({{EVENT_CHANGING, 31, "abc"}, {EVENT_CHANGED, 31, "abc"}});
    // Text set by the program drops the typing; a visit without typing commits nothing.
    focus(edit->getHandle());
    typeText("d");
    edit->setText("set");
    focus(elsewhere);
    expectSeen({{EVENT_CHANGING, 31, "abcd"}});
}

TEST_F(Handlers, ListAndComboReportOnlyAnotherItemAndTheComboAlsoByMouse) {
    KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 150, 120, host, 41);
    KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 200, 10, 150, 150, host, 42);
    for (int i = 0; i < 3; ++i) {
        list->addItem(100 + i, "item");
        combo->addItem(200 + i, "entry " + std::to_string(i));
    }
    record(list, [&] { return std::to_string(list->getSelectedId()); });
    record(combo, [&] { return combo->getSelectedText(); });
    click(list->getHandle(), itemCentre(list->getHandle(), LB_GETITEMRECT, 1));
    click(list->getHandle(), itemCentre(list->getHandle(), LB_GETITEMRECT, 1));
    key(VK_UP);
    expectSeen({{EVENT_SELECTED, 101, "101"}, {EVENT_SELECTED, 100, "100"}});

    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo->getHandle(), &info));
    clickCentre(combo->getHandle());
    ASSERT_TRUE(kwtest::pumpUntil([&] { return IsWindowVisible(info.hwndList) != FALSE; }));
    click(info.hwndList, itemCentre(info.hwndList, LB_GETITEMRECT, 2));
    expectSeen({{EVENT_SELECTED, 202, "entry 2"}});
}

TEST_F(Handlers, SpinBoxDragGivesChangingStepsThenOneChangedAndTheMaximumNothing) {
    KWSpinBox* box =
        KWSpinBox::create(STYLE_DEFAULT, 1.0f, 10, 10, 120, 20, 0.0f, 10.0f, 0.5f, true, true, host, 51);
    record(box, [&] { return box->getText(); });
    HWND arrows = partOf(box, UPDOWN_CLASSA);
    // The press steps once; each pixel moved steps again while the button is held.
    POINT point = upperArrow(box);
    moveTo(arrows, point);
    mouse(MOUSEEVENTF_LEFTDOWN);
    for (int i = 0; i < 3; ++i) {
        --point.y;
        moveTo(arrows, point);
    }
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(
        std::all_of(seen.begin(), seen.end(), [](const Seen& s) { return s.type == EVENT_CHANGING; }));
    EXPECT_EQ(seen.back().state, box->getText());
    std::vector<Seen> expected = seen;
    mouse(MOUSEEVENTF_LEFTUP);
    expected.push_back({EVENT_CHANGED, 51, box->getText()});
    EXPECT_NE(box->getText(), "1.00000");
    expectSeen(expected);

    box->setValue(10.0f);
    click(arrows, upperArrow(box));
    expectSeen({});
}

TEST_F(Handlers, SpinBoxCommitsTypingOnceOnEnterOrFocusLoss) {
    KWSpinBox* box =
        KWSpinBox::create(STYLE_DEFAULT, 1.0f, 10, 10, 120, 20, 0.0f, 10.0f, 0.5f, true, true, host, 52);
    record(box, [&] { return box->getText(); });
    HWND edit = partOf(box, "Edit");
    for (const char* typed : {"3", "4"}) {
        focus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        typeText(typed);
        if (typed[0] == '3') {
            key(VK_RETURN);
        }
        focus(elsewhere);
    }
    // Without typing, neither a visit nor the program's value reports.
    focus(edit);
    focus(elsewhere);
    box->setValue(2.0f);
    expectSeen({{EVENT_CHANGED, 52, "3.00000"}, {EVENT_CHANGED, 52, "4.00000"}});
}

TEST_F(Handlers, SpinBoxHostedInAPropertyGridReports) {
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 10, 10, 250, 200, host, 0);
    KWGroupItem* group = grid->addGroup("Transform");
    KWSpinBox* box =
        KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 60, 18, 0.0f, 10.0f, 0.5f, true, true, grid, 53);
    grid->addItem(group, "Scale", 0, box);
    grid->openGroup(group, true);
    record(box, [&] { return box->getText(); });
    RECT row = {};
    row.left = LVIR_LABEL;
    SendMessageA(grid->getHandle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    click(grid->getHandle(), centreOf(row));
    ASSERT_TRUE(IsWindowVisible(box->getHandle()));
    click(partOf(box, UPDOWN_CLASSA), upperArrow(box));
    expectSeen({{EVENT_CHANGED, 53, "1.50000"}});
}

namespace {

// Answers the file dialogs opened while it lives: types `path` and presses Open, or cancels for an empty
// path. Its hook runs before the message-box catcher's, which would close the dialog.
struct FileDialogAnswer {
    static std::string path;
    static int answered;
    HHOOK hook = SetWindowsHookExA(WH_CBT, onActivate, nullptr, GetCurrentThreadId());

    explicit FileDialogAnswer(const std::string& answer) {
        path = answer;
        answered = 0;
    }
    ~FileDialogAnswer() { UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK onActivate(int code, WPARAM wParam, LPARAM lParam) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && kwtest::windowText(dialog) == "Open..." &&
            !GetPropA(dialog, "KWAnswer")) {
            SetPropA(dialog, "KWAnswer", dialog);
            SetTimer(dialog, 1, 100, answer);
            return 0;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK answer(HWND dialog, UINT, UINT_PTR id, DWORD) {
        KillTimer(dialog, id);
        ++answered;
        const int button = path.empty() ? IDCANCEL : IDOK;
        // The file-name box, or the plain edit that older dialogs have instead.
        HWND name = GetDlgItem(dialog, 0x047C) ? GetDlgItem(dialog, 0x047C) : GetDlgItem(dialog, 0x0480);
        SetWindowTextA(name, path.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    }
};

std::string FileDialogAnswer::path;
int FileDialogAnswer::answered = 0;

} // namespace

TEST_F(Handlers, OpenButtonReportsAChosenPathButNotACancel) {
    KWOpenButton* open =
        KWOpenButton::create(STYLE_DEFAULT, std::string("any\0*.*\0\0", 9), 10, 10, 200, 20, true, host, 61);
    record(open, [&] { return open->getText(); });
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof(folder), folder);
    GetLongPathNameA(folder, folder, sizeof(folder));
    const std::string path = std::string(folder) + "kw_handler_open.txt";
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (const std::string& answer : {path, std::string()}) {
        FileDialogAnswer driver(answer);
        clickCentre(partOf(open, "Button"));
        EXPECT_EQ(FileDialogAnswer::answered, 1);
    }
    expectSeen({{EVENT_CHANGED, 61, path}});
    DeleteFileA(path.c_str());
}

namespace {

// Chooses the first command of a context menu open in the menu loop, by keys.
void CALLBACK chooseFirstCommand(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
}

} // namespace

TEST_F(Handlers, TreeReportsKeysAndARightClickSelectionBeforeItsMenuCommand) {
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 250, 200, host, 71);
    KWContext* menu = KWContext::create();
    menu->addItem(55, -1, "Delete", false);
    tree->addGroupContext(1, menu);
    const int first = tree->addItem(-1, -1, 1, "first");
    const int second = tree->addItem(-1, -1, 1, "second");
    record(tree, [&] { return std::to_string(tree->getSelectedItem()); });
    focus(tree->getHandle());
    tree->selectItem(first);
    key(VK_DOWN);
    expectSeen({{EVENT_SELECTED, second, std::to_string(second)}});

    const UINT_PTR timer = SetTimer(nullptr, 0, 50, chooseFirstCommand);
    click(tree->getHandle(), treeItemCentre(tree, first), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    kwtest::pumpUntil([&] { return seen.size() >= 2; });
    KillTimer(nullptr, timer);
    const std::string selected = std::to_string(first);
    expectSeen({{EVENT_SELECTED, first, selected}, {EVENT_CLICKED, 55, selected}});
    delete menu;
}

TEST_F(Handlers, TreeEditingMethodsRetireTheIntsOfRemovedItems) {
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 250, 200, host, 72);
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

    tree->removeItem(parent);
    EXPECT_EQ(tree->getItemHandle(child), nullptr);
    EXPECT_EQ(SendMessageA(tree->getHandle(), TVM_GETCOUNT, 0, 0), 1);
    tree->selectItem(sibling);
    tree->selectItem(0);
    EXPECT_EQ(tree->getSelectedItem(), 0);
    tree->clear();
    EXPECT_EQ(SendMessageA(tree->getHandle(), TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(tree->getItemHandle(sibling), nullptr);
    EXPECT_GT(tree->addItem(-1, -1, 0, "fresh"), sibling);
}

// Re-entrancy: each check runs for every kind of gadget, made fresh in the test's host.
struct Reentrancy : Handlers {
    KWObject* gadget = nullptr;
    int calls = 0;

    void forEachDriver(const std::function<void(const Driver&)>& check) {
        for (const Driver& driver : drivers()) {
            SCOPED_TRACE(driver.name);
            gadget = driver.create(host);
            calls = 0;
            settle();
            check(driver);
            settle();
            if (gadget) {
                gadget->setVisible(false);
            }
        }
    }
};

TEST_F(Reentrancy, HandlerDeletesTheReportingGadgetOrItsParent) {
    for (bool parent : {false, true}) {
        forEachDriver([&](const Driver& driver) {
            HWND gadgetWindow = gadget->getHandle();
            gadget->setHandler([&](const KWEvent&) {
                ++calls;
                if (parent) {
                    delete host;
                    host = new Host();
                } else {
                    delete gadget; // leaves the host's children
                }
                gadget = nullptr;
            });
            driver.act(gadget);
            settle();
            EXPECT_EQ(calls, 1);
            EXPECT_FALSE(IsWindow(gadgetWindow));
        });
    }
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
        driver.set(gadget);
        for (int i = 0; i < 3; ++i) {
            driver.act(gadget);
            driver.set(gadget);
        }
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(replacementCalls, 1);
    });
}

TEST_F(Reentrancy, HandlerCallsASetterOrOpensAModalMessageBox) {
    forEachDriver([&](const Driver& driver) {
        kwtest::clearMessageBoxes();
        int returned = 0;
        gadget->setHandler([&](const KWEvent&) {
            ++calls;
            driver.set(gadget);
            // The test's message-box catcher closes it by a posted message, inside its modal loop.
            MessageBoxA(host->getHandle(), "asked", "Handler", MB_OK);
            ++returned;
        });
        driver.act(gadget);
        settle();
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(returned, 1);
        EXPECT_EQ(kwtest::messageBoxes().size(), 1u);
    });
}
