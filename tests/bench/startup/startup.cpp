// The time from process start to the first painted window of Pelmora and Test, against a raw Win32
// program creating the same windows and against a blank window, all started in turns in the same run.
// The raw program (startup_replay.exe) builds a window tree recorded here: this benchmark builds each
// program's window from the program's own code, shows it maximised as the program does, and writes down
// every window (class, styles, place, text, font) with what its controls show. The real programs' trees
// are compared with the record, and so is the replay's, so all three show the same windows. Prints
// figures only.
#include "../WindowBench.h"

#include "EditorApp.h"
#include "EditorShell.h"
#include "WindowTree.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

using startup::Record;
using Clock = std::chrono::steady_clock;

namespace {

using bench::pump;

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

std::string number(long long value) {
    return std::to_string(value);
}

std::string hex(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%lx", value);
    return text;
}

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// Asked of the window itself: GetWindowTextA would give another process's controls' captions only.
std::string textOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &length);
    return text;
}

// The fields of a window every side can read, also from another process: class, styles, place in the
// parent's client area (a top-level window: its normal place and how it is shown) and text.
std::vector<std::string> windowFields(HWND window, int parent) {
    RECT box = {};
    int show = 0;
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) {
        GetWindowRect(window, &box);
        MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&box), 2);
    } else {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        box = placement.rcNormalPosition;
        show = static_cast<int>(placement.showCmd);
        if (GetWindow(window, GW_OWNER)) {
            GetWindowRect(window, &box);
            show = 0;
        }
    }
    return {number(parent),
            classOf(window),
            hex(static_cast<unsigned long>(GetWindowLongPtrA(window, GWL_STYLE))),
            hex(static_cast<unsigned long>(GetWindowLongPtrA(window, GWL_EXSTYLE))),
            number(box.left),
            number(box.top),
            number(box.right - box.left),
            number(box.bottom - box.top),
            number(show)};
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

BOOL CALLBACK firstShownTopLevel(HWND window, LPARAM result) {
    if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

// The tooltip window a platform control made for itself: the replay's control makes its own.
HWND controlTooltip(HWND window, const std::string& name) {
    UINT message = 0;
    if (name == WC_TREEVIEWA) {
        message = TVM_GETTOOLTIPS;
    } else if (name == TOOLBARCLASSNAMEA) {
        message = TB_GETTOOLTIPS;
    } else if (name == WC_LISTVIEWA) {
        message = LVM_GETTOOLTIPS;
    } else if (name == WC_TABCONTROLA) {
        message = TCM_GETTOOLTIPS;
    }
    return message ? reinterpret_cast<HWND>(SendMessageA(window, message, 0, 0)) : nullptr;
}

// Visits a window and the windows under it in the order the replay creates them: parents first, the
// siblings from the top of their order down; a control's own children are left out. Then the popups
// (tooltips, a colour picker) the program's own windows own.
void visitTree(HWND top, DWORD thread, const std::function<bool(const std::string&)>& isProgramClass,
               const std::function<void(HWND, int)>& visit) {
    std::map<HWND, int> indices;
    std::set<HWND> controlTips;
    std::function<void(HWND, int)> walk = [&](HWND window, int parent) {
        const int index = static_cast<int>(indices.size());
        indices[window] = index;
        visit(window, parent);
        const std::string name = classOf(window);
        controlTips.insert(controlTooltip(window, name));
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!startup::isInternalChild(name, classOf(child))) {
                walk(child, index);
            }
        }
    };
    walk(top, -1);
    // Popups owned by a window already visited (and by the program's own class), with their children,
    // until no more turn up.
    bool found = true;
    while (found) {
        found = false;
        std::vector<HWND> popups;
        EnumThreadWindows(thread, collectWindow, reinterpret_cast<LPARAM>(&popups));
        // Top-level windows keep no creation order: they go by their owner, then by what they are.
        std::vector<std::pair<std::pair<int, std::string>, HWND>> owned;
        for (HWND popup : popups) {
            HWND owner = GetWindow(popup, GW_OWNER);
            auto ownerIndex = indices.find(owner);
            if (indices.count(popup) == 0 && controlTips.count(popup) == 0 && ownerIndex != indices.end() &&
                isProgramClass(classOf(owner))) {
                const Record key{"W", windowFields(popup, ownerIndex->second)};
                owned.push_back({{ownerIndex->second, startup::formatRecord(key)}, popup});
            }
        }
        std::stable_sort(owned.begin(), owned.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& popup : owned) {
            walk(popup.second, popup.first.first);
            found = true;
        }
    }
}

// Writes the window tree of a window of this process.
class Recorder {
public:
    explicit Recorder(std::string imagePrefix) : imagePrefix(std::move(imagePrefix)) {}
    std::vector<Record> record(HWND top);

private:
    void recordClass(HWND window);
    std::string fontOf(HWND window) const;
    void contents(HWND window, const std::string& name);
    void imageList(const char* slot, HIMAGELIST list);
    void menu(HMENU menu, int depth);
    void toolbar(HWND window);
    void tree(HWND window);
    void tabs(HWND window);
    void list(HWND window);
    void combo(HWND window);
    void status(HWND window);
    void tooltips(HWND window);

    std::string imagePrefix;
    std::vector<Record> records;
    std::set<std::string> classes;
    std::map<HWND, int> indices;
    std::map<HIMAGELIST, std::string> images;
};

// Also true of the common controls under Wine, whose classes report the program's module: the replay
// leaves out the classes it already has.
bool isOwnClass(HWND window) {
    return reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE)) == GetModuleHandleA(nullptr);
}

std::vector<Record> Recorder::record(HWND top) {
    // Popups come after the whole tree: by then every class of the program's own is known.
    visitTree(
        top, GetCurrentThreadId(), [this](const std::string& name) { return classes.count(name) != 0; },
        [&](HWND window, int parent) {
            indices[window] = static_cast<int>(indices.size());
            recordClass(window);
            Record record{"W", windowFields(window, parent)};
            record.fields.push_back(fontOf(window));
            record.fields.push_back(textOf(window));
            records.push_back(record);
            contents(window, classOf(window));
        });
    return records;
}

void Recorder::recordClass(HWND window) {
    const std::string name = classOf(window);
    if (!isOwnClass(window) || !classes.insert(name).second) {
        return;
    }
    const ULONG_PTR brush = GetClassLongPtrA(window, GCLP_HBRBACKGROUND);
    std::string brushText = "-";
    if (brush > 0 && brush <= COLOR_MENUBAR + 1) {
        brushText = "sys " + number(static_cast<long long>(brush));
    } else if (brush) {
        LOGBRUSH logBrush = {};
        GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(logBrush), &logBrush);
        brushText = "rgb " + number(logBrush.lbColor);
    }
    // Classes go first: the replay registers them before any window.
    records.insert(
        records.begin(),
        Record{"C", {name, hex(static_cast<unsigned long>(GetClassLongA(window, GCL_STYLE))), brushText}});
}

std::string Recorder::fontOf(HWND window) const {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!font) {
        return "-";
    }
    if (font == GetStockObject(DEFAULT_GUI_FONT)) {
        return "gui";
    }
    LOGFONTA face = {};
    GetObjectA(font, sizeof(face), &face);
    return number(face.lfHeight) + " " + number(face.lfWidth) + " " + number(face.lfWeight) + " " +
           number(face.lfItalic) + " " + number(face.lfCharSet) + " " + face.lfFaceName;
}

void Recorder::contents(HWND window, const std::string& name) {
    if (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) && GetMenu(window)) {
        menu(GetMenu(window), 0);
    }
    if (name == TOOLBARCLASSNAMEA) {
        toolbar(window);
    } else if (name == WC_TREEVIEWA) {
        tree(window);
    } else if (name == WC_TABCONTROLA) {
        tabs(window);
    } else if (name == WC_LISTVIEWA) {
        list(window);
    } else if (name == WC_COMBOBOXA) {
        combo(window);
    } else if (name == STATUSCLASSNAMEA) {
        status(window);
    } else if (name == TOOLTIPS_CLASSA) {
        tooltips(window);
    }
}

// The images go to a bitmap strip on magenta, which the replay loads as the programs load theirs.
void Recorder::imageList(const char* slot, HIMAGELIST list) {
    if (!list) {
        return;
    }
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    std::string& file = images[list];
    if (file.empty()) {
        file = imagePrefix + number(static_cast<long long>(images.size())) + ".bmp";
        const int count = std::max(1, ImageList_GetImageCount(list));
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width * count;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, strip);
        RECT all = {0, 0, width * count, height};
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &all, magenta);
        DeleteObject(magenta);
        for (int i = 0; i < ImageList_GetImageCount(list); ++i) {
            ImageList_Draw(list, i, dc, i * width, 0, ILD_TRANSPARENT);
        }
        GdiFlush();
        const DWORD stride = (static_cast<DWORD>(width * count) * 3 + 3) & ~3u;
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        header.bfSize = header.bfOffBits + stride * static_cast<DWORD>(height);
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&header), sizeof(header));
        out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
        out.write(static_cast<const char*>(bits), stride * static_cast<DWORD>(height));
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(strip);
    }
    records.push_back(Record{"IL", {slot, number(width), number(height), file}});
}

void Recorder::menu(HMENU menu, int depth) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        records.push_back(Record{"M",
                                 {number(depth), hex(info.fType), hex(info.fState), number(info.wID),
                                  number(info.hSubMenu ? 1 : 0), text}});
        if (info.hSubMenu) {
            this->menu(info.hSubMenu, depth + 1);
        }
    }
}

void Recorder::toolbar(HWND window) {
    imageList("normal", reinterpret_cast<HIMAGELIST>(SendMessageA(window, TB_GETIMAGELIST, 0, 0)));
    const int count = static_cast<int>(SendMessageA(window, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        SendMessageA(window, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        records.push_back(Record{"TB",
                                 {number(button.iBitmap), number(button.idCommand), number(button.fsState),
                                  number(button.fsStyle)}});
    }
}

void Recorder::tree(HWND window) {
    imageList("normal",
              reinterpret_cast<HIMAGELIST>(SendMessageA(window, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)));
    std::map<LPARAM, int> numbers;
    std::function<void(LPARAM, int)> items = [&](LPARAM item, int parent) {
        for (; item; item = SendMessageA(window, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
            char text[256] = {};
            TVITEMA record = {};
            record.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
            record.hItem = reinterpret_cast<HTREEITEM>(item);
            record.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
            record.pszText = text;
            record.cchTextMax = sizeof(text);
            SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
            const int index = static_cast<int>(numbers.size());
            numbers[item] = index;
            records.push_back(Record{"TI",
                                     {number(parent), number(record.iImage), number(record.iSelectedImage),
                                      hex(record.state & (TVIS_EXPANDED | TVIS_SELECTED)), text}});
            items(SendMessageA(window, TVM_GETNEXTITEM, TVGN_CHILD, item), index);
        }
    };
    items(SendMessageA(window, TVM_GETNEXTITEM, TVGN_ROOT, 0), -1);
}

void Recorder::tabs(HWND window) {
    imageList("normal", reinterpret_cast<HIMAGELIST>(SendMessageA(window, TCM_GETIMAGELIST, 0, 0)));
    const int count = static_cast<int>(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageA(window, TCM_GETCURSEL, 0, 0));
    if ((GetWindowLongPtrA(window, GWL_STYLE) & TCS_FIXEDWIDTH) && count > 1) {
        // An unselected tab has the fixed size; the selected one stands out.
        RECT box = {};
        SendMessageA(window, TCM_GETITEMRECT, selected == 0 ? 1 : 0, reinterpret_cast<LPARAM>(&box));
        records.push_back(Record{"TS", {number(box.right - box.left), number(box.bottom - box.top)}});
    }
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(window, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        records.push_back(Record{"TC", {number(item.iImage), text}});
    }
    records.push_back(Record{"TX", {number(selected)}});
}

void Recorder::list(HWND window) {
    records.push_back(Record{
        "LX", {hex(static_cast<unsigned long>(SendMessageA(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)))}});
    imageList("small", reinterpret_cast<HIMAGELIST>(SendMessageA(window, LVM_GETIMAGELIST, LVSIL_SMALL, 0)));
    imageList("state", reinterpret_cast<HIMAGELIST>(SendMessageA(window, LVM_GETIMAGELIST, LVSIL_STATE, 0)));
    const HWND header = reinterpret_cast<HWND>(SendMessageA(window, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < columns; ++i) {
        char text[256] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        SendMessageA(window, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        records.push_back(Record{"LC", {number(column.cx), text}});
    }
    const int rows = static_cast<int>(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        char text[256] = {};
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
        item.iItem = row;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(window, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        records.push_back(Record{"LI", {number(item.iImage), number(item.iIndent), text}});
        for (int column = 1; column < columns; ++column) {
            char cell[256] = {};
            LVITEMA sub = {};
            sub.iSubItem = column;
            sub.pszText = cell;
            sub.cchTextMax = sizeof(cell);
            SendMessageA(window, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
            if (cell[0]) {
                records.push_back(Record{"LS", {number(row), number(column), cell}});
            }
        }
    }
}

void Recorder::combo(HWND window) {
    const int count = static_cast<int>(SendMessageA(window, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(window, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        records.push_back(Record{"CB", {text}});
    }
    records.push_back(Record{"CX", {number(SendMessageA(window, CB_GETCURSEL, 0, 0))}});
}

void Recorder::status(HWND window) {
    int edges[256] = {};
    const int parts =
        static_cast<int>(SendMessageA(window, SB_GETPARTS, 256, reinterpret_cast<LPARAM>(edges)));
    Record partRecord{"SP", {}};
    for (int i = 0; i < parts; ++i) {
        partRecord.fields.push_back(number(edges[i]));
    }
    records.push_back(partRecord);
    for (int i = 0; i < parts; ++i) {
        char text[512] = {};
        const LRESULT result = SendMessageA(window, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(text));
        if (text[0]) {
            records.push_back(Record{"ST", {number(i), number(HIWORD(result)), text}});
        }
    }
}

void Recorder::tooltips(HWND window) {
    const int count = static_cast<int>(SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = {};
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.lpszText = text;
        if (!SendMessageA(window, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool))) {
            continue;
        }
        auto owner = indices.find(tool.hwnd);
        long long id = static_cast<long long>(tool.uId);
        if (tool.uFlags & TTF_IDISHWND) {
            auto idWindow = indices.find(reinterpret_cast<HWND>(tool.uId));
            id = idWindow == indices.end() ? -1 : idWindow->second;
        }
        records.push_back(Record{"TT",
                                 {number(owner == indices.end() ? -1 : owner->second), number(id),
                                  hex(tool.uFlags), number(tool.rect.left), number(tool.rect.top),
                                  number(tool.rect.right), number(tool.rect.bottom), text}});
    }
}

// A window's line as compared with a running program's. The place a top-level window restores to is
// left out (another process reads only where it is now), and so is a status bar's text.
std::string summaryLine(std::vector<std::string> fields, const std::string& text) {
    if (fields[0] == "-1") {
        fields[4] = fields[5] = fields[6] = fields[7] = "?";
    }
    // The editor's status bar counts the particles of the moment.
    fields.push_back(fields[1] == STATUSCLASSNAMEA ? "" : text);
    return startup::formatRecord(Record{"W", fields});
}

// The window fields of a recorded tree, one line a window.
std::vector<std::string> summaryOf(const std::vector<Record>& records) {
    std::vector<std::string> lines;
    for (const Record& record : records) {
        if (record.tag == "W") {
            lines.push_back(summaryLine(
                std::vector<std::string>(record.fields.begin(), record.fields.begin() + 9), record.text(10)));
        }
    }
    return lines;
}

// The same lines read from another process's window.
std::vector<std::string> summaryOf(HWND top, DWORD thread, const std::set<std::string>& programClasses) {
    std::vector<std::string> lines;
    visitTree(
        top, thread, [&](const std::string& name) { return programClasses.count(name) != 0; },
        [&](HWND window, int parent) {
            lines.push_back(summaryLine(windowFields(window, parent), textOf(window)));
        });
    return lines;
}

// A program as it runs: the process and its first visible top-level window.
struct Started {
    PROCESS_INFORMATION process = {};
    double milliseconds = -1.0;
    HWND window = nullptr;
};

Started start(const std::string& commandLine) {
    Started started;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const Clock::time_point begin = Clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started.process)) {
        return started;
    }
    WaitForInputIdle(started.process.hProcess, 20000);
    started.milliseconds = milliseconds(Clock::now() - begin);
    EnumThreadWindows(started.process.dwThreadId, firstShownTopLevel,
                      reinterpret_cast<LPARAM>(&started.window));
    return started;
}

void stop(Started& started) {
    if (!started.process.hProcess) {
        return;
    }
    TerminateProcess(started.process.hProcess, 0);
    WaitForSingleObject(started.process.hProcess, 5000);
    CloseHandle(started.process.hProcess);
    CloseHandle(started.process.hThread);
    started.process = {};
}

// Lines of a against b: how many differ, the first few printed.
int differences(const char* what, const std::vector<std::string>& a, const std::vector<std::string>& b) {
    int count = 0;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string left = i < a.size() ? a[i] : "(none)";
        const std::string right = i < b.size() ? b[i] : "(none)";
        if (left != right) {
            if (++count <= 20) {
                std::printf("  %s differs at window %zu:\n    recorded %s\n    running  %s\n", what, i,
                            left.c_str(), right.c_str());
            }
        }
    }
    return count;
}

struct Subject {
    const char* name;
    std::string command;
    std::string replay;
    std::vector<std::string> summary;
    std::set<std::string> classes;
};

// Builds a program's window in this process, shows it as the program does and records it.
Subject recordProgram(const char* name, const std::string& folder, const std::function<HWND()>& build,
                      const std::function<void()>& destroy) {
    const Clock::time_point begin = Clock::now();
    HWND window = build();
    const Clock::time_point built = Clock::now();
    ShowWindow(window, SW_SHOWMAXIMIZED);
    pump();
    const Clock::time_point shown = Clock::now();
    std::printf("in process (warm): %s builds its gadgets in %.0f ms, shows and paints them in %.0f ms\n",
                name, milliseconds(built - begin), milliseconds(shown - built));
    Recorder recorder(folder + name + "-images-");
    const std::vector<Record> records = recorder.record(window);
    destroy();
    pump();

    Subject subject{name, std::string(name) + ".exe", "", summaryOf(records), {}};
    const std::string file = folder + name + ".tree";
    std::ofstream out(file);
    int windows = 0;
    for (const Record& record : records) {
        out << startup::formatRecord(record) << '\n';
        windows += record.tag == "W";
        if (record.tag == "C") {
            subject.classes.insert(record.text(0));
        }
    }
    subject.replay = "startup_replay.exe \"" + file + "\"";
    std::printf("recorded %s: %d windows, %zu records\n", name, windows, records.size());
    return subject;
}

// The running program and the replay show the recorded windows.
void checkTrees(const Subject& subject) {
    for (const std::string& command : {subject.command, subject.replay}) {
        Started started = start(command);
        const std::vector<std::string> running =
            summaryOf(started.window, started.process.dwThreadId, subject.classes);
        const int count = differences(command.c_str(), subject.summary, running);
        std::printf("tree check: %s shows %zu windows, %d differ from the record\n", command.c_str(),
                    running.size(), count);
        stop(started);
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double best(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kw-startup\\";
    CreateDirectoryA(folder.c_str(), nullptr);

    KW::Kwadro::init();
    pelmora::EditorApp* app = nullptr;
    std::vector<Subject> subjects;
    subjects.push_back(recordProgram(
        "Pelmora", folder,
        [&app] {
            app = new pelmora::EditorApp();
            return app->getWindow()->getHandle();
        },
        [&app] { delete app; }));
    demo::ShellImages images;
    KW::KWWindow* shell = nullptr;
    subjects.push_back(recordProgram(
        "Test", folder,
        [&] {
            shell = demo::buildEditorShell(images);
            return shell->getHandle();
        },
        [&shell] { delete shell; }));
    for (const Subject& subject : subjects) {
        checkTrees(subject);
    }

    // Every kind of start in each round, in turns, so a busy spell of the machine weighs on all alike.
    std::vector<double> blank;
    std::map<std::string, std::vector<double>> times;
    for (int round = 0; round < rounds; ++round) {
        Started started = start("startup_replay.exe --blank");
        blank.push_back(started.milliseconds);
        stop(started);
        for (const Subject& subject : subjects) {
            for (const std::string& command : {subject.replay, subject.command}) {
                started = start(command);
                times[command].push_back(started.milliseconds);
                stop(started);
            }
        }
    }
    std::printf("start-up to first painted window, best / median of %d, ms: blank window %.0f / %.0f\n",
                rounds, best(blank), median(blank));
    for (const Subject& subject : subjects) {
        const std::vector<double>& raw = times[subject.replay];
        const std::vector<double>& program = times[subject.command];
        std::printf(
            "  %s: raw replay %.0f / %.0f, program %.0f / %.0f; ratio to the raw replay %.2f / %.2f, to "
            "the blank window %.2f\n",
            subject.name, best(raw), median(raw), best(program), median(program), best(program) / best(raw),
            median(program) / median(raw), best(program) / best(blank));
    }
    return 0;
}
