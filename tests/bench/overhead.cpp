// Measures what the library adds over the platform: gadget creation against raw CreateWindowExA,
// lock-to-parent alignment against raw SetWindowPos, and one splitter drag step in the editor shell.
#include "EditorShell.h"
#include "TestSupport.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace KW;

namespace {

constexpr int count = 1000;

double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Pair {
    double library;
    double raw;
};

// The best of several runs of each side, the two sides taking turns so that a busy spell of the machine
// weighs on both alike.
Pair bestOf(int runs, const std::function<double()>& library, const std::function<double()>& raw) {
    Pair best = {1e300, 1e300};
    for (int i = 0; i < runs; ++i) {
        const double l = library();
        const double r = raw();
        best.library = l < best.library ? l : best.library;
        best.raw = r < best.raw ? r : best.raw;
    }
    return best;
}

HWND rawChild(const char* className, const char* text, DWORD style, HWND parent, DWORD exStyle = 0) {
    HWND window = CreateWindowExA(exStyle, className, text, style, 0, 0, 80, 20, parent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return window;
}

void report(const char* what, const Pair& best) {
    std::printf("%-44s library %9.2f ms   raw %9.2f ms   ratio %.3f\n", what, best.library, best.raw,
                best.library / best.raw);
}

void compareCreation(const char* what, const std::function<void(KWObject*)>& viaLibrary,
                     const std::function<void(HWND)>& viaPlatform) {
    auto library = [&] {
        KWWindow* host = KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 400, 300, "host", nullptr, 0);
        const double t = millisecondsOf([&] {
            for (int i = 0; i < count; ++i) {
                viaLibrary(host);
            }
        });
        delete host;
        return t;
    };
    auto raw = [&] {
        HWND host = CreateWindowExA(0, "KWWINDOW", "host", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 400, 300,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        const double t = millisecondsOf([&] {
            for (int i = 0; i < count; ++i) {
                viaPlatform(host);
            }
        });
        DestroyWindow(host);
        return t;
    };
    report(what, bestOf(5, library, raw));
}

// Both sides resize a host between two widths. The library's host places its 1,000 locked children
// itself on WM_SIZE; the raw host has unlocked children that are placed by hand, after the resize, at the
// very rectangles the library computed for that width.
void compareAlignment() {
    const int widths[2] = {800, 820};
    KWWindow* host = KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, widths[0], 600, "host", nullptr, 0);
    std::vector<KWObject*> children;
    for (int i = 0; i < count; ++i) {
        KWWindow* child =
            KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, i % 40, (i / 40) * 2, 30, 10, "", host, 0);
        child->lockToParent(static_cast<eLockType>(1 + i % 8));
        children.push_back(child);
    }
    auto resize = [](HWND window, int width) {
        SetWindowPos(window, nullptr, 0, 0, width, 600, SWP_NOMOVE | SWP_NOZORDER);
    };
    std::vector<RECT> placed[2];
    // Wider first: a resize to the width the window already has would not send WM_SIZE.
    for (int w : {1, 0}) {
        resize(host->getHandle(), widths[w]);
        for (KWObject* child : children) {
            placed[w].push_back(child->getLocalBounds().toRect());
        }
    }
    int next = 0;
    auto library = [&] {
        next = 1 - next;
        return millisecondsOf([&] { resize(host->getHandle(), widths[next]); });
    };

    HWND rawHost = CreateWindowExA(0, "KWWINDOW", "raw", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, widths[0],
                                   600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::vector<HWND> rawChildren;
    for (const RECT& r : placed[0]) {
        rawChildren.push_back(CreateWindowExA(0, "KWWINDOW", "", WS_CHILD | WS_VISIBLE, r.left, r.top,
                                              r.right - r.left, r.bottom - r.top, rawHost, nullptr,
                                              GetModuleHandleA(nullptr), nullptr));
    }
    int rawNext = 0;
    auto raw = [&] {
        rawNext = 1 - rawNext;
        return millisecondsOf([&] {
            resize(rawHost, widths[rawNext]);
            for (int i = 0; i < count; ++i) {
                const RECT& r = placed[rawNext][i];
                SetWindowPos(rawChildren[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             SWP_NOZORDER);
            }
        });
    };
    report("WM_SIZE with 1000 locked children", bestOf(10, library, raw));
    DestroyWindow(rawHost);
    delete host;
}

void measureSplitterDrag() {
    demo::ShellImages images;
    KWWindow* shell = demo::buildEditorShell(images);
    ShowWindow(shell->getHandle(), SW_SHOW);
    kwtest::pumpMessages();
    HWND window = shell->getHandle();
    // The first splitter starts at x 155, 4 wide; hover it, then drag it back and forth by 10 pixels.
    const int y = 200;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(156, y));
    const int steps = 200;
    const double total = millisecondsOf([&] {
        for (int i = 0; i < steps; ++i) {
            const int x = 156 + ((i % 2) ? 10 : 0);
            SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        }
    });
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(156, y));
    std::printf("%-44s %9.3f ms per step\n", "splitter drag step in the editor shell", total / steps);
    delete shell;
}

} // namespace

int main() {
    Kwadro::init();
    std::printf("Library against the platform, %d gadgets each (best of several runs):\n", count);
    compareCreation(
        "create 1000 buttons",
        [](KWObject* parent) { KWButton::create(STYLE_DEFAULT, "Button", 0, 0, 80, 20, parent, 0); },
        [](HWND parent) { rawChild("Button", "Button", WS_CHILD | WS_VISIBLE | BS_FLAT, parent); });
    compareCreation(
        "create 1000 edits",
        [](KWObject* parent) { KWEdit::create(STYLE_DEFAULT, "Edit", 0, 0, 80, 20, parent, 0); },
        [](HWND parent) {
            rawChild("Edit", "Edit", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, parent, WS_EX_CLIENTEDGE);
        });
    compareCreation(
        "create 1000 spin boxes",
        [](KWObject* parent) {
            KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 80, 20, 0.0f, 10.0f, 0.1f, true, true, parent, 0);
        },
        [](HWND parent) {
            HWND panel = CreateWindowExA(0, "KWPANEL", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent,
                                         nullptr, GetModuleHandleA(nullptr), nullptr);
            HWND edit =
                rawChild("Edit", "1.00000", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, panel, WS_EX_CLIENTEDGE);
            CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 64, 0, 16, 20, panel, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
            SetWindowPos(edit, nullptr, 0, 0, 64, 20, SWP_NOZORDER);
        });
    compareAlignment();
    measureSplitterDrag();
    return 0;
}
