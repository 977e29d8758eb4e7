#include "DpiRun.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>

using namespace KW;

namespace {

// A part of a row (LVM_GETSUBITEMRECT's code: LVIR_BOUNDS, LVIR_LABEL) in the list's client area.
RECT cellRect(HWND list, int row, int column, int part = LVIR_BOUNDS) {
    RECT cell = {};
    cell.top = column;
    cell.left = part;
    SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    return cell;
}

int rowHeight(HWND list, int row) {
    const RECT cell = cellRect(list, row, 0);
    return cell.bottom - cell.top;
}

int columnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

// The text's extent in the font the window shows.
SIZE textExtent(HWND window, const std::string& text) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return extent;
}

// A real click at a point of a window's client area.
void click(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input[3] = {};
    for (INPUT& each : input) {
        each.type = INPUT_MOUSE;
    }
    input[0].mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof(INPUT));
    kwtest::pumpUntil([] { return false; }, 100);
}

// A shown, topmost frame with a grid whose open group hosts a spin box on row 1.
struct GridFrame {
    std::unique_ptr<KWWindow> frame;
    KWProperties* grid;
    KWSpinBox* spin;
    const std::string itemName = "Rotation";

    GridFrame() {
        frame.reset(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 50, 50, kwtest::atRunDpi(320),
                                     kwtest::atRunDpi(280), "Grid", nullptr, 0));
        SetWindowPos(frame->getHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(frame->getHandle());
        grid = KWProperties::create(STYLE_DEFAULT, 10, 10, kwtest::atRunDpi(250), kwtest::atRunDpi(200),
                                    frame.get(), 1);
        KWGroupItem* group = grid->addGroup("Transform");
        spin = KWSpinBox::create(STYLE_DEFAULT, 2.5f, 0, 0, 60, 18, 0.0f, 100.0f, 1.0f, true, true, grid, 2);
        grid->addItem(group, itemName, 0, spin);
        grid->openGroup(group, true);
        kwtest::pumpMessages();
    }
    HWND list() const { return grid->getHandle(); }
    HWND arrows() const { return FindWindowExA(spin->getHandle(), nullptr, UPDOWN_CLASSA, nullptr); }

    void moveToDpi(int newDpi) { kwtest::moveToDpi(frame.get(), newDpi); }

    // The spin box lies exactly over row 1's value cell, its arrows filling its right end.
    void expectEditorOverValueCell() const {
        const RECT cell = cellRect(list(), 1, 1);
        const KWBound editor = kwtest::rectInParent(spin->getHandle());
        EXPECT_EQ(cell.left, editor.left);
        EXPECT_EQ(cell.right, editor.right);
        EXPECT_EQ(cell.top, editor.top);
        EXPECT_EQ(cell.bottom, editor.bottom);
        const KWBound arrowArea = kwtest::rectInParent(arrows());
        EXPECT_EQ(editor.right - editor.left, arrowArea.right);
        EXPECT_EQ(editor.bottom - editor.top, arrowArea.bottom - arrowArea.top);
    }
};

} // namespace

TEST(PropertiesDpi, RowsAndColumnsScaleAndTheirTextsFitTheirCells) {
    struct Case {
        int iconAt96; // 0: no image list
        int rowAt96;
    };
    for (const Case& c : {Case{0, 14}, Case{16, 17}}) {
        GridFrame shell;
        std::unique_ptr<KWImageList> images;
        if (c.iconAt96 > 0) {
            images.reset(KWImageList::create(kwtest::atRunDpi(c.iconAt96), kwtest::atRunDpi(c.iconAt96)));
            shell.grid->setImageList(images.get());
            kwtest::pumpMessages();
        }
        SCOPED_TRACE(c.iconAt96);
        EXPECT_SCALED(rowHeight(shell.list(), 0), c.rowAt96);
        EXPECT_SCALED(rowHeight(shell.list(), 1), c.rowAt96);
        EXPECT_SCALED(columnWidth(shell.list(), 0), 112);
        EXPECT_SCALED(columnWidth(shell.list(), 1), 72);

        const RECT label = cellRect(shell.list(), 1, 0, LVIR_LABEL);
        const RECT value = cellRect(shell.list(), 1, 1);
        const SIZE name = textExtent(shell.list(), shell.itemName);
        const SIZE shown = textExtent(shell.list(), shell.spin->getText());
        EXPECT_LE(name.cx, label.right - label.left);
        EXPECT_LE(name.cy, label.bottom - label.top);
        EXPECT_LE(shown.cx, value.right - value.left);
        EXPECT_LE(shown.cy, value.bottom - value.top);
    }
}

TEST(PropertiesDpi, AClickPicksItsRowAndTheScaledArrowsStepTheValue) {
    GridFrame shell;
    const RECT name = cellRect(shell.list(), 1, 0, LVIR_LABEL);
    click(shell.list(), POINT{(name.left + name.right) / 2, (name.top + name.bottom) / 2});
    ASSERT_EQ(1, static_cast<int>(
                     SendMessageA(shell.list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    shell.expectEditorOverValueCell();
    const SIZE arrowArea = kwtest::clientSize(shell.arrows());
    EXPECT_SCALED(arrowArea.cx, 14);

    // The up arrow is the top half of the square.
    click(shell.arrows(), POINT{arrowArea.cx / 2, arrowArea.cy / 4});
    EXPECT_FLOAT_EQ(3.5f, shell.spin->getValue());
}

TEST(PropertiesDpi, AfterAMoveToAnotherDpiRowsColumnsAndTheEditorFollow) {
    GridFrame shell;
    SendMessageA(shell.list(), WM_SETFOCUS, 0, 0);
    LVITEMA select = {};
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    select.state = select.stateMask;
    SendMessageA(shell.list(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
    shell.grid->updateSelection();
    const int runDpi = kwtest::runDpi();
    const int rowBefore = rowHeight(shell.list(), 1);
    const int nameColumnBefore = columnWidth(shell.list(), 0);

    shell.moveToDpi(runDpi * 2);
    EXPECT_NEAR(MulDiv(14, runDpi * 2, 96), rowHeight(shell.list(), 1), 1);
    EXPECT_NEAR(2 * nameColumnBefore, columnWidth(shell.list(), 0), 1);
    shell.expectEditorOverValueCell();

    shell.moveToDpi(runDpi);
    EXPECT_EQ(rowBefore, rowHeight(shell.list(), 1));
    EXPECT_NEAR(nameColumnBefore, columnWidth(shell.list(), 0), 1);
    shell.expectEditorOverValueCell();
}
