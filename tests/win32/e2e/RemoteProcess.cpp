#include "RemoteProcess.h"

#include "menu_probe/MenuProbe.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>

namespace kwe2e {

namespace {

struct WindowSearch {
    DWORD processId;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK matchCaption(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && textOf(window) == *search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct DialogSearch {
    DWORD processId;
    std::vector<HWND>* alreadyRead;
    std::vector<DialogText> found;
};

BOOL CALLBACK readAndCloseDialog(HWND window, LPARAM data) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || classOf(window) != "#32770" || !IsWindowVisible(window)) {
        return TRUE;
    }
    // A box posted its close a moment ago may still be on screen: read each box once.
    for (HWND read : *search->alreadyRead) {
        if (read == window) {
            return TRUE;
        }
    }
    search->alreadyRead->push_back(window);
    char text[1024] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
    search->found.push_back({textOf(window), text});
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

struct ChildSearch {
    const std::string* className;
    const std::string* text;
    std::vector<HWND> found;
};

BOOL CALLBACK matchChild(HWND window, LPARAM data) {
    ChildSearch* search = reinterpret_cast<ChildSearch*>(data);
    const bool classMatches = search->className->empty() || classOf(window) == *search->className;
    const bool textMatches = search->text->empty() || textOf(window) == *search->text;
    if (classMatches && textMatches) {
        search->found.push_back(window);
    }
    return TRUE;
}

} // namespace

RemoteProcess::RemoteProcess(const std::string& program, const std::string& workingDirectory,
                             const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &info)) {
        info = {};
    }
}

RemoteProcess::~RemoteProcess() {
    if (info.hProcess) {
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info.hProcess, 99);
            WaitForSingleObject(info.hProcess, 5000);
        }
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
}

HWND RemoteProcess::waitForWindow(const std::string& caption, int timeoutMs) {
    WindowSearch search = {info.dwProcessId, &caption, nullptr};
    waitUntil(timeoutMs, [&search] {
        EnumWindows(matchCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

DWORD RemoteProcess::waitForExit(int timeoutMs) {
    if (!info.hProcess || WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

LRESULT RemoteProcess::sendWithBuffer(HWND window, UINT msg, WPARAM wParam, void* record, size_t size) {
    void* remote = VirtualAllocEx(info.hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) {
        return 0;
    }
    SIZE_T moved = 0;
    WriteProcessMemory(info.hProcess, remote, record, size, &moved);
    const LRESULT result = SendMessageA(window, msg, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(info.hProcess, remote, record, size, &moved);
    VirtualFreeEx(info.hProcess, remote, 0, MEM_RELEASE);
    return result;
}

std::string RemoteProcess::listItemText(HWND list, int row, int column) {
    struct Block {
        LVITEMA item;
        char text[256];
    };
    Block* remote = static_cast<Block*>(
        VirtualAllocEx(info.hProcess, nullptr, sizeof(Block), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote) {
        return std::string();
    }
    Block block = {};
    block.item.iSubItem = column;
    block.item.pszText = remote->text;
    block.item.cchTextMax = sizeof(block.text);
    SIZE_T moved = 0;
    WriteProcessMemory(info.hProcess, remote, &block, sizeof(block), &moved);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&remote->item),
                        SMTO_ABORTIFHUNG, 2000, &length);
    ReadProcessMemory(info.hProcess, remote, &block, sizeof(block), &moved);
    VirtualFreeEx(info.hProcess, remote, 0, MEM_RELEASE);
    block.text[sizeof(block.text) - 1] = '\0';
    return block.text;
}

std::vector<DialogText> closeMessageBoxes(DWORD processId, std::vector<HWND>& alreadyRead) {
    DialogSearch search = {processId, &alreadyRead, {}};
    EnumWindows(readAndCloseDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> findChildren(HWND parent, const std::string& className, const std::string& text) {
    ChildSearch search = {&className, &text, {}};
    EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> menuBarTitles(HWND window) {
    return readMenuBar(window, 0);
}

std::vector<RECT> menuBarItemRects(HWND window) {
    std::vector<RECT> rects;
    for (const std::string& line : readMenuBar(window, menuProbeRects)) {
        RECT item = {};
        sscanf(line.c_str(), "%ld %ld %ld %ld", &item.left, &item.top, &item.right, &item.bottom);
        rects.push_back(item);
    }
    return rects;
}

std::vector<std::string> readMenuBar(HWND window, WPARAM what) {
    std::vector<std::string> titles;
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(menuProbeSize), menuProbeMapping);
    HMODULE probe = LoadLibraryA(menuProbeLibrary);
    HOOKPROC hook =
        probe ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, menuProbeEntry)))
              : nullptr;
    HHOOK installed = hook && mapping ? SetWindowsHookExA(WH_CALLWNDPROC, hook, probe,
                                                          GetWindowThreadProcessId(window, nullptr))
                                      : nullptr;
    if (installed) {
        SendMessageTimeoutA(window, RegisterWindowMessageA(menuProbeMessage), what, 0, SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        UnhookWindowsHookEx(installed);
        if (const char* shared = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0))) {
            const std::string all(shared, std::find(shared, shared + menuProbeSize, '\0'));
            for (size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos; start = end + 1) {
                titles.push_back(all.substr(start, end - start));
            }
            UnmapViewOfFile(shared);
        }
    }
    if (probe) {
        FreeLibrary(probe);
    }
    if (mapping) {
        CloseHandle(mapping);
    }
    return titles;
}

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string textOf(HWND window) {
    char text[512] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return text;
}

RECT rectIn(HWND window, HWND reference) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void moveMouse(int x, int y) {
    SetCursorPos(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

void leftButton(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

void clickAt(int x, int y) {
    moveMouse(x, y);
    leftButton(true);
    leftButton(false);
}

bool waitUntil(int timeoutMs, const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

namespace {

std::string userFolderPath() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "kw_e2e_appdata";
}

} // namespace

UserFolder::UserFolder() : path(userFolderPath()) {
    CreateDirectoryA(path.c_str(), nullptr);
    SetEnvironmentVariableA("APPDATA", path.c_str());
}

UserFolder::~UserFolder() {
    SetEnvironmentVariableA("APPDATA", nullptr);
    const std::string list = path + '\0';
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = list.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationA(&remove);
}

std::string UserFolder::text(const std::string& relativePath) const {
    std::ifstream file(path + "\\" + relativePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace kwe2e
