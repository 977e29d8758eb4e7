#include "ControlHost.h"

#include <vector>

using namespace KW;
using kwtest::ControlHost;

namespace {

struct Recorded {
    UINT msg;
    WPARAM wParam;
};

std::vector<Recorded> toolbarMessages;
WNDPROC toolbarProc = nullptr;
std::vector<WPARAM> parentCommands;
WNDPROC parentProc = nullptr;

LRESULT CALLBACK recordToolbar(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_USER) {
        toolbarMessages.push_back({msg, wParam});
    }
    return CallWindowProcA(toolbarProc, window, msg, wParam, lParam);
}

LRESULT CALLBACK recordParent(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        parentCommands.push_back(wParam);
    }
    return CallWindowProcA(parentProc, window, msg, wParam, lParam);
}

struct ToolBars : ControlHost {
    KWToolBar* bar = KWToolBar::create(false, parent(), 8);
    HWND window() { return bar->getHandle(); }
    TBBUTTON button(int index) {
        TBBUTTON record = {};
        SendMessageA(window(), TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&record));
        return record;
    }
    int count() { return static_cast<int>(SendMessageA(window(), TB_BUTTONCOUNT, 0, 0)); }
    std::string buttonText(int commandId) {
        const LRESULT length = SendMessageA(window(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(commandId), 0);
        if (length <= 0) {
            return "";
        }
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(window(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(commandId),
                     reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        return text;
    }
};

} // namespace

TEST_F(ToolBars, IsAFlatTransparentBarAtTheTopOfItsParent) {
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(kwtest::windowClassName(window()), "ToolbarWindow32");
    const LONG asked = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    EXPECT_EQ(kwtest::styleOf(window()) & asked, asked);
    EXPECT_EQ(bar->getType(), GADGET_TOOLBAR);
    bar->addButton(1, "File");
    bar->setBounds(KWBound(70, 10, 80, 10));
    const KWBound placed = kwtest::rectInParent(window());
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right, 400);
    EXPECT_GT(placed.bottom, 10);

    SetWindowPos(parentWindow(), nullptr, 0, 0, 520, 300, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    bar->setBounds(KWBound());
    EXPECT_EQ(kwtest::rectInParent(window()).right, 520);
}

TEST_F(ToolBars, EveryAddSendsSizeAddAndAutosize) {
    toolbarMessages.clear();
    toolbarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordToolbar)));
    bar->addButton(1, "Text");
    bar->addButton(2, 0, "ignored");
    bar->addSeparator();
    SetWindowLongPtrA(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolbarProc));

    // The control may talk to itself while adding; the three calls come in this order each time.
    std::vector<Recorded> calls;
    for (const Recorded& r : toolbarMessages) {
        if (r.msg == TB_BUTTONSTRUCTSIZE || r.msg == TB_ADDBUTTONSW || r.msg == TB_AUTOSIZE) {
            calls.push_back(r);
        }
    }
    ASSERT_EQ(calls.size(), 9u);
    for (size_t i = 0; i < 9; i += 3) {
        EXPECT_EQ(calls[i].msg, static_cast<UINT>(TB_BUTTONSTRUCTSIZE));
        EXPECT_EQ(calls[i].wParam, sizeof(TBBUTTON));
        EXPECT_EQ(calls[i + 1].msg, static_cast<UINT>(TB_ADDBUTTONSW));
        EXPECT_EQ(calls[i + 1].wParam, 1u);
        EXPECT_EQ(calls[i + 2].msg, static_cast<UINT>(TB_AUTOSIZE));
    }
}

TEST_F(ToolBars, ButtonRecordsForTextImageAndSeparator) {
    bar->addButton(101, "Open");
    bar->addButton(102, 5, "x");
    bar->addSeparator();
    ASSERT_EQ(count(), 3);

    const TBBUTTON text = button(0);
    EXPECT_EQ(text.idCommand, 101);
    EXPECT_EQ(text.iBitmap, I_IMAGENONE);
    EXPECT_EQ(text.fsState & TBSTATE_ENABLED, TBSTATE_ENABLED);
    EXPECT_EQ(text.fsStyle, BTNS_BUTTON);
    EXPECT_EQ(buttonText(101), "Open");

    // Without an image list an image button shows nothing, and its text never shows.
    const TBBUTTON image = button(1);
    EXPECT_EQ(image.idCommand, 102);
    EXPECT_EQ(image.iBitmap, I_IMAGENONE);
    EXPECT_EQ(image.fsStyle, BTNS_AUTOSIZE);
    EXPECT_EQ(buttonText(102), "");

    const TBBUTTON separator = button(2);
    EXPECT_EQ(separator.idCommand, 0);
    EXPECT_EQ(separator.fsStyle, BTNS_SEP);

    KWImageList* images = KWImageList::create(16, 16);
    bar->setImageList(images);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(window(), TB_GETIMAGELIST, 0, 0)), images->handle);
    bar->addButton(103, 5, "x");
    EXPECT_EQ(button(3).iBitmap, 5);
    EXPECT_EQ(buttonText(103), "");
    EXPECT_EQ(button(1).iBitmap, I_IMAGENONE);
}

TEST_F(ToolBars, StandardIconsFillTheImages) {
    bar->loadStandardIcons();
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(window(), TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(images);
    EXPECT_GE(ImageList_GetImageCount(images), STD_PRINT + 1);
}

TEST_F(ToolBars, AClickSendsTheCommandToTheParent) {
    bar->addButton(7, "Save");
    bar->addButton(9, "Load");
    bar->setBounds(KWBound());
    parentCommands.clear();
    parentProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parentWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordParent)));
    RECT item = {};
    SendMessageA(window(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window(), WM_LBUTTONUP, 0, at);
    kwtest::pumpMessages();
    SetWindowLongPtrA(parentWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(parentProc));
    ASSERT_EQ(parentCommands.size(), 1u);
    EXPECT_EQ(LOWORD(parentCommands[0]), 9);
}

TEST_F(ToolBars, MegabyteButtonTextIsCopiedWhole) {
    const std::string& big = kwtest::megabyteText();
    bar->addButton(5, big);
    ASSERT_EQ(count(), 1);
    const std::string text = buttonText(5);
    EXPECT_EQ(text.size(), big.size());
    EXPECT_TRUE(text == big);
}
