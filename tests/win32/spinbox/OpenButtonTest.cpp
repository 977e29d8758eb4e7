#include "DialogDriver.h"
#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <string>

using namespace KW;

namespace {

// The file dialog's file-name box and file-type list.
constexpr int fileNameBox = 0x047C;
constexpr int fileNameEdit = 0x0480;
constexpr int fileTypeList = 0x0470;

HWND editOf(KWOpenButton* button) {
    return FindWindowExA(button->getHandle(), nullptr, "Edit", nullptr);
}

HWND buttonOf(KWOpenButton* button) {
    return FindWindowExA(button->getHandle(), nullptr, "Button", nullptr);
}

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
}

void expectRect(HWND window, int x, int y, int width, int height) {
    const KWBound rect = kwtest::rectInParent(window);
    EXPECT_EQ(rect.left, x);
    EXPECT_EQ(rect.top, y);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
}

std::string tempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof(path), path);
    char longPath[MAX_PATH] = {};
    GetLongPathNameA(path, longPath, sizeof(longPath));
    std::string folder = longPath;
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

bool isFileDialog(HWND dialog) {
    return kwtest::windowText(dialog) == "Open...";
}

bool isFolderBrowser(HWND dialog) {
    return kwtest::findChildWithText(dialog, "Please Select a Folder...") != nullptr;
}

// Types a path into the file dialog and presses Open.
void chooseFile(HWND dialog, const std::string& path) {
    HWND name = GetDlgItem(dialog, fileNameBox);
    if (!name) {
        name = GetDlgItem(dialog, fileNameEdit);
    }
    SetWindowTextA(name, path.c_str());
    kwtest::pressDialogButton(dialog, IDOK);
}

std::string firstFileType(HWND dialog) {
    char text[256] = {};
    SendDlgItemMessageA(dialog, fileTypeList, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

// Selects, as a click would, the item named `text` among the children of the browser tree's root.
bool selectTreeItem(HWND dialog, const std::string& text) {
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    while (item) {
        char name[MAX_PATH] = {};
        TVITEMA info = {};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = name;
        info.cchTextMax = sizeof(name);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
        if (text == name) {
            return SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
        }
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return false;
}

class OpenButtonTest : public testing::Test {
protected:
    void SetUp() override {
        window.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 500, 400, "Open", nullptr, 0));
        ASSERT_TRUE(window->getHandle());
        ShowWindow(window->getHandle(), SW_SHOW);
        SetForegroundWindow(window->getHandle());
        kwtest::pumpMessages();
        kwtest::clearMessageBoxes();
    }

    KWOpenButton* makeButton(bool selectFile,
                             const std::string& filter = std::string("abc\0*.bmp\0\0\0\0\0", 14)) {
        return KWOpenButton::create(STYLE_DEFAULT, filter, 10, 150, 200, 20, selectFile, window.get(), 3);
    }

    // Clicks "..." and lets `act` handle whatever dialog `claims` accepts.
    void clickAndDrive(KWOpenButton* button, kwtest::DialogDriver::Predicate claims,
                       kwtest::DialogDriver::Action act, int expectedDialogs = 1) {
        kwtest::DialogDriver driver(std::move(claims), std::move(act));
        SendMessageA(buttonOf(button), BM_CLICK, 0, 0);
        kwtest::pumpMessages();
        EXPECT_EQ(driver.dialogsClaimed(), expectedDialogs);
        EXPECT_EQ(driver.dialogsStuck(), 0);
        caption = driver.lastCaption();
    }

    std::unique_ptr<KWWindow> window;
    std::string caption;
};

} // namespace

TEST_F(OpenButtonTest, BuildsAReadOnlyFieldAndASquareButton) {
    KWOpenButton* button =
        KWOpenButton::create(STYLE_DEFAULT, std::string(), 10, 150, 40, 20, true, window.get(), 4);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->getType(), GADGET_OPENBUTTON);
    EXPECT_EQ(button->getId(), 4);
    EXPECT_EQ(window->getChildCount(), 1);
    EXPECT_TRUE(kwtest::messageBoxes().empty());

    HWND container = button->getHandle();
    EXPECT_EQ(kwtest::windowClassName(container), "KWPANEL");
    EXPECT_EQ(styleOf(container) & 0xFFFF0000, 0x50000000u);
    expectRect(container, 10, 150, 40, 20);

    HWND edit = editOf(button);
    HWND dots = buttonOf(button);
    ASSERT_TRUE(edit);
    ASSERT_TRUE(dots);
    EXPECT_EQ(styleOf(edit), 0x50000C00u);
    EXPECT_EQ(styleOf(dots) & 0xFFFFFFF0, 0x50008000u);
    EXPECT_EQ(kwtest::windowText(dots), "...");
    expectRect(edit, 0, 0, 20, 20);
    expectRect(dots, 20, 0, 20, 20);
    const HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)), guiFont);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(dots, WM_GETFONT, 0, 0)), guiFont);

    EXPECT_EQ(button->getText(), "");
}

TEST_F(OpenButtonTest, NoParentRefusesWithMessage) {
    EXPECT_EQ(KWOpenButton::create(STYLE_DEFAULT, "", 0, 0, 100, 20, true, nullptr, 0), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text,
              "KWOpenButton cannot be created without a parent.Creation failed");
}

TEST_F(OpenButtonTest, WindowFailureLeavesTheObjectUnwired) {
    kwtest::ProbeGadget* broken =
        kwtest::ProbeGadget::create(window.get(), 0, 0, 10, 10, 1, GADGET_PANEL, "NoSuchClass");
    ASSERT_FALSE(broken->getHandle());
    kwtest::clearMessageBoxes();

    KWOpenButton* button = KWOpenButton::create(STYLE_DEFAULT, "", 0, 0, 100, 20, true, broken, 2);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->getHandle(), nullptr);
    EXPECT_EQ(broken->getChildCount(), 1);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
    EXPECT_EQ(button->getText(), "");
}

TEST_F(OpenButtonTest, PlacementLaysOutTheParts) {
    KWOpenButton* button = makeButton(true);
    KWBound bound(0, 200, 40, 60);
    button->setPlacement(bound);
    EXPECT_EQ(bound.left, 0);
    EXPECT_EQ(bound.right, 200);
    EXPECT_EQ(bound.top, 40);
    EXPECT_EQ(bound.bottom, 20);
    expectRect(button->getHandle(), 0, 40, 200, 20);
    expectRect(editOf(button), 0, 0, 180, 20);
    expectRect(buttonOf(button), 180, 0, 20, 20);

    KWBound tall(5, 305, 10, 34);
    button->setPlacement(tall);
    expectRect(button->getHandle(), 5, 10, 300, 24);
    expectRect(editOf(button), 0, 0, 276, 24);
    expectRect(buttonOf(button), 276, 0, 24, 24);
}

TEST_F(OpenButtonTest, FieldTakesNoTypingAndItsClicksOpenNothing) {
    KWOpenButton* button = makeButton(true);
    HWND edit = editOf(button);
    kwtest::DialogDriver driver([](HWND) { return true; },
                                [](HWND dialog) { kwtest::pressDialogButton(dialog, IDCANCEL); });
    SetFocus(edit);
    SendMessageA(edit, WM_CHAR, 'a', 1);
    PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    kwtest::pumpMessages();
    EXPECT_EQ(button->getText(), "");
    // Commands other than a click reach no dialog either.
    SendMessageA(button->getHandle(), WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
    SendMessageA(button->getHandle(), WM_COMMAND, MAKEWPARAM(0, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(buttonOf(button)));
    EXPECT_EQ(driver.dialogsClaimed(), 0);
}

TEST_F(OpenButtonTest, FileDialogPutsTheChosenPathInTheField) {
    const std::string path = tempFolder() + "\\kw_open_button.bmp";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    KWOpenButton* button = makeButton(true);
    std::string fileType;
    clickAndDrive(button, isFileDialog, [&](HWND dialog) {
        fileType = firstFileType(dialog);
        chooseFile(dialog, path);
    });
    EXPECT_EQ(caption, "Open...");
    EXPECT_EQ(fileType, "abc");
    EXPECT_EQ(button->getText(), path);

    // Cancelled: the path stays.
    clickAndDrive(button, isFileDialog, [](HWND dialog) { kwtest::pressDialogButton(dialog, IDCANCEL); });
    EXPECT_EQ(button->getText(), path);

    // Calling open directly runs the same dialog.
    const std::string other = tempFolder() + "\\kw_open_button_2.bmp";
    CloseHandle(CreateFileA(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    {
        kwtest::DialogDriver driver(isFileDialog, [&](HWND dialog) { chooseFile(dialog, other); });
        button->open();
        EXPECT_EQ(driver.dialogsClaimed(), 1);
    }
    EXPECT_EQ(button->getText(), other);
    DeleteFileA(path.c_str());
    DeleteFileA(other.c_str());
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST_F(OpenButtonTest, FilterWithoutItsFinalNulsIsReadSafely) {
    // "abc", NUL, "*.bmp" and nothing after: the list must still end there.
    KWOpenButton* button = makeButton(true, std::string("abc\0*.bmp", 9));
    std::string fileType;
    LRESULT fileTypes = 0;
    clickAndDrive(button, isFileDialog, [&](HWND dialog) {
        fileType = firstFileType(dialog);
        fileTypes = SendDlgItemMessageA(dialog, fileTypeList, CB_GETCOUNT, 0, 0);
        kwtest::pressDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(fileType, "abc");
    EXPECT_EQ(fileTypes, 1);

    KWOpenButton* plain = makeButton(true, std::string());
    clickAndDrive(plain, isFileDialog, [](HWND dialog) { kwtest::pressDialogButton(dialog, IDCANCEL); });
    EXPECT_EQ(plain->getText(), "");
}

TEST_F(OpenButtonTest, FolderBrowserPutsTheChosenFolderInTheField) {
    // A folder on the desktop shows right under the browser's root.
    char desktop[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    const std::string folder = std::string(desktop) + "\\kw_open_folder";
    CreateDirectoryA(folder.c_str(), nullptr);

    KWOpenButton* button = makeButton(false);
    bool selected = false;
    clickAndDrive(button, isFolderBrowser, [&](HWND dialog) {
        selected = selectTreeItem(dialog, "kw_open_folder");
        kwtest::pressDialogButton(dialog, IDOK);
    });
    EXPECT_TRUE(selected);
    EXPECT_EQ(button->getText(), folder);

    clickAndDrive(button, isFolderBrowser, [](HWND dialog) { kwtest::pressDialogButton(dialog, IDCANCEL); });
    EXPECT_EQ(button->getText(), folder);

    // A folder without a file-system path leaves the path as it was.
    selected = false;
    clickAndDrive(button, isFolderBrowser, [&](HWND dialog) {
        selected = selectTreeItem(dialog, "My Computer");
        kwtest::pressDialogButton(dialog, IDOK);
    });
    EXPECT_TRUE(selected);
    EXPECT_EQ(button->getText(), folder);
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST_F(OpenButtonTest, LongTextIsTruncatedNotOverflowed) {
    KWOpenButton* button = makeButton(true);
    // Far longer than the read buffer (the platform's edit grows slow with much more).
    SetWindowTextA(editOf(button), std::string(4096, 'p').c_str());
    EXPECT_EQ(button->getText(), std::string(149, 'p'));
    // The gadget's own text is the container's, not the path.
    const std::string megabyte(1 << 20, 'q');
    button->setText(megabyte);
    EXPECT_EQ(GetWindowTextLengthA(button->getHandle()), 1 << 20);
    EXPECT_EQ(button->getText(), std::string(149, 'p'));
}
