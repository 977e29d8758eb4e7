#include "RemoteProcess.h"

#include <chrono>
#include <functional>
#include <thread>

namespace kwe2e {

namespace {

bool waitFor(int timeoutMs, const std::function<bool()>& condition);

} // namespace

RemoteProcess::RemoteProcess(const std::string& program, const std::string& workingDirectory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + program + "\"";
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
    struct Search {
        DWORD processId;
        const std::string* caption;
        HWND found;
    } search = {info.dwProcessId, &caption, nullptr};
    waitFor(timeoutMs, [&search] {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                Search* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == s->processId && IsWindowVisible(window) && textOf(window) == *s->caption) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
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

std::vector<DialogText> closeMessageBoxes(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<DialogText> found;
    } search = {processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            Search* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && classOf(window) == "#32770" && IsWindowVisible(window)) {
                char text[1024] = {};
                GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
                s->found.push_back({textOf(window), text});
                PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> findChildren(HWND parent, const std::string& className, const std::string& text) {
    struct Search {
        const std::string* className;
        const std::string* text;
        std::vector<HWND> found;
    } search = {&className, &text, {}};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            Search* s = reinterpret_cast<Search*>(data);
            const bool classMatches = s->className->empty() || classOf(window) == *s->className;
            const bool textMatches = s->text->empty() || textOf(window) == *s->text;
            if (classMatches && textMatches) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string textOf(HWND window) {
    char text[512] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
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

namespace {

bool waitFor(int timeoutMs, const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

} // namespace

} // namespace kwe2e
