// The raw Win32 side of the start-up benchmark. "--blank" shows one empty window. Given a window tree
// recorded from a program (WindowTree.h), it registers the program's own window classes with a plain
// window procedure, creates the same windows with CreateWindowExA at their final places, fills the same
// controls (image lists from the same bitmaps, toolbar buttons, tree items, tabs, list rows, combo items,
// status texts, tooltips, the menu bar) and shows the window: what a hand-written program showing that
// window does, without any toolkit.
#include "WindowTree.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using startup::Record;

namespace {

HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

LRESULT CALLBACK plainProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE && !GetParent(window)) {
        PostQuitMessage(0);
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

int runLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

int blankWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = plainProcedure;
    windowClass.hInstance = instance();
    windowClass.lpszClassName = "BenchBlank";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("BenchBlank", "blank", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                nullptr, nullptr, instance(), nullptr);
    UpdateWindow(window);
    return runLoop();
}

struct Window {
    Record record;
    std::vector<Record> contents;
};

class Replay {
public:
    void registerClass(const Record& record);
    HWND create(const Window& window);

private:
    HMENU buildMenu(const std::vector<Record>& contents);
    void setFont(HWND window, const std::string& font);
    HIMAGELIST imageList(const Record& record);
    void fill(HWND window, const std::string& className, const std::vector<Record>& contents);

    std::vector<HWND> windows;
    std::map<std::string, HFONT> fonts;
    std::map<std::string, HIMAGELIST> lists;
};

void Replay::registerClass(const Record& record) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    // The platform's own controls are there already (the recorder cannot always tell them from the
    // program's classes): only a class this program does not have is made, with the plain procedure.
    if (GetClassInfoExA(instance(), record.text(0).c_str(), &windowClass)) {
        return;
    }
    windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = static_cast<UINT>(record.bits(1));
    windowClass.lpfnWndProc = plainProcedure;
    windowClass.hInstance = instance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    const std::string& brush = record.text(2);
    if (brush.compare(0, 4, "sys ") == 0) {
        windowClass.hbrBackground =
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(std::stoi(brush.substr(4))));
    } else if (brush.compare(0, 4, "rgb ") == 0) {
        windowClass.hbrBackground = CreateSolidBrush(static_cast<COLORREF>(std::stoul(brush.substr(4))));
    }
    windowClass.lpszClassName = record.text(0).c_str();
    RegisterClassExA(&windowClass);
}

HMENU Replay::buildMenu(const std::vector<Record>& contents) {
    HMENU bar = nullptr;
    std::vector<HMENU> levels;
    for (const Record& item : contents) {
        if (item.tag != "M") {
            continue;
        }
        if (!bar) {
            bar = CreateMenu();
            levels.push_back(bar);
        }
        const size_t depth = static_cast<size_t>(item.number(0));
        if (depth >= levels.size()) {
            continue;
        }
        levels.resize(depth + 1);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.fType = static_cast<UINT>(item.bits(1));
        info.fState = static_cast<UINT>(item.bits(2));
        info.wID = static_cast<UINT>(item.bits(3));
        std::string text = item.text(5);
        info.dwTypeData = &text[0];
        if (item.number(4)) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = CreatePopupMenu();
        }
        InsertMenuItemA(levels[depth], GetMenuItemCount(levels[depth]), TRUE, &info);
        if (info.hSubMenu) {
            levels.push_back(info.hSubMenu);
        }
    }
    return bar;
}

void Replay::setFont(HWND window, const std::string& font) {
    if (font == "-") {
        return;
    }
    if (font == "gui") {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return;
    }
    // "height width weight italic charset face": a control that already has that face keeps it.
    LOGFONTA face = {};
    char name[LF_FACESIZE] = {};
    int italic = 0;
    int charset = 0;
    std::sscanf(font.c_str(), "%ld %ld %ld %d %d %31[^\n]", &face.lfHeight, &face.lfWidth, &face.lfWeight,
                &italic, &charset, name);
    face.lfItalic = static_cast<BYTE>(italic);
    face.lfCharSet = static_cast<BYTE>(charset);
    lstrcpynA(face.lfFaceName, name, LF_FACESIZE);
    HFONT current = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA now = {};
    if (current && GetObjectA(current, sizeof(now), &now) && now.lfHeight == face.lfHeight &&
        now.lfWeight == face.lfWeight && lstrcmpA(now.lfFaceName, face.lfFaceName) == 0) {
        return;
    }
    HFONT& made = fonts[font];
    if (!made) {
        made = CreateFontIndirectA(&face);
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
}

HIMAGELIST Replay::imageList(const Record& record) {
    HIMAGELIST& list = lists[record.text(3)];
    if (!list) {
        list = ImageList_Create(record.number(1), record.number(2), ILC_COLOR32 | ILC_MASK, 2, 0);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(nullptr, record.text(3).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
        DeleteObject(bitmap);
    }
    return list;
}

void Replay::fill(HWND window, const std::string& className, const std::vector<Record>& contents) {
    std::vector<TBBUTTON> buttons;
    std::vector<HTREEITEM> items;
    std::vector<UINT> itemStates;
    for (const Record& record : contents) {
        const std::string& tag = record.tag;
        if (tag == "IL") {
            const LPARAM list = reinterpret_cast<LPARAM>(imageList(record));
            const std::string& slot = record.text(0);
            if (className == TOOLBARCLASSNAMEA) {
                SendMessageA(window, TB_SETIMAGELIST, 0, list);
            } else if (className == WC_TREEVIEWA) {
                SendMessageA(window, TVM_SETIMAGELIST, TVSIL_NORMAL, list);
            } else if (className == WC_TABCONTROLA) {
                SendMessageA(window, TCM_SETIMAGELIST, 0, list);
            } else if (className == WC_LISTVIEWA) {
                SendMessageA(window, LVM_SETIMAGELIST, slot == "state" ? LVSIL_STATE : LVSIL_SMALL, list);
            }
        } else if (tag == "TB") {
            TBBUTTON button = {};
            button.iBitmap = record.number(0);
            button.idCommand = record.number(1);
            button.fsState = static_cast<BYTE>(record.number(2));
            button.fsStyle = static_cast<BYTE>(record.number(3));
            buttons.push_back(button);
        } else if (tag == "TI") {
            const int parent = record.number(0);
            TVINSERTSTRUCTA insert = {};
            insert.hParent =
                parent >= 0 && parent < static_cast<int>(items.size()) ? items[parent] : TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            insert.item.iImage = record.number(1);
            insert.item.iSelectedImage = record.number(2);
            std::string text = record.text(4);
            insert.item.pszText = &text[0];
            items.push_back(reinterpret_cast<HTREEITEM>(
                SendMessageA(window, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
            itemStates.push_back(static_cast<UINT>(record.bits(3)));
        } else if (tag == "TC") {
            TCITEMA item = {};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.iImage = record.number(0);
            std::string text = record.text(1);
            item.pszText = &text[0];
            const int count = static_cast<int>(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0));
            SendMessageA(window, TCM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item));
        } else if (tag == "TS") {
            SendMessageA(window, TCM_SETITEMSIZE, 0, MAKELPARAM(record.number(0), record.number(1)));
        } else if (tag == "TX") {
            SendMessageA(window, TCM_SETCURSEL, record.number(0), 0);
        } else if (tag == "LX") {
            SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(record.bits(0)));
        } else if (tag == "LC") {
            LVCOLUMNA column = {};
            column.mask = LVCF_WIDTH | LVCF_TEXT;
            column.cx = record.number(0);
            std::string text = record.text(1);
            column.pszText = &text[0];
            const HWND header = reinterpret_cast<HWND>(SendMessageA(window, LVM_GETHEADER, 0, 0));
            const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
            SendMessageA(window, LVM_INSERTCOLUMNA, count, reinterpret_cast<LPARAM>(&column));
        } else if (tag == "LI") {
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
            item.iItem = static_cast<int>(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0));
            item.iImage = record.number(0);
            item.iIndent = record.number(1);
            std::string text = record.text(2);
            item.pszText = &text[0];
            SendMessageA(window, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        } else if (tag == "LS") {
            LVITEMA item = {};
            item.iSubItem = record.number(1);
            std::string text = record.text(2);
            item.pszText = &text[0];
            SendMessageA(window, LVM_SETITEMTEXTA, record.number(0), reinterpret_cast<LPARAM>(&item));
        } else if (tag == "CB") {
            SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.text(0).c_str()));
        } else if (tag == "CX") {
            SendMessageA(window, CB_SETCURSEL, record.number(0), 0);
        } else if (tag == "SP") {
            std::vector<int> edges;
            for (size_t i = 0; i < record.fields.size(); ++i) {
                edges.push_back(record.number(i));
            }
            SendMessageA(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        } else if (tag == "ST") {
            SendMessageA(window, SB_SETTEXTA, record.number(0) | record.number(1),
                         reinterpret_cast<LPARAM>(record.text(2).c_str()));
        } else if (tag == "TT") {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof(tool);
            const int owner = record.number(0);
            tool.hwnd = owner >= 0 && owner < static_cast<int>(windows.size()) ? windows[owner] : nullptr;
            tool.uFlags = static_cast<UINT>(record.bits(2));
            tool.uId = static_cast<UINT_PTR>(record.bits(1));
            if (tool.uFlags & TTF_IDISHWND) {
                tool.uId = reinterpret_cast<UINT_PTR>(windows[static_cast<size_t>(record.number(1))]);
            }
            tool.rect = {record.number(3), record.number(4), record.number(5), record.number(6)};
            tool.hinst = instance();
            std::string text = record.text(7);
            tool.lpszText = &text[0];
            SendMessageA(window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    if (!buttons.empty()) {
        SendMessageA(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageA(window, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        SendMessageA(window, TB_AUTOSIZE, 0, 0);
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (itemStates[i] & TVIS_EXPANDED) {
            SendMessageA(window, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[i]));
        }
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (itemStates[i] & TVIS_SELECTED) {
            SendMessageA(window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items[i]));
        }
    }
}

HWND Replay::create(const Window& window) {
    const Record& record = window.record;
    const int parentIndex = record.number(0);
    HWND parent =
        parentIndex >= 0 && parentIndex < static_cast<int>(windows.size()) ? windows[parentIndex] : nullptr;
    DWORD style = static_cast<DWORD>(record.bits(2));
    HMENU menu = nullptr;
    const int show = record.number(8);
    if (!parent) {
        // The top-level window is shown last, at its final size, so its children go straight to their
        // places.
        style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (show == SW_SHOWMAXIMIZED) {
            style |= WS_MAXIMIZE;
        }
        menu = buildMenu(window.contents);
    }
    HWND made = CreateWindowExA(static_cast<DWORD>(record.bits(3)), record.text(1).c_str(),
                                record.text(10).c_str(), style, record.number(4), record.number(5),
                                record.number(6), record.number(7), parent, menu, instance(), nullptr);
    windows.push_back(made);
    if (made && parent && (style & WS_CHILD)) {
        // Some controls size themselves on creation (the arrows of an up-down control): moved back to the
        // recorded place as a program wanting that place would.
        RECT box = {};
        GetWindowRect(made, &box);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&box), 2);
        if (box.left != record.number(4) || box.top != record.number(5) ||
            box.right - box.left != record.number(6) || box.bottom - box.top != record.number(7)) {
            SetWindowPos(made, nullptr, record.number(4), record.number(5), record.number(6),
                         record.number(7), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (made) {
        setFont(made, record.text(9));
        fill(made, record.text(1), window.contents);
    }
    return made;
}

int replayTree(const char* path) {
    std::ifstream file(path);
    std::vector<Record> classes;
    std::vector<Window> windows;
    std::string line;
    while (std::getline(file, line)) {
        Record record = startup::parseRecord(line);
        if (record.tag == "C") {
            classes.push_back(record);
        } else if (record.tag == "W") {
            windows.push_back(Window{record, {}});
        } else if (!windows.empty()) {
            windows.back().contents.push_back(record);
        }
    }
    if (windows.empty()) {
        return 1;
    }
    InitCommonControls();
    Replay replay;
    for (const Record& windowClass : classes) {
        replay.registerClass(windowClass);
    }
    HWND top = nullptr;
    for (const Window& window : windows) {
        HWND made = replay.create(window);
        top = top ? top : made;
    }
    // Shown as recorded, with the recorded place to restore to.
    const Record& first = windows.front().record;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(top, &placement);
    placement.showCmd = static_cast<UINT>(first.number(8));
    placement.rcNormalPosition = {first.number(4), first.number(5), first.number(4) + first.number(6),
                                  first.number(5) + first.number(7)};
    SetWindowPlacement(top, &placement);
    return runLoop();
}

} // namespace

// A windows program, started like the programs it stands beside.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc > 1 && std::string(__argv[1]) == "--blank") {
        return blankWindow();
    }
    return __argc > 1 ? replayTree(__argv[1]) : 2;
}
