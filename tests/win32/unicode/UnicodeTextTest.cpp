// A client whose manifest makes UTF-8 its ANSI code page: every text goes in and comes out whole.
#include "TestSupport.h"

#include <KW.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <memory>

using namespace KW;

namespace {

// Latin, Greek, Cyrillic, CJK and an emoji outside the basic plane (a surrogate pair in UTF-16).
const std::string sample = "Zoë Ωμέγα Ёжик 花火 \xF0\x9F\x8E\x86";

std::wstring wideOf(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1));
    return wide;
}

std::string utf8Of(const wchar_t* text) {
    char buffer[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof(buffer), nullptr, nullptr);
    return buffer;
}

struct Frame {
    Frame() : window(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 50, 50, 500, 400, "frame", nullptr, 0)) {
        ShowWindow(window->getHandle(), SW_SHOW);
        SetForegroundWindow(window->getHandle());
        kwtest::pumpMessages();
    }
    ~Frame() { delete window; }
    KWWindow* window;
};

std::string listCell(HWND list, int row, int column) {
    wchar_t cell[256] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = cell;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return utf8Of(cell);
}

struct ToolSearch {
    HWND owner;
    int toolId;
    std::string text;
};

BOOL CALLBACK findTool(HWND window, LPARAM searchRecord) {
    ToolSearch* search = reinterpret_cast<ToolSearch*>(searchRecord);
    wchar_t text[512] = {};
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = search->owner;
    info.uId = static_cast<UINT_PTR>(search->toolId);
    info.lpszText = text;
    if (kwtest::windowClassName(window) != TOOLTIPS_CLASSA ||
        !SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
        return TRUE;
    }
    SendMessageW(window, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    search->text = utf8Of(text);
    return FALSE;
}

// The text of the tool a gadget's tooltip window holds for it.
std::string toolText(HWND owner, int toolId) {
    ToolSearch search = {owner, toolId, std::string()};
    EnumThreadWindows(GetCurrentThreadId(), findTool, reinterpret_cast<LPARAM>(&search));
    return search.text;
}

void typeText(const std::wstring& text) {
    for (wchar_t unit : text) {
        INPUT input[2] = {};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wScan = unit;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
    kwtest::pumpUntil([] { return false; }, 100);
}

} // namespace

TEST(UnicodeText, TheProcessCodePageIsUtf8) {
    ASSERT_EQ(65001u, GetACP()) << "the test program's manifest did not make UTF-8 its code page";
}

TEST(UnicodeText, EveryTextBearingCallRoundTripsAnyScript) {
    using Trip = std::function<std::string(KWWindow*, const std::string&)>;
    const std::pair<const char*, Trip> trips[] = {
        {"window title",
         [](KWWindow*, const std::string& text) {
             std::unique_ptr<KWWindow> window(
                 KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 100, 100, text, nullptr, 0));
             return window->getText();
         }},
        {"button",
         [](KWWindow* f, const std::string& t) {
             return KWButton::create(STYLE_DEFAULT, t, 0, 0, 90, 20, f, 1)->getText();
         }},
        {"check box",
         [](KWWindow* f, const std::string& t) {
             return KWCheckBox::create(STYLE_DEFAULT, t, 0, 0, 90, 20, f, 1)->getText();
         }},
        {"radio",
         [](KWWindow* f, const std::string& t) {
             return KWRadio::create(STYLE_DEFAULT, t, 0, 0, 90, 20, f, 1)->getText();
         }},
        {"text",
         [](KWWindow* f, const std::string& t) {
             return KWText::create(STYLE_DEFAULT, t, 0, 0, 90, 20, ALIGN_LEFT, f, 1)->getText();
         }},
        {"group box",
         [](KWWindow* f, const std::string& t) {
             return KWGroupBox::create(STYLE_DEFAULT, t, 0, 0, 90, 20, f, 1)->getText();
         }},
        {"edit, set later",
         [](KWWindow* f, const std::string& t) {
             KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "", 0, 0, 90, 20, f, 1);
             edit->setText(t);
             return edit->getText();
         }},
        {"header title",
         [](KWWindow* f, const std::string& t) {
             return KWHeader::create(STYLE_DEFAULT, 0, 0, 90, 40, t, KWColor(), KWColor(), KWColor(), f, 1)
                 ->getText();
         }},
        {"status text",
         [](KWWindow* f, const std::string& t) {
             KWStatus* status = KWStatus::create(f, 1);
             status->setText(t);
             return status->getText();
         }},
        {"open button path",
         [](KWWindow* f, const std::string& t) {
             KWOpenButton* open = KWOpenButton::create(STYLE_DEFAULT, "", 0, 0, 90, 20, true, f, 1);
             open->setPath("C:\\" + t);
             return open->getText().substr(3);
         }},
        {"combo item",
         [](KWWindow* f, const std::string& t) {
             KWComboBox* combo = KWComboBox::create(STYLE_DEFAULT, 0, 0, 90, 100, f, 1);
             combo->addItem(7, t);
             combo->selectItem(7);
             return combo->getSelectedText();
         }},
        {"list item",
         [](KWWindow* f, const std::string& t) {
             KWListBox* list = KWListBox::create(STYLE_DEFAULT, 0, 0, 90, 100, f, 1);
             list->addItem(7, t);
             list->selectItem(7);
             return list->getSelectedText();
         }},
        {"tree item, added and set",
         [](KWWindow* f, const std::string& t) {
             KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 0, 0, 90, 100, f, 1);
             const int added = tree->addItem(-1, -1, 0, t);
             const int set = tree->addItem(-1, -1, 0, "x");
             tree->setItemText(set, t);
             return tree->getItemText(added) == tree->getItemText(set) ? tree->getItemText(set) : "differ";
         }},
        {"tab title",
         [](KWWindow* f, const std::string& t) {
             KWTab* tab = KWTab::create(STYLE_DEFAULT, 0, 0, 200, 100, f, 1);
             tab->addTab(0, t);
             wchar_t title[256] = {};
             TCITEMW item = {};
             item.mask = TCIF_TEXT;
             item.pszText = title;
             item.cchTextMax = 256;
             SendMessageW(tab->getHandle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
             return utf8Of(title);
         }},
        {"tooltip",
         [](KWWindow* f, const std::string& t) {
             KWButton* button = KWButton::create(STYLE_DEFAULT, "b", 0, 0, 90, 20, f, 1);
             const int tool = button->addTooltip("x");
             button->setTooltipText(tool, t);
             return toolText(button->getHandle(), tool);
         }},
        {"menu bar and popup items",
         [](KWWindow* f, const std::string& t) {
             KWContext* menu = KWContext::create();
             menu->addItem(5, -1, t, false);
             f->addMenu(t, menu);
             wchar_t title[256] = {};
             wchar_t item[256] = {};
             HMENU bar = GetMenu(f->getHandle());
             GetMenuStringW(bar, 0, title, 256, MF_BYPOSITION);
             GetMenuStringW(GetSubMenu(bar, 0), 5, item, 256, MF_BYCOMMAND);
             return utf8Of(title) == utf8Of(item) ? utf8Of(item) : "differ";
         }},
        {"property name and string value",
         [](KWWindow* f, const std::string& t) {
             KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 0, 0, 300, 200, f, 1);
             KWGroupItem* group = grid->addGroup(t);
             grid->addItem(group, t, -1, KWEdit::create(STYLE_DEFAULT, t, 0, 0, 50, 20, grid, 2));
             grid->openGroup(group, true);
             grid->updateSubitemsText();
             HWND list = grid->getHandle();
             const bool same = listCell(list, 0, 0) == t && listCell(list, 1, 0) == t;
             return same ? listCell(list, 1, 1) : "names differ";
         }},
    };
    for (const auto& trip : trips) {
        Frame frame;
        EXPECT_EQ(sample, trip.second(frame.window, sample)) << trip.first;
    }
}

TEST(UnicodeText, LimitedReadsNeverEndInsideACharacter) {
    Frame frame;
    // 98 units, then a surrogate pair: the 99-character read leaves the pair out whole.
    const std::string text = std::string(98, 'a') + "\xF0\x9F\x8E\x86";
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, text, 0, 0, 90, 20, frame.window, 1);
    EXPECT_EQ(std::string(98, 'a'), edit->getText());
}

TEST(UnicodeText, TypedCharactersArriveWhole) {
    Frame frame;
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "", 10, 10, 200, 24, frame.window, 1);
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 10, 60, 300, 200, frame.window, 2);
    KWEdit* value = KWEdit::create(STYLE_DEFAULT, "", 0, 0, 50, 20, grid, 3);
    KWGroupItem* group = grid->addGroup("Group");
    grid->addItem(group, "Name", -1, value);
    grid->openGroup(group, true);
    kwtest::pumpMessages();

    SetFocus(edit->getHandle());
    typeText(wideOf(sample));
    EXPECT_EQ(sample, edit->getText()) << "edit";

    ListView_SetItemState(grid->getHandle(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    kwtest::pumpMessages();
    SetFocus(value->getHandle());
    // The editor is a plain edit, which takes no more text than its narrow cell shows.
    const std::string shortSample = "ë Ω Ё 花 \xF0\x9F\x8E\x86";
    typeText(wideOf(shortSample));
    EXPECT_EQ(shortSample, value->getText()) << "property string editor";

    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 220, 10, 200, 40, frame.window, 4);
    tree->setLabelEditing(true);
    const int item = tree->addItem(-1, -1, 0, "x");
    SetFocus(tree->getHandle());
    HWND label = reinterpret_cast<HWND>(SendMessageW(tree->getHandle(), TVM_EDITLABELW, 0,
                                                     reinterpret_cast<LPARAM>(tree->getItemHandle(item))));
    ASSERT_TRUE(label) << "no label edit";
    SendMessageW(label, EM_SETSEL, 0, -1);
    typeText(wideOf(sample));
    SendMessageW(tree->getHandle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(sample, tree->getItemText(item)) << "tree label";
}

TEST(UnicodeText, ASelfDrawnTitleInksAsDrawTextWOfTheSameText) {
    Frame frame;
    const KWColor green(0, 128, 0, 255);
    KWHeader* header = KWHeader::create(STYLE_DEFAULT, 0, 0, 400, 60, sample, green, green,
                                        KWColor(255, 255, 255, 255), frame.window, 1);
    const std::vector<COLORREF> shown = kwtest::captureClient(header->getHandle(), 300, 20);

    // The same text drawn by the platform, at the title's place, in the title's font and colours.
    const int width = 300;
    const int height = 20;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
    HGDIOBJ previousFont = SelectObject(memory, GetStockObject(DEVICE_DEFAULT_FONT));
    const COLORREF band = shown[static_cast<std::size_t>(width - 1)];
    HBRUSH fill = CreateSolidBrush(band);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, fill);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(255, 255, 255));
    RECT at = {5, 2, width, height};
    DrawTextW(memory, wideOf(sample).c_str(), -1, &at, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    int differing = 0;
    int inked = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF expected = GetPixel(memory, x, y);
            inked += expected != band ? 1 : 0;
            differing += shown[static_cast<std::size_t>(y * width + x)] != expected ? 1 : 0;
        }
    }
    SelectObject(memory, previousFont);
    SelectObject(memory, previousBitmap);
    DeleteObject(fill);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(inked, 50) << "the platform drew no text";
    EXPECT_EQ(0, differing);
}
