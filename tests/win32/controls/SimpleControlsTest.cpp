#include "ControlHost.h"
#include "PaintProbe.h"

using namespace KW;
using kwtest::ControlHost;

namespace {

using Wrappers = ControlHost;

bool usesDefaultFont(HWND window) {
    return reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)) ==
           GetStockObject(DEFAULT_GUI_FONT);
}

} // namespace

TEST_F(Wrappers, EveryFactoryRefusesAMissingParent) {
    struct Case {
        std::function<KWObject*()> create;
        const char* text;
    };
    const Case cases[] = {
        {[] { return KWButton::create(STYLE_DEFAULT, "b", 0, 0, 9, 9, nullptr, 1); },
         "Button cannot be created without a parent.Creation failed"},
        {[] { return KWCheckBox::create(STYLE_DEFAULT, "c", 0, 0, 9, 9, nullptr, 1); },
         "CheckBox cannot be created without a parent.Creation failed"},
        {[] { return KWRadio::create(STYLE_DEFAULT, "r", 0, 0, 9, 9, nullptr, 1); },
         "Radio Button cannot be created without a parent.Creation failed"},
        {[] { return KWEdit::create(STYLE_DEFAULT, "e", 0, 0, 9, 9, nullptr, 1); },
         "Edit Box cannot be created without a parent.Creation failed"},
        {[] { return KWText::create(STYLE_DEFAULT, "t", 0, 0, 9, 9, ALIGN_LEFT, nullptr, 1); },
         "KWText cannot be created without a parent.Creation failed"},
        {[] { return KWComboBox::create(STYLE_DEFAULT, 0, 0, 9, 9, nullptr, 1); },
         "KWComboBox cannot be created without a parent.Creation failed"},
        {[] { return KWListBox::create(STYLE_DEFAULT, 0, 0, 9, 9, nullptr, 1); },
         "KWListBox cannot be created without a parent.Creation failed"},
        {[] { return KWStatus::create(nullptr, 1); },
         "Status Bar cannot be created without a parent ! Creation failed"},
        {[] { return KWToolBar::create(true, nullptr, 1); },
         "KWToolBar cannot be created without a parent.Creation failed"},
        {[] { return KWTreeView::create(STYLE_DEFAULT, 0, 0, 9, 9, nullptr, 1); },
         "KWTreeView cannot be created without a parent.Creation failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.create(), nullptr);
        kwtest::expectSingleError(c.text);
    }
    EXPECT_EQ(host->getChildCount(), 0);
}

TEST_F(Wrappers, EachControlIsTheRightWindowWhereItWasAsked) {
    struct Case {
        KWObject* gadget;
        eGadgetType type;
        const char* className;
        LONG style;
        LONG exStyle;
        const char* text;
    };
    const Case cases[] = {
        {KWButton::create(STYLE_SIZABLE, "Push", 10, 20, 80, 24, parent(), 1), GADGET_BUTTON, "Button",
         0x50008000, 0, "Push"},
        {KWCheckBox::create(STYLE_SIZABLE, "Check", 10, 20, 80, 24, parent(), 2), GADGET_CHECKBOX, "Button",
         0x50000003, 0, "Check"},
        {KWRadio::create(STYLE_SIZABLE, "Radio", 10, 20, 80, 24, parent(), 3), GADGET_RADIO, "Button",
         0x50000009, WS_EX_TRANSPARENT, "Radio"},
        {KWEdit::create(STYLE_SIZABLE, "Edit", 10, 20, 80, 24, parent(), 4), GADGET_EDIT, "Edit", 0x50000400,
         0, "Edit"},
        {KWText::create(STYLE_SIZABLE, "Label", 10, 20, 80, 24, ALIGN_LEFT, parent(), 5), GADGET_TEXT,
         "Static", 0x50000000, 0, "Label"},
        // The platform drops the scroll-bar bits while nothing needs scrolling.
        {KWListBox::create(STYLE_SIZABLE, 10, 20, 80, 24, parent(), 7), GADGET_LISTBOX, "ListBox", 0x54000140,
         0, ""},
    };
    ASSERT_EQ(host->getChildCount(), 6);
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className + std::string(" ") + c.text);
        ASSERT_NE(c.gadget, nullptr);
        HWND window = c.gadget->getHandle();
        ASSERT_TRUE(IsWindow(window));
        EXPECT_EQ(host->getChild(index++), c.gadget);
        EXPECT_EQ(c.gadget->getType(), c.type);
        EXPECT_EQ(GetParent(window), parentWindow());
        EXPECT_EQ(kwtest::windowClassName(window), c.className);
        // The platform may add bits of its own (a list box's scroll bars); every asked bit is there and
        // nothing asked for beyond the table.
        EXPECT_EQ(kwtest::styleOf(window) & c.style, c.style);
        EXPECT_EQ(kwtest::styleOf(window) & (WS_BORDER | WS_THICKFRAME | WS_TABSTOP), 0);
        EXPECT_EQ(kwtest::exStyleOf(window) & ~WS_EX_NOPARENTNOTIFY, c.exStyle);
        EXPECT_EQ(kwtest::windowText(window), c.text);
        EXPECT_EQ(GetDlgCtrlID(window), 0);
        EXPECT_TRUE(usesDefaultFont(window));
        EXPECT_EQ(reinterpret_cast<KWObject*>(GetWindowLongPtrA(window, GWLP_USERDATA)), c.gadget);
        kwtest::expectRect(kwtest::rectInParent(window), 10, 90, 20, 44);
    }
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST_F(Wrappers, TextAlignmentFollowsTheArgumentAndUnknownValuesAlignLeft) {
    const std::pair<int, LONG> cases[] = {
        {ALIGN_LEFT, SS_LEFT}, {ALIGN_RIGHT, SS_RIGHT}, {ALIGN_CENTER, SS_CENTER}, {7, SS_LEFT}};
    for (const auto& c : cases) {
        KWText* text = KWText::create(STYLE_DEFAULT, "Label", 0, 0, 200, 20,
                                      static_cast<KWTextAlign>(c.first), parent(), 0);
        EXPECT_EQ(kwtest::styleOf(text->getHandle()) & SS_TYPEMASK, c.second) << c.first;
    }
}

namespace {

// The leftmost and rightmost columns holding a dark pixel in the top 16 rows.
std::pair<int, int> inkColumns(HWND window, int width) {
    UpdateWindow(window);
    kwtest::pumpMessages();
    HDC dc = GetDC(window);
    int first = -1;
    int last = -1;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < 16; ++y) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                if (first < 0) {
                    first = x;
                }
                last = x;
                break;
            }
        }
    }
    ReleaseDC(window, dc);
    return {first, last};
}

} // namespace

TEST_F(Wrappers, AlignedLabelsDrawTheirTextOnTheirSide) {
    KWText* left =
        KWText::create(STYLE_DEFAULT, "WWW", 0, 0, 200, 20, static_cast<KWTextAlign>(7), parent(), 0);
    KWText* right = KWText::create(STYLE_DEFAULT, "WWW", 0, 30, 200, 20, ALIGN_RIGHT, parent(), 0);
    const auto leftInk = inkColumns(left->getHandle(), 200);
    const auto rightInk = inkColumns(right->getHandle(), 200);
    ASSERT_GE(leftInk.first, 0);
    ASSERT_GE(rightInk.first, 0);
    EXPECT_LT(leftInk.second, 100);
    EXPECT_GT(rightInk.first, 100);
}

TEST_F(Wrappers, RadioSelectionAndItsGroup) {
    KWRadio* first = KWRadio::create(STYLE_DEFAULT, "One", 0, 0, 80, 20, parent(), 1);
    KWRadio* second = KWRadio::create(STYLE_DEFAULT, "Two", 0, 30, 80, 20, parent(), 2);
    EXPECT_FALSE(first->isSelected());
    first->setSelected(true);
    EXPECT_TRUE(first->isSelected());
    EXPECT_EQ(SendMessageA(first->getHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    first->setSelected(false);
    EXPECT_FALSE(first->isSelected());

    // A click selects it and the platform clears its sibling.
    first->setSelected(true);
    SendMessageA(second->getHandle(), BM_CLICK, 0, 0);
    kwtest::pumpMessages();
    EXPECT_TRUE(second->isSelected());
    EXPECT_FALSE(first->isSelected());
}

TEST_F(Wrappers, EditTakesTypedCharacters) {
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "ab", 5, 5, 150, 20, parent(), 9);
    EXPECT_EQ(edit->getText(), "ab");
    SendMessageA(edit->getHandle(), EM_SETSEL, 2, 2);
    for (char c : std::string("cd")) {
        SendMessageA(edit->getHandle(), WM_CHAR, static_cast<WPARAM>(c), 1);
    }
    EXPECT_EQ(edit->getText(), "abcd");
    edit->setText("replaced");
    EXPECT_EQ(kwtest::windowText(edit->getHandle()), "replaced");
}

// A field narrower than the text it was given: each key removes what it selects, and no more.
TEST_F(Wrappers, KeysInAnOverflowingEditChangeOnlyTheirSelection) {
    struct Case {
        int selectionStart, selectionEnd;
        WORD key;
        const char* expected;
    };
    const Case cases[] = {
        {2, 5, 'X', "01x56789abcdefghij"},      {0, 3, 'X', "x3456789abcdefghij"},
        {2, 5, VK_DELETE, "0156789abcdefghij"}, {0, 2, VK_BACK, "23456789abcdefghij"},
        {5, 5, VK_BACK, "012356789abcdefghij"},
    };
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "", 5, 5, 40, 20, parent(), 9);
    SetForegroundWindow(parentWindow());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        edit->setText("0123456789abcdefghij");
        SetFocus(edit->getHandle());
        SendMessageA(edit->getHandle(), EM_SETSEL, c.selectionStart, c.selectionEnd);
        kwtest::pressKey(c.key);
        EXPECT_EQ(edit->getText(), c.expected);
        EXPECT_EQ(kwtest::clientSize(edit->getHandle()).cx, 40);
    }
}

TEST_F(Wrappers, MegabyteTextsAreKeptWholeAndReadBackCut) {
    const std::string& big = kwtest::megabyteText();
    const std::string first99 = big.substr(0, 99);
    KWObject* gadgets[] = {
        KWButton::create(STYLE_DEFAULT, big, 0, 0, 50, 20, parent(), 0),
        KWCheckBox::create(STYLE_DEFAULT, big, 0, 0, 50, 20, parent(), 0),
        KWRadio::create(STYLE_DEFAULT, big, 0, 0, 50, 20, parent(), 0),
        KWEdit::create(STYLE_DEFAULT, big, 0, 0, 50, 20, parent(), 0),
        KWText::create(STYLE_DEFAULT, big, 0, 0, 50, 20, ALIGN_CENTER, parent(), 0),
    };
    for (KWObject* gadget : gadgets) {
        SCOPED_TRACE(kwtest::windowClassName(gadget->getHandle()));
        EXPECT_EQ(gadget->getText(), first99);
        gadget->setText("short");
        EXPECT_EQ(gadget->getText(), "short");
        gadget->setText(big);
        EXPECT_EQ(gadget->getText(), first99);
        const std::string whole = kwtest::windowText(gadget->getHandle());
        EXPECT_EQ(whole.size(), big.size());
        EXPECT_TRUE(whole == big);
    }
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST_F(Wrappers, RefusedWindowsAreReportedAndTheObjectsKept) {
    // A parent whose own window could not be made: no control can be created inside it.
    kwtest::ProbeGadget* orphan =
        kwtest::ProbeGadget::create(parent(), 0, 0, 10, 10, 0, GADGET_PANEL, "NoSuchClass");
    ASSERT_EQ(orphan->getHandle(), nullptr);
    kwtest::clearMessageBoxes();

    struct Case {
        std::function<KWObject*()> create;
        const char* text;
    };
    const Case cases[] = {
        {[orphan] { return KWButton::create(STYLE_DEFAULT, "b", 0, 0, 9, 9, orphan, 1); },
         "Button creation failed !"},
        {[orphan] { return KWCheckBox::create(STYLE_DEFAULT, "c", 0, 0, 9, 9, orphan, 1); },
         "CheckBox creation failed !"},
        {[orphan] { return KWRadio::create(STYLE_DEFAULT, "r", 0, 0, 9, 9, orphan, 1); },
         "Radio button creation failed !"},
        {[orphan] { return KWEdit::create(STYLE_DEFAULT, "e", 0, 0, 9, 9, orphan, 1); },
         "Edit Box creation failed !"},
        {[orphan] { return KWText::create(STYLE_DEFAULT, "t", 0, 0, 9, 9, ALIGN_LEFT, orphan, 1); },
         "Text creation failed !"},
        {[orphan] { return KWComboBox::create(STYLE_DEFAULT, 0, 0, 9, 9, orphan, 1); },
         "ComboBox creation failed !"},
        {[orphan] { return KWListBox::create(STYLE_DEFAULT, 0, 0, 9, 9, orphan, 1); },
         "ListBox creation failed !"},
        {[orphan] { return KWStatus::create(orphan, 1); }, "Status Bar creation failed !"},
        {[orphan] { return KWToolBar::create(true, orphan, 1); }, "Toolbar creation failed !"},
        {[orphan] { return KWTreeView::create(STYLE_DEFAULT, 0, 0, 9, 9, orphan, 1); },
         "KWTreeView creation failed !"},
    };
    int expectedChildren = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        KWObject* gadget = c.create();
        ASSERT_NE(gadget, nullptr);
        EXPECT_EQ(gadget->getHandle(), nullptr);
        EXPECT_EQ(orphan->getChild(expectedChildren++), gadget);
        kwtest::expectSingleError(c.text);
    }

    // Calls on windowless controls go nowhere and report nothing but the failed tree insert.
    KWCheckBox* box = static_cast<KWCheckBox*>(orphan->getChild(1));
    box->setAutoTextEnabled(true);
    EXPECT_FALSE(box->isChecked());
    KWComboBox* combo = static_cast<KWComboBox*>(orphan->getChild(5));
    combo->addItem(1, "x");
    combo->removeItem(1);
    EXPECT_EQ(combo->getSelectedId(), -1);
    KWListBox* list = static_cast<KWListBox*>(orphan->getChild(6));
    list->addItem(1, "x");
    list->selectItem(1);
    EXPECT_EQ(list->getSelectedText(), "");
    int edges[2] = {10, -1};
    static_cast<KWStatus*>(orphan->getChild(7))->setParts(2, edges);
    KWToolBar* bar = static_cast<KWToolBar*>(orphan->getChild(8));
    bar->addButton(1, "x");
    bar->loadStandardIcons();
    EXPECT_TRUE(kwtest::messageBoxes().empty());
    KWTreeView* tree = static_cast<KWTreeView*>(orphan->getChild(9));
    EXPECT_EQ(tree->addItem(-1, -1, 0, "x"), 0);
    kwtest::expectSingleError("Failed to add item to Treeview");
}
