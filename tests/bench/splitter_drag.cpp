// Time per splitter drag step (WM_MOUSEMOVE with MK_LBUTTON): in a window laid out like an editor, in the
// windows of both programs (Test's shell and Pelmora, built in-process from their sources), and in a
// window with 1,000 docked gadgets against the same moves made in raw Win32 with one deferred batch.
// Prints figures only.
#include "WindowBench.h"

#include "EditorApp.h"
#include "EditorShell.h"
#include "Preview.h"

#include <KW.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace KW;

namespace {

using Clock = std::chrono::steady_clock;

// What one drag step makes the system do, counted by a hook on the thread's sent messages and by the
// pump: moves (WM_WINDOWPOSCHANGED), WM_SIZE, background erases, frame paints and client paints.
struct Census {
    int moves = 0;
    int sizes = 0;
    int erases = 0;
    int frames = 0;
    int paints = 0;
};

Census* counting = nullptr;

void tally(UINT message) {
    if (!counting) {
        return;
    }
    switch (message) {
    case WM_WINDOWPOSCHANGED:
        ++counting->moves;
        break;
    case WM_SIZE:
        ++counting->sizes;
        break;
    case WM_ERASEBKGND:
        ++counting->erases;
        break;
    case WM_NCPAINT:
        ++counting->frames;
        break;
    case WM_PAINT:
        ++counting->paints;
        break;
    default:
        break;
    }
}

LRESULT CALLBACK countSent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        tally(reinterpret_cast<const CWPSTRUCT*>(lParam)->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        tally(msg.message);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The CPU time this thread has used, in microseconds.
double threadCpuMicroseconds() {
    return bench::threadCpuMilliseconds() * 1000.0;
}

// Microseconds of each call of step(i), over count calls, on the clock and in this thread's CPU time.
// The machine is shared: its load varies by the second, so the median says more than the mean.
struct Samples {
    std::vector<double> values;
    double cpu = 0;

    void add(const Samples& more) {
        values.insert(values.end(), more.values.begin(), more.values.end());
        cpu += more.cpu;
    }
    // The CPU time per call (the clock ticks too coarsely to time one call).
    double cpuMean() const { return values.empty() ? 0 : cpu / values.size(); }
    double mean() const {
        double total = 0;
        for (double value : values) {
            total += value;
        }
        return values.empty() ? 0 : total / values.size();
    }
    double median() const {
        std::vector<double> sorted(values);
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[sorted.size() / 2];
    }
};

Samples timeEach(int count, const std::function<void(int)>& step) {
    Samples samples;
    const double cpuStart = threadCpuMicroseconds();
    for (int i = 0; i < count; ++i) {
        const Clock::time_point start = Clock::now();
        step(i);
        samples.values.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    samples.cpu = threadCpuMicroseconds() - cpuStart;
    return samples;
}

// Microseconds per call of step(i), over count calls.
double microsecondsPer(int count, const std::function<void(int)>& step) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        step(i);
    }
    const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / count;
}

// The messages of steps calls of step(i), per call.
void printCensus(const char* label, int steps, const std::function<void(int)>& step) {
    Census census;
    counting = &census;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, countSent, nullptr, GetCurrentThreadId());
    for (int i = 0; i < steps; ++i) {
        step(i);
    }
    UnhookWindowsHookEx(hook);
    counting = nullptr;
    std::printf("%-44s per step: %6.1f moves %6.1f WM_SIZE %6.1f erases %6.1f frame paints %6.1f paints\n",
                label, census.moves / double(steps), census.sizes / double(steps),
                census.erases / double(steps), census.frames / double(steps), census.paints / double(steps));
}

// A drag back and forth between low and high, one pixel per step.
struct Stroke {
    int low;
    int high;
    int at(int i) const {
        const int span = high - low;
        const int phase = i % (2 * span);
        return low + (phase < span ? phase : 2 * span - phase);
    }
};

struct DragFigures {
    Samples handling;
    Samples painted;
};

// Grabs the bar at grab, one pixel past its leading edge (the mouse at across along the bar), drags it
// along stroke and puts it back. Returns the microseconds of each step, for the message alone and with
// the repaint pumped; prints their mean and median with the release unless quiet, and when census is set
// what one step with its repaint sends.
DragFigures measureDrag(const char* label, KWWindow* frame, bool vertical, int grab, int across,
                        const Stroke& stroke, int steps, bool census = false, bool quiet = false) {
    HWND window = frame->getHandle();
    const auto at = [vertical, across](int position) {
        return vertical ? MAKELPARAM(position, across) : MAKELPARAM(across, position);
    };
    SendMessageA(window, WM_MOUSEMOVE, 0, at(grab));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(grab));
    pump();
    const auto step = [&](int i) { SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(stroke.at(i + 1))); };
    const auto paintedStep = [&](int i) {
        step(i);
        pump();
    };
    DragFigures figures;
    figures.handling = timeEach(steps, step);
    figures.painted = timeEach(steps, paintedStep);
    if (census) {
        printCensus(label, 4, paintedStep);
    }
    // Back where it was before the grab, so the next measurement finds it there.
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(grab - 1));
    const double release =
        microsecondsPer(1, [&](int) { SendMessageA(window, WM_LBUTTONUP, 0, at(grab - 1)); });
    pump();
    if (!quiet) {
        std::printf("%-44s drag step mean %8.1f (median %8.1f, own CPU %8.1f) us   with repaint mean %8.1f "
                    "(median %8.1f, own CPU %8.1f) us   release %7.1f us\n",
                    label, figures.handling.mean(), figures.handling.median(), figures.handling.cpuMean(),
                    figures.painted.mean(), figures.painted.median(), figures.painted.cpuMean(), release);
    }
    return figures;
}

KWWindow* pane(KWWindow* parent, int left, int right, int top, int bottom) {
    return KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, left, top, right - left, bottom - top, "", parent,
                            0);
}

// A pane with rows of locked children, as a property list or a tool panel would have.
KWWindow* filledPane(KWWindow* parent, int left, int right, int top, int bottom, int rows) {
    KWWindow* area = pane(parent, left, right, top, bottom);
    for (int i = 0; i < rows; ++i) {
        KWWindow* row = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 4, 4 + 22 * i, 100, 20, "", area, 0);
        row->lockToParent(LOCK_STRETCH_RIGHT);
    }
    area->doAlignment();
    return area;
}

void editorLayout() {
    KWWindow* frame = KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 1200, 800, "Editor", nullptr, 0);
    RECT client = {};
    GetClientRect(frame->getHandle(), &client);
    const int width = client.right;
    const int height = client.bottom;

    KWWindow* tree = filledPane(frame, 0, 250, 0, height, 30);
    KWWindow* viewport = pane(frame, 254, 900, 0, 550);
    KWWindow* output = filledPane(frame, 254, 900, 554, height, 8);
    KWWindow* properties = filledPane(frame, 904, width, 0, height, 30);
    tree->lockToParent(LOCK_STRETCH_BOTTOM);
    properties->lockToParent(LOCK_RIGHT_STRETCH_BOTTOM);
    output->lockToParent(LOCK_BOTTOM);

    frame->addVerticalSplitter(1, 250, 4, 100, 500, true);
    frame->addFromLeft(1, tree);
    frame->addFromRight(1, viewport);
    frame->addFromRight(1, output);
    frame->addVerticalSplitter(2, 900, 4, 150, 600, false);
    frame->addFromLeft(2, viewport);
    frame->addFromLeft(2, output);
    frame->addFromRight(2, properties);
    frame->addHorizontalSplitter(3, 550, 4, 100, 700, true);
    frame->addFromTop(3, viewport);
    frame->addFromBottom(3, output);
    pump();

    measureDrag("editor, tree bar (3 docked)", frame, true, 251, 300, {120, 480}, 100, true);
    measureDrag("editor, properties bar (3 docked)", frame, true, 901, 300, {700, 1000}, 100);
    measureDrag("editor, output bar (2 docked)", frame, false, 551, 500, {200, 650}, 100);

    const double hover = microsecondsPer(2000, [&](int i) {
        SendMessageA(frame->getHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(240 + (i % 30), 300));
    });
    std::printf("%-44s hover move %8.1f us\n", "editor, no button", hover);
    delete frame;
    pump();
}

// The panes of the demonstration program's layout, in the order it creates them.
enum Pane { Status, Toolbar, Scene, Graphs, Elements, Properties, View };

KWBound paneEdges(KWWindow* window, Pane pane) {
    return window->getChild(pane)->getLocalBounds();
}

// Drags each of the four bars of a program's window over 40 pixels from where it is, in the direction
// its limits leave room for, against one repaint of the whole window.
void programLayout(const char* program, KWWindow* window) {
    ShowWindow(window->getHandle(), SW_SHOW);
    UpdateWindow(window->getHandle());
    pump();
    const double repaint = microsecondsPer(20, [&](int) {
        RedrawWindow(window->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        pump();
    });
    std::printf("%-44s one repaint of the whole window %9.1f us\n", program, repaint);

    struct Bar {
        const char* name;
        bool vertical;
        Pane before;
        Pane after;
        // The stroke's start from the grab point; it ends 40 pixels further.
        int from;
    };
    // The properties bar starts at its limit: the elements pane is as wide as it may be.
    const Bar bars[] = {
        {"scene bar", true, Scene, View, -20},
        {"properties bar", true, View, Elements, 0},
        {"graphs bar", false, View, Graphs, -20},
        {"elements bar", false, Elements, Properties, -20},
    };
    const int steps = 80;
    for (const Bar& bar : bars) {
        const KWBound before = paneEdges(window, bar.before);
        const KWBound after = paneEdges(window, bar.after);
        const int grab = (bar.vertical ? before.right : before.bottom) + 1;
        const int across =
            bar.vertical ? std::max(before.top, after.top) + 40 : std::max(before.left, after.left) + 40;
        char label[64];
        std::snprintf(label, sizeof(label), "%s, %s", program, bar.name);
        const Stroke stroke = {grab + bar.from, grab + bar.from + 40};
        const DragFigures figures =
            measureDrag(label, window, bar.vertical, grab, across, stroke, steps, true);
        std::printf("%-44s with repaint / one whole repaint: mean %.3f, median %.3f\n", label,
                    figures.painted.mean() / repaint, figures.painted.median() / repaint);
    }
}

// The same four bars in a window whose panes are docked: the dock's splitters, grabbed with a press,
// each dragged over 40 pixels and let go.
void dockedLayout(const char* program, KWWindow* window) {
    ShowWindow(window->getHandle(), SW_SHOW);
    UpdateWindow(window->getHandle());
    pump();
    KWDock* dock = nullptr;
    for (int i = 0; i < window->getChildCount(); ++i) {
        dock =
            window->getChild(i)->getType() == GADGET_DOCK ? static_cast<KWDock*>(window->getChild(i)) : dock;
    }
    if (!dock) {
        std::printf("%-44s no dock\n", program);
        return;
    }
    const double repaint = microsecondsPer(20, [&](int) {
        RedrawWindow(window->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        pump();
    });
    std::printf("%-44s one repaint of the whole window %9.1f us\n", program, repaint);
    // The panes in the order the program adds them: Scene, Graphs, Properties, Elements.
    const std::vector<KWHeader*> panes = dock->getPanes();
    if (panes.size() < 4) {
        return;
    }
    const auto inDock = [dock](KWHeader* pane) {
        RECT r = {};
        GetWindowRect(pane->getHandle(), &r);
        MapWindowPoints(nullptr, dock->getHandle(), reinterpret_cast<POINT*>(&r), 2);
        return KWBound(r);
    };
    const KWBound scene = inDock(panes[0]), graphs = inDock(panes[1]), properties = inDock(panes[2]),
                  elements = inDock(panes[3]);
    struct Bar {
        const char* name;
        bool vertical;
        int grab;   // a pixel of the bar, across it
        int across; // along it
    };
    const Bar bars[] = {
        {"scene bar", true, scene.right + 1, (scene.top + scene.bottom) / 2},
        {"properties bar", true, properties.left - 3, (properties.top + properties.bottom) / 2},
        {"graphs bar", false, graphs.top - 3, (graphs.left + graphs.right) / 2},
        {"elements bar", false, elements.bottom + 1, (elements.left + elements.right) / 2},
    };
    const HWND handle = dock->getHandle();
    for (const Bar& bar : bars) {
        const auto at = [&bar](int position) {
            return bar.vertical ? MAKELPARAM(position, bar.across) : MAKELPARAM(bar.across, position);
        };
        SendMessageA(handle, WM_MOUSEMOVE, 0, at(bar.grab));
        SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, at(bar.grab));
        pump();
        // Towards the centre, so the panes' least sizes do not stop it.
        const int direction = bar.name[0] == 'p' || bar.name[0] == 'g' ? -1 : 1;
        const Stroke stroke = {bar.grab + (direction < 0 ? -40 : 0), bar.grab + (direction < 0 ? 0 : 40)};
        const auto step = [&](int i) {
            SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, at(stroke.at(i + 1)));
        };
        const auto paintedStep = [&](int i) {
            step(i);
            pump();
        };
        char label[64];
        std::snprintf(label, sizeof(label), "%s, %s", program, bar.name);
        DragFigures figures;
        figures.handling = timeEach(80, step);
        figures.painted = timeEach(80, paintedStep);
        printCensus(label, 4, paintedStep);
        SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, at(bar.grab));
        SendMessageA(handle, WM_LBUTTONUP, 0, at(bar.grab));
        pump();
        std::printf("%-44s drag step mean %8.1f (median %8.1f, own CPU %8.1f) us   with repaint mean %8.1f "
                    "(median %8.1f, own CPU %8.1f) us\n",
                    label, figures.handling.mean(), figures.handling.median(), figures.handling.cpuMean(),
                    figures.painted.mean(), figures.painted.median(), figures.painted.cpuMean());
        std::printf("%-44s with repaint / one whole repaint: mean %.3f, median %.3f\n", label,
                    figures.painted.mean() / repaint, figures.painted.median() / repaint);
    }
}

void programLayouts() {
    demo::ShellImages images;
    KWWindow* shell = demo::buildEditorShell(images);
    programLayout("Test", shell);
    delete shell;
    pump();

    std::unique_ptr<pelmora::EditorApp> editor(new pelmora::EditorApp());
    // The preview's frames (its timer, id 1) stop: the figures are the drag's and its repaint's, not the
    // simulation's, whose frames would come the more often the longer a step takes.
    editor->getGadgets().preview->setPlaying(false);
    KillTimer(editor->getGadgets().preview->getHandle(), 1);
    dockedLayout("Pelmora", editor->getWindow());
    editor.reset();
    pump();
}

// A window class of no library code, with the library windows' background.
const char* rawClass() {
    static const char* const name = "KWBenchRaw";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
        registered = true;
    }
    return name;
}

// Moves each window to its rectangle with one deferred batch, as a hand-written program would; extraFlags
// adds to the plain SWP_NOZORDER | SWP_NOACTIVATE.
void rawBatch(const std::vector<HWND>& windows, const std::vector<RECT>& rects, UINT extraFlags) {
    HDWP batch = BeginDeferWindowPos(static_cast<int>(windows.size()));
    for (std::size_t i = 0; i < windows.size() && batch; ++i) {
        const RECT& r = rects[i];
        batch = DeferWindowPos(batch, windows[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               SWP_NOZORDER | SWP_NOACTIVATE | extraFlags);
    }
    if (batch) {
        EndDeferWindowPos(batch);
    }
}

std::vector<RECT> rectsOf(const std::vector<KWWindow*>& gadgets) {
    std::vector<RECT> rects;
    for (KWWindow* gadget : gadgets) {
        rects.push_back(gadget->getLocalBounds().toRect());
    }
    return rects;
}

void showOnly(HWND shown, HWND hidden) {
    ShowWindow(hidden, SW_HIDE);
    ShowWindow(shown, SW_SHOWNA);
    UpdateWindow(shown);
    pump();
}

// The microseconds of each step of the library and of the two raw batches: the plain one, and one that
// also defers the erasing of the parent (SWP_DEFERERASE) to the paint, as the library's batches do.
struct Ways {
    Samples library;
    Samples raw;
    Samples rawDeferred;
};

void printWays(const char* what, const Ways& ways) {
    const auto print = [what](const char* measure, double library, double raw, double deferred) {
        std::printf(
            "%-44s %s: library %9.1f us   raw batch %9.1f us (ratio %.3f)   raw, deferred erase %9.1f us "
            "(ratio %.3f)\n",
            what, measure, library, raw, library / raw, deferred, library / deferred);
    };
    print("median", ways.library.median(), ways.raw.median(), ways.rawDeferred.median());
    print("own CPU", ways.library.cpuMean(), ways.raw.cpuMean(), ways.rawDeferred.cpuMean());
}

// Each step of step(i), timed without and then with the repaint pumped after it.
std::pair<Samples, Samples> timedBoth(int steps, const std::function<void(int)>& step) {
    Samples alone = timeEach(steps, step);
    Samples painted = timeEach(steps, [&](int i) {
        step(i);
        pump();
    });
    return {alone, painted};
}

void thousandDocked() {
    const int perSide = 500;
    // The ways take turns, a few steps each, so that a busy spell of the machine weighs on all of them.
    const int rounds = 6;
    KWWindow* frame = KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 1200, 800, "Docked", nullptr, 0);
    HWND window = frame->getHandle();
    const Clock::time_point buildStart = Clock::now();
    std::vector<KWWindow*> left;
    std::vector<KWWindow*> right;
    for (int i = 0; i < perSide; ++i) {
        left.push_back(KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 0, i, 400, 1, "", frame, 0));
        right.push_back(KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 404, i, 1196 - 404, 1, "", frame, 0));
        right.back()->lockToParent(LOCK_RIGHT);
    }
    const std::chrono::duration<double, std::milli> created = Clock::now() - buildStart;
    const Clock::time_point attachStart = Clock::now();
    frame->addVerticalSplitter(1, 400, 4, 50, 1100, true);
    for (int i = 0; i < perSide; ++i) {
        frame->addFromLeft(1, left[i]);
        frame->addFromRight(1, right[i]);
    }
    const std::chrono::duration<double, std::milli> attached = Clock::now() - attachStart;
    pump();
    std::printf("%-44s create %8.1f ms   attach %8.1f ms\n", "1,000 docked gadgets", created.count(),
                attached.count());

    // The raw window: the same 1,000 children at the same places, in a window of no library code, hidden
    // while the library's is measured and the other way round.
    HWND rawFrame = CreateWindowExA(0, rawClass(), "Raw", WS_OVERLAPPEDWINDOW, 0, 0, 1200, 800, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    std::vector<HWND> rawChildren;
    std::vector<KWWindow*> docked(left);
    docked.insert(docked.end(), right.begin(), right.end());
    for (const RECT& r : rectsOf(docked)) {
        rawChildren.push_back(CreateWindowExA(0, rawClass(), "", WS_CHILD | WS_VISIBLE, r.left, r.top,
                                              r.right - r.left, r.bottom - r.top, rawFrame, nullptr,
                                              GetModuleHandleA(nullptr), nullptr));
    }

    // Reference: what moving one docked gadget costs by itself; a drag step moves all 1,000.
    KWWindow* probe = right.back();
    const KWBound start = probe->getLocalBounds();
    const double oneMove = microsecondsPer(200, [&](int i) {
        probe->setBounds(KWBound(start.left + 1 - 2 * (i % 2), start.right - start.left, start.top, 1));
    });
    probe->setBounds(start.edgesToSize());
    std::printf("%-44s one move %10.1f us\n", "1,000 docked, a single gadget's setBounds", oneMove);

    // The drag: the bar from 401 to 200, then one pixel a step. The raw side makes the very moves the
    // splitter makes: the left gadgets end at the bar, the right ones start after it.
    const Stroke stroke = {200, 900};
    const int steps = 4;
    const std::vector<RECT> grabbed = rectsOf(docked);
    const auto rawStep = [&](UINT extraFlags) {
        return [&, extraFlags](int i) {
            const int bar = stroke.at(i + 1);
            std::vector<RECT> rects = grabbed;
            for (int k = 0; k < perSide; ++k) {
                rects[k].right = bar;
                rects[perSide + k].left = bar + 4;
            }
            rawBatch(rawChildren, rects, extraFlags);
        };
    };
    Ways drag;
    Ways dragPainted;
    for (int round = 0; round < rounds; ++round) {
        showOnly(window, rawFrame);
        const DragFigures library =
            measureDrag("1,000 docked, one bar", frame, true, 401, 200, stroke, steps, round == 0, true);
        drag.library.add(library.handling);
        dragPainted.library.add(library.painted);
        showOnly(rawFrame, window);
        for (int deferred : {0, 1}) {
            const UINT flags = deferred ? SWP_DEFERERASE : 0;
            const std::pair<Samples, Samples> raw = timedBoth(steps, rawStep(flags));
            (deferred ? drag.rawDeferred : drag.raw).add(raw.first);
            (deferred ? dragPainted.rawDeferred : dragPainted.raw).add(raw.second);
            if (round == 0) {
                printCensus(deferred ? "1,000 docked, raw batch, deferred erase" : "1,000 docked, raw batch",
                            4, [&](int i) {
                                rawStep(flags)(i);
                                pump();
                            });
            }
            rawBatch(rawChildren, grabbed, 0);
            pump();
        }
    }
    printWays("1,000 docked, drag step", drag);
    printWays("1,000 docked, drag step with repaint", dragPainted);

    showOnly(window, rawFrame);
    const double hover = microsecondsPer(
        2000, [&](int i) { SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(800 + (i % 30), 700)); });
    std::printf("%-44s hover move %8.1f us\n", "1,000 docked, no button", hover);
    const double click =
        microsecondsPer(50, [&](int) { SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(800, 700)); });
    std::printf("%-44s button up %9.1f us\n", "1,000 docked, click without drag", click);

    // Resizing: the library's window places its gadgets itself; the raw window, resized alike, has its
    // children moved by hand with one batch to the rectangles the library gave them at that width.
    const int widths[2] = {1100, 1200};
    const auto resize = [](HWND target, int width) {
        SetWindowPos(target, nullptr, 0, 0, width, 800, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    std::vector<RECT> placed[2];
    for (int w : {0, 1}) {
        resize(window, widths[w]);
        placed[w] = rectsOf(docked);
    }
    pump();
    const auto rawResize = [&](UINT extraFlags) {
        return [&, extraFlags](int i) {
            resize(rawFrame, widths[i % 2]);
            rawBatch(rawChildren, placed[i % 2], extraFlags);
        };
    };
    Ways resizing;
    Ways resizingPainted;
    for (int round = 0; round < rounds; ++round) {
        showOnly(window, rawFrame);
        const std::pair<Samples, Samples> library =
            timedBoth(steps, [&](int i) { resize(window, widths[i % 2]); });
        if (round == 0) {
            printCensus("1,000 docked, window resize", 2, [&](int i) {
                resize(window, widths[i % 2]);
                pump();
            });
        }
        showOnly(rawFrame, window);
        const std::pair<Samples, Samples> raw = timedBoth(steps, rawResize(0));
        const std::pair<Samples, Samples> rawDeferred = timedBoth(steps, rawResize(SWP_DEFERERASE));
        resizing.library.add(library.first);
        resizing.raw.add(raw.first);
        resizing.rawDeferred.add(rawDeferred.first);
        resizingPainted.library.add(library.second);
        resizingPainted.raw.add(raw.second);
        resizingPainted.rawDeferred.add(rawDeferred.second);
    }
    printWays("1,000 docked, window resize", resizing);
    printWays("1,000 docked, window resize with repaint", resizingPainted);
    DestroyWindow(rawFrame);
    delete frame;
    pump();
}

} // namespace

int main(int argc, char** argv) {
    if (!Kwadro::init()) {
        return 1;
    }
    // A part may be named to run it alone: editor, programs or docked.
    const std::string only = argc > 1 ? argv[1] : "";
    if (only.empty() || only == "editor") {
        editorLayout();
    }
    if (only.empty() || only == "programs") {
        programLayouts();
    }
    if (only.empty() || only == "docked") {
        thousandDocked();
    }
    return 0;
}
