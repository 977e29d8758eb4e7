#include "GridSupport.h"

#include "TestSupport.h"

#include <commctrl.h>

namespace gridtest {

TestEditor* TestEditor::create(KW::KWObject* parent, const std::string& text) {
    return new TestEditor(parent, text);
}

TestEditor::TestEditor(KW::KWObject* parent, const std::string& text) : KWObject(KW::GADGET_EDIT, parent, 0) {
    HWND window = CreateWindowExA(0, "Edit", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 60, 18,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Editor creation failed !")) {
        subclassWindow(KWDefaultCallback);
    }
}

void TestEditor::setPlacement(KW::KWBound& bounds) {
    ++placements;
    lastEdges = bounds;
    KWObject::setPlacement(bounds);
}

GridWindow::GridWindow(int gridWidth, int gridHeight) {
    window.reset(KW::KWWindow::create(KW::STYLE_DEFAULT, KW::WINDOW_POPUP, 100, 100, gridWidth + 60,
                                      gridHeight + 80, "Grid", nullptr, 0));
    SetWindowPos(window->getHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window->getHandle());
    grid = KW::KWProperties::create(KW::STYLE_DEFAULT, 10, 10, gridWidth, gridHeight, window.get(), 7);
    kwtest::pumpMessages();
}

GridWindow::~GridWindow() {
    window.reset();
    kwtest::pumpMessages();
}

HWND GridWindow::header() const {
    return reinterpret_cast<HWND>(SendMessageA(list(), LVM_GETHEADER, 0, 0));
}

KW::KWGroupItem* GridWindow::addGroup(const std::string& name, int count, const std::string& prefix,
                                      std::vector<TestEditor*>* editors) {
    KW::KWGroupItem* group = grid->addGroup(name);
    for (int i = 1; i <= count; ++i) {
        const std::string itemName = prefix + std::to_string(i);
        TestEditor* editor = TestEditor::create(grid, "v:" + itemName);
        grid->addItem(group, itemName, 1, editor);
        if (editors) {
            editors->push_back(editor);
        }
    }
    return group;
}

std::vector<std::string> rowTexts(HWND list) {
    std::vector<std::string> texts;
    for (int row = 0; row < rowCount(list); ++row) {
        texts.push_back(cellText(list, row, 0));
    }
    return texts;
}

std::string cellText(HWND list, int row, int column) {
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

int rowImage(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int rowCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int selectedRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int columnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

KW::KWBound valueCell(HWND list, int row) {
    RECT cell = {};
    cell.top = 1;
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    return KW::KWBound(cell);
}

POINT cellCentre(HWND list, int row, int column) {
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    if (column == 0) {
        // Subitem 0's bounds span the whole row: keep to the first column.
        cell.right = cell.left + columnWidth(list, 0);
    }
    return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

bool isShown(KW::KWObject* gadget) {
    return (GetWindowLongA(gadget->getHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

namespace {

void moveTo(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
    kwtest::pumpMessages();
}

void button(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        Sleep(10);
        kwtest::pumpMessages();
    }
}

} // namespace

void click(HWND window, POINT point) {
    moveTo(window, point);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    settle();
}

void doubleClick(HWND window, POINT point) {
    moveTo(window, point);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    settle();
}

void drag(HWND window, POINT from, POINT to) {
    moveTo(window, from);
    button(MOUSEEVENTF_LEFTDOWN);
    settle();
    const POINT halfway{(from.x + to.x) / 2, (from.y + to.y) / 2};
    moveTo(window, halfway);
    settle();
    moveTo(window, to);
    settle();
    button(MOUSEEVENTF_LEFTUP);
    settle();
}

void wheel(HWND window, POINT point, int delta) {
    moveTo(window, point);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(delta);
    SendInput(1, &input, sizeof(input));
    settle();
}

} // namespace gridtest
