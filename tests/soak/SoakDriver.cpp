// Starts Test or Pelmora with the soak probe enabled and drives it with seeded random real input for a
// number of seconds, sampling its health every 30 s of input. Prints the seed and one line per sample;
// ends with 0 when every threshold held, 1 on a failure, 2 on wrong arguments.
// Usage: SoakDriver <program.exe> <seconds> <seed> [example.kwfx ...]
#include "RemoteProcess.h"
#include "SoakProbe.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <cstdlib>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int roundMs = 30000;
constexpr int hangMs = 5000;
constexpr int warmUpMs = 60000;
constexpr int gdiGrowthLimit = 50;
constexpr double workingSetLimitMb = 10.0;

struct Sample {
    int headroom = 0;
    double workingSetMb = 0;
    std::vector<std::string> windows;
};

DWORD ownerOf(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner;
}

// The class of each window of the process, top-level windows marked: they and all their descendants.
// (Captions are left out: titles and field texts change as the program is used.)
struct WindowList {
    DWORD processId;
    std::vector<std::string> names;
};

BOOL CALLBACK listChild(HWND window, LPARAM data) {
    reinterpret_cast<WindowList*>(data)->names.push_back(kwe2e::classOf(window));
    return TRUE;
}

BOOL CALLBACK listTopLevel(HWND window, LPARAM data) {
    WindowList* search = reinterpret_cast<WindowList*>(data);
    if (ownerOf(window) == search->processId) {
        search->names.push_back("top:" + kwe2e::classOf(window));
        EnumChildWindows(window, listChild, data);
    }
    return TRUE;
}

std::vector<std::string> windowsOf(DWORD processId) {
    WindowList search = {processId, {}};
    EnumWindows(listTopLevel, reinterpret_cast<LPARAM>(&search));
    std::sort(search.names.begin(), search.names.end());
    return search.names;
}

// The names in `from` that `other` lacks, counted as often as they are missing.
std::string missingFrom(const std::vector<std::string>& from, const std::vector<std::string>& other) {
    std::vector<std::string> missing;
    std::set_difference(from.begin(), from.end(), other.begin(), other.end(), std::back_inserter(missing));
    std::string text;
    for (const std::string& name : missing) {
        text += " " + name;
    }
    return text;
}

struct MainSearch {
    DWORD processId;
    HWND found;
    long area;
};

BOOL CALLBACK largestWindow(HWND window, LPARAM data) {
    MainSearch* search = reinterpret_cast<MainSearch*>(data);
    RECT r;
    if (ownerOf(window) == search->processId && IsWindowVisible(window) && GetMenu(window) &&
        GetWindowRect(window, &r)) {
        const long area = static_cast<long>(r.right - r.left) * (r.bottom - r.top);
        if (area > search->area) {
            search->found = window;
            search->area = area;
        }
    }
    return TRUE;
}

// The process's largest visible top-level window with a menu bar.
HWND mainWindowOf(DWORD processId) {
    MainSearch search = {processId, nullptr, 0};
    EnumWindows(largestWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND probeOf(DWORD processId) {
    HWND probe = nullptr;
    while ((probe = FindWindowExA(HWND_MESSAGE, probe, kwsoak::probeClass, nullptr))) {
        if (ownerOf(probe) == processId) {
            return probe;
        }
    }
    return nullptr;
}

// The last actions, printed when a dialog appears so a replay can tell what opened it.
std::deque<std::string> recentActions;

void remember(const std::string& action) {
    recentActions.push_back(action);
    if (recentActions.size() > 6) {
        recentActions.pop_front();
    }
}

struct Dismissal {
    DWORD processId;
    bool discard;
};

BOOL CALLBACK dismissDialog(HWND window, LPARAM data) {
    const Dismissal* dismissal = reinterpret_cast<const Dismissal*>(data);
    if (ownerOf(window) == dismissal->processId && IsWindowVisible(window) &&
        kwe2e::classOf(window) == "#32770") {
        // Cancel where offered (questions with Cancel), else No, else OK; a closing program's question
        // whether to save is answered No.
        const bool no = GetDlgItem(window, IDNO) != nullptr;
        const int button = dismissal->discard && no       ? IDNO
                           : GetDlgItem(window, IDCANCEL) ? IDCANCEL
                           : no                           ? IDNO
                                                          : IDOK;
        std::string after;
        for (const std::string& action : recentActions) {
            after += " " + action + ";";
        }
        // A message box's text is in its static control.
        const HWND message = GetDlgItem(window, 0xFFFF);
        const std::string text = message ? " (\"" + kwe2e::textOf(message) + "\")" : "";
        std::printf("soak: dismissed dialog \"%s\"%s after:%s\n", kwe2e::textOf(window).c_str(), text.c_str(),
                    after.c_str());
        PostMessageA(window, WM_COMMAND, button, 0);
    }
    return TRUE;
}

void dismissDialogs(DWORD processId, bool discard = false) {
    Dismissal dismissal = {processId, discard};
    EnumWindows(dismissDialog, reinterpret_cast<LPARAM>(&dismissal));
}

struct PaneSearch {
    std::vector<HWND> panes;
};

BOOL CALLBACK collectPane(HWND window, LPARAM data) {
    RECT r;
    if (IsWindowVisible(window) && GetWindowRect(window, &r) && r.right - r.left >= 8 &&
        r.bottom - r.top >= 8) {
        reinterpret_cast<PaneSearch*>(data)->panes.push_back(window);
    }
    return TRUE;
}

// Visible child windows of the main window, at all depths.
std::vector<HWND> panesOf(HWND mainWindow) {
    PaneSearch search;
    EnumChildWindows(mainWindow, collectPane, reinterpret_cast<LPARAM>(&search));
    return search.panes;
}

void key(WORD virtualKey, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
}

void press(WORD virtualKey, bool control = false) {
    if (control) {
        key(VK_CONTROL, true);
    }
    key(virtualKey, true);
    key(virtualKey, false);
    if (control) {
        key(VK_CONTROL, false);
    }
    Sleep(15);
}

void typeCharacter(wchar_t c) {
    INPUT input[2] = {};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = c;
        i.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(15);
}

void wheel(int clicks) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = static_cast<DWORD>(clicks * WHEEL_DELTA);
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

// The window with the keyboard focus in the foreground thread, whichever process owns it.
HWND foregroundFocus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(0, &info) ? info.hwndFocus : nullptr;
}

class Driver {
public:
    Driver(HWND mainWindow, HWND probe, unsigned seed) : mainWindow(mainWindow), probe(probe), random(seed) {}

    // One random action of real input; returns its name.
    const char* act() {
        detail.clear();
        const char* name = actOnce();
        remember(name + detail);
        return name;
    }

    int pick(int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); }

private:
    // Where the last action pressed, for the history.
    void pressedAt(POINT p) {
        detail = " " + kwe2e::classOf(WindowFromPoint(p)) + " at " + std::to_string(p.x) + "," +
                 std::to_string(p.y);
    }

    const char* actOnce() {
        const int choice = pick(100);
        std::vector<HWND> panes = panesOf(mainWindow);
        if (panes.empty()) {
            return "none";
        }
        const HWND pane = panes[static_cast<size_t>(pick(static_cast<int>(panes.size())))];
        SetForegroundWindow(mainWindow);
        // Presses never open a file dialog: the probe names the buttons that would.
        if (choice < 30) {
            const POINT p = pointIn(pane);
            if (!safeAt(p)) {
                return "skip";
            }
            pressedAt(p);
            kwe2e::clickAt(p.x, p.y);
            return "click";
        }
        if (choice < 45) {
            const POINT from = pointIn(pane), to = pointIn(pane);
            if (!safeAt(from) || !safeAt(to)) {
                return "skip";
            }
            pressedAt(from);
            kwe2e::moveMouse(from.x, from.y);
            kwe2e::leftButton(true);
            for (int step = 1; step <= 4; ++step) {
                kwe2e::moveMouse(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
            }
            kwe2e::leftButton(false);
            return "drag";
        }
        if (choice < 58) {
            const POINT p = pointIn(pane);
            kwe2e::moveMouse(p.x, p.y);
            wheel(pick(7) - 3);
            return "wheel";
        }
        if (choice < 70) {
            return typeIntoField(panes);
        }
        if (choice < 82) {
            return command(kwsoak::probeCommandCount, kwsoak::probePostCommand) ? "menu" : "none";
        }
        if (choice < 87) {
            return command(kwsoak::probeThemeCount, kwsoak::probePostTheme) ? "theme" : "none";
        }
        if (choice < 95) {
            const int undos = 5 + pick(20), redos = pick(undos + 1);
            for (int i = 0; i < undos; ++i) {
                press('Z', true);
            }
            for (int i = 0; i < redos; ++i) {
                press('Y', true);
            }
            return "undo-redo";
        }
        if (choice < 97) {
            return dockMove();
        }
        static const WORD keys[] = {VK_TAB,   VK_LEFT,   VK_RIGHT, VK_UP, VK_DOWN,
                                    VK_SPACE, VK_ESCAPE, VK_HOME,  VK_END};
        const WORD chosen = keys[pick(static_cast<int>(sizeof(keys) / sizeof(keys[0])))];
        if (chosen == VK_SPACE && !focusSafe()) {
            return "skip";
        }
        detail = " " + std::to_string(chosen) + " to " + kwe2e::classOf(foregroundFocus());
        press(chosen);
        return "key";
    }

    POINT pointIn(HWND pane) {
        RECT r;
        GetWindowRect(pane, &r);
        return {r.left + 2 + pick(std::max(1, static_cast<int>(r.right - r.left) - 4)),
                r.top + 2 + pick(std::max(1, static_cast<int>(r.bottom - r.top) - 4))};
    }

    const char* typeIntoField(const std::vector<HWND>& panes) {
        std::vector<HWND> fields;
        for (HWND pane : panes) {
            if (kwe2e::classOf(pane) == "Edit") {
                fields.push_back(pane);
            }
        }
        // Without an open field the keys go to a clicked pane, where a grid or list starts editing.
        const std::vector<HWND>& targets = fields.empty() ? panes : fields;
        const HWND field = targets[static_cast<size_t>(pick(static_cast<int>(targets.size())))];
        const POINT p = pointIn(field);
        if (!safeAt(p)) {
            return "skip";
        }
        pressedAt(p);
        kwe2e::clickAt(p.x, p.y);
        if (!focusSafe()) {
            return "skip";
        }
        // Sometimes the typing replaces all or part of the text, sometimes it goes in at the click.
        const int selection = pick(3);
        if (selection > 0) {
            press(VK_HOME);
            key(VK_SHIFT, true);
            if (selection == 1) {
                press(VK_END);
            }
            for (int i = selection == 2 ? pick(6) : -1; i >= 0; --i) {
                press(VK_RIGHT);
            }
            key(VK_SHIFT, false);
        }
        static const wchar_t characters[] = L"0123456789.-+eE abcxyz\x00e9\x4e2d";
        const int length = 1 + pick(8);
        for (int i = 0; i < length; ++i) {
            typeCharacter(characters[pick(static_cast<int>(wcslen(characters)))]);
        }
        press(pick(2) && focusSafe() ? VK_RETURN : VK_TAB);
        return "type";
    }

    // A point of a docked pane (see kwsoak::probeDockPoint), or {0, 0}.
    POINT dockPoint(WPARAM pane, LPARAM which) {
        DWORD_PTR point = 0;
        SendMessageTimeoutA(probe, kwsoak::probeDockPoint, pane, which, SMTO_NORMAL, hangMs, &point);
        return {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    }

    // Drags a docked pane by its title band to somewhere in its dock; nothing without a dock.
    const char* dockMove() {
        const WPARAM pane = static_cast<WPARAM>(pick(64));
        const POINT from = dockPoint(pane, kwsoak::probeBand);
        if (from.x == 0 && from.y == 0) {
            return "none";
        }
        const POINT topLeft = dockPoint(pane, kwsoak::probeDockTopLeft);
        const POINT bottomRight = dockPoint(pane, kwsoak::probeDockBottomRight);
        const POINT to = {topLeft.x + 4 + pick(std::max(1, static_cast<int>(bottomRight.x - topLeft.x) - 8)),
                          topLeft.y + 4 + pick(std::max(1, static_cast<int>(bottomRight.y - topLeft.y) - 8))};
        kwe2e::moveMouse(from.x, from.y);
        kwe2e::leftButton(true);
        for (int step = 1; step <= 8; ++step) {
            kwe2e::moveMouse(from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8);
            Sleep(15);
        }
        kwe2e::leftButton(false);
        return "dock";
    }

    bool ask(UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(probe, message, wParam, lParam, SMTO_NORMAL, hangMs, &answer) &&
               answer != 0;
    }

    bool safeAt(POINT p) { return ask(kwsoak::probeSafeToPress, 0, MAKELPARAM(p.x, p.y)); }

    bool focusSafe() { return ask(kwsoak::probeSafeToPress, kwsoak::probeAtFocus, 0); }

    bool command(UINT countMessage, UINT postMessage) {
        DWORD_PTR count = 0, id = 0;
        if (!SendMessageTimeoutA(probe, countMessage, 0, 0, SMTO_NORMAL, hangMs, &count) || count == 0) {
            return false;
        }
        const WPARAM index = static_cast<WPARAM>(pick(static_cast<int>(count)));
        const bool posted =
            SendMessageTimeoutA(probe, postMessage, index, 0, SMTO_NORMAL, hangMs, &id) && id != 0;
        lastCommand = static_cast<unsigned>(id);
        detail = " " + std::to_string(lastCommand);
        return posted;
    }

public:
    unsigned lastCommand = 0;

private:
    HWND mainWindow;
    HWND probe;
    std::mt19937 random;
    std::string detail;
};

double workingSetMb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

bool responds(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, hangMs, &result) != 0;
}

std::string fullPath(const char* path) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return full;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// A second, short-lived instance opens the file from its command line, answers, and closes cleanly.
bool openByCommandLine(const std::string& program, const std::string& file) {
    kwe2e::RemoteProcess second(program, folderOf(program), file.empty() ? "" : "\"" + file + "\"");
    HWND window = nullptr;
    kwe2e::waitUntil(30000, [&] {
        dismissDialogs(second.id());
        window = mainWindowOf(second.id());
        return window != nullptr;
    });
    if (!window || !responds(window)) {
        std::printf("soak: FAIL the instance opening \"%s\" showed no answering window\n", file.c_str());
        return false;
    }
    Sleep(1000);
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    for (int i = 0; i < 40 && code == STILL_ACTIVE; ++i) {
        dismissDialogs(second.id());
        code = second.waitForExit(500);
    }
    std::printf("soak: opened \"%s\" in a second instance, exit code %lu\n", file.c_str(), code);
    if (code != 0) {
        std::printf("soak: FAIL the instance opening \"%s\" did not end cleanly\n", file.c_str());
    }
    return code == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: SoakDriver <program.exe> <seconds> <seed> [example ...]\n");
        return 2;
    }
    const std::string program = fullPath(argv[1]);
    const int seconds = std::atoi(argv[2]);
    const unsigned seed = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
    std::vector<std::string> examples;
    for (int i = 4; i < argc; ++i) {
        examples.push_back(fullPath(argv[i]));
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("soak: %s for %d s, seed %u\n", program.c_str(), seconds, seed);

    kwe2e::UserFolder settings;
    SetEnvironmentVariableA(kwsoak::probeVariable, "1");
    kwe2e::RemoteProcess target(program, folderOf(program));
    HWND mainWindow = nullptr, probe = nullptr;
    kwe2e::waitUntil(30000, [&] {
        mainWindow = mainWindowOf(target.id());
        probe = probeOf(target.id());
        return mainWindow && probe;
    });
    if (!mainWindow || !probe) {
        std::printf("soak: FAIL the program showed no main window or no probe (seed %u)\n", seed);
        return 1;
    }
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, target.id());
    Sleep(2000);
    DWORD_PTR commands = 0, themes = 0;
    SendMessageTimeoutA(probe, kwsoak::probeCommandCount, 0, 0, SMTO_NORMAL, hangMs, &commands);
    SendMessageTimeoutA(probe, kwsoak::probeThemeCount, 0, 0, SMTO_NORMAL, hangMs, &themes);
    std::printf("soak: %u menu commands to choose from, %u of them themes\n", static_cast<unsigned>(commands),
                static_cast<unsigned>(themes));

    Driver driver(mainWindow, probe, seed);
    const DWORD start = GetTickCount();
    Sample first, baseline;
    bool baselineTaken = false;
    int failures = 0;
    std::printf(
        "soak: sample  seconds  headroom  gdi-growth  working-set-MB  ws-growth-MB  windows  actions\n");
    for (int round = 0;; ++round) {
        int actions = 0;
        std::map<std::string, int> tally;
        if (round > 0) {
            const DWORD roundStart = GetTickCount();
            while (GetTickCount() - roundStart < static_cast<DWORD>(roundMs)) {
                const char* action = driver.act();
                ++tally[action];
                ++actions;
                Sleep(40);
                dismissDialogs(target.id());
                if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0 || !IsWindow(mainWindow)) {
                    DWORD code = 0;
                    GetExitCodeProcess(process, &code);
                    std::printf("soak: FAIL the program ended (exit code 0x%lx) in round %d (seed %u)\n",
                                code, round, seed);
                    return 1;
                }
                if (!responds(mainWindow)) {
                    std::printf(
                        "soak: FAIL the program hung over %d ms in round %d after %s (last command %u, "
                        "seed %u)\n",
                        hangMs, round, action, driver.lastCommand, seed);
                    return 1;
                }
            }
            // Between rounds: menus, boxes and drags are closed, then the examples open by command line.
            for (int i = 0; i < 3; ++i) {
                press(VK_ESCAPE);
                dismissDialogs(target.id());
                Sleep(300);
            }
            if (!examples.empty() || round % 4 == 0) {
                const std::string file =
                    examples.empty() ? "" : examples[static_cast<size_t>(round) % examples.size()];
                failures += openByCommandLine(program, file) ? 0 : 1;
            }
            Sleep(1000);
        }
        DWORD_PTR headroom = 0;
        if (!SendMessageTimeoutA(probe, kwsoak::probeHeadroom, 0, 0, SMTO_NORMAL, 4 * hangMs, &headroom)) {
            std::printf("soak: FAIL the probe did not answer after round %d (seed %u)\n", round, seed);
            return 1;
        }
        Sample sample;
        sample.headroom = static_cast<int>(headroom);
        sample.workingSetMb = workingSetMb(process);
        sample.windows = windowsOf(target.id());
        const int elapsed = static_cast<int>((GetTickCount() - start) / 1000);
        if (round == 0) {
            first = sample;
        }
        if (!baselineTaken && round * roundMs >= warmUpMs) {
            baseline = sample;
            baselineTaken = true;
        }
        const Sample& reference = baselineTaken ? baseline : first;
        const int growth = kwsoak::objectGrowth(reference.headroom, sample.headroom);
        const double wsGrowth = sample.workingSetMb - reference.workingSetMb;
        std::printf("soak: %6d  %7d  %8d  %10d  %14.1f  %12.1f  %7d  %7d\n", round, elapsed, sample.headroom,
                    growth, sample.workingSetMb, wsGrowth, static_cast<int>(sample.windows.size()), actions);
        if (!tally.empty()) {
            std::string kinds;
            for (const auto& kind : tally) {
                kinds += " " + kind.first + " " + std::to_string(kind.second);
            }
            std::printf("soak:         input of round %d:%s\n", round, kinds.c_str());
        }
        if (baselineTaken && growth >= gdiGrowthLimit) {
            std::printf("soak: FAIL GDI objects grew by %d after the first minute (seed %u)\n", growth, seed);
            ++failures;
        }
        if (baselineTaken && wsGrowth >= workingSetLimitMb) {
            std::printf("soak: FAIL the working set grew by %.1f MB after the first minute (seed %u)\n",
                        wsGrowth, seed);
            ++failures;
        }
        if (sample.windows.size() != first.windows.size()) {
            std::printf("soak: FAIL %d windows after round %d, %d at the start (seed %u)\n",
                        static_cast<int>(sample.windows.size()), round,
                        static_cast<int>(first.windows.size()), seed);
            std::printf("soak:   new:%s\nsoak:   gone:%s\n",
                        missingFrom(sample.windows, first.windows).c_str(),
                        missingFrom(first.windows, sample.windows).c_str());
            ++failures;
        }
        if (failures > 0 || elapsed >= seconds) {
            break;
        }
    }
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    for (int i = 0; i < 20 && target.waitForExit(500) == STILL_ACTIVE; ++i) {
        dismissDialogs(target.id(), true);
    }
    CloseHandle(process);
    std::printf("soak: %s (seed %u)\n", failures == 0 ? "PASS" : "FAIL", seed);
    return failures == 0 ? 0 : 1;
}
