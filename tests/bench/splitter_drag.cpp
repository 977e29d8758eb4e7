// Time per splitter drag step (WM_MOUSEMOVE with MK_LBUTTON) in a window laid out like an editor,
// and in a window with 1,000 docked gadgets. Prints figures only.
#include <KW.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace KW;

namespace {

using Clock = std::chrono::steady_clock;

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void mouse(HWND window, UINT msg, int x, int y, WPARAM keys) {
    SendMessageA(window, msg, keys, MAKELPARAM(x, y));
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

// Grabs the bar at grab (the mouse at across along the bar) and drags it one pixel per step back and forth
// between low and high. Prints microseconds per step, for the message alone and with the repaint pumped,
// and for the release.
void measureDrag(const char* label, KWWindow* frame, bool vertical, int grab, int across, int low, int high,
                 int steps) {
    HWND window = frame->getHandle();
    const auto at = [vertical, across](int position) {
        return vertical ? MAKELPARAM(position, across) : MAKELPARAM(across, position);
    };
    SendMessageA(window, WM_MOUSEMOVE, 0, at(grab));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(grab));
    const int span = high - low;
    const auto position = [low, span](int i) {
        const int phase = i % (2 * span);
        return low + (phase < span ? phase : 2 * span - phase);
    };
    const double handling = microsecondsPer(
        steps, [&](int i) { SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(position(i + 1))); });
    const double painted = microsecondsPer(steps, [&](int i) {
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(position(i + 1)));
        pump();
    });
    const double release = microsecondsPer(1, [&](int) { SendMessageA(window, WM_LBUTTONUP, 0, at(low)); });
    pump();
    std::printf("%-44s drag step %9.1f us   with repaint %9.1f us   release %9.1f us\n", label, handling,
                painted, release);
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

    measureDrag("editor, tree bar (3 docked)", frame, true, 251, 300, 120, 480, 100);
    measureDrag("editor, properties bar (3 docked)", frame, true, 901, 300, 700, 1000, 100);
    measureDrag("editor, output bar (2 docked)", frame, false, 551, 500, 200, 650, 100);

    const double hover = microsecondsPer(
        2000, [&](int i) { mouse(frame->getHandle(), WM_MOUSEMOVE, 240 + (i % 30), 300, 0); });
    std::printf("%-44s hover move %8.1f us\n", "editor, no button", hover);
    delete frame;
    pump();
}

void thousandDocked() {
    const int perSide = 500;
    KWWindow* frame = KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 1200, 800, "Docked", nullptr, 0);
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

    // Reference: what moving one docked gadget costs by itself; a drag step moves all 1,000.
    KWWindow* probe = right.back();
    const KWBound start = probe->getLocalBounds();
    const double oneMove = microsecondsPer(200, [&](int i) {
        probe->setBounds(KWBound(start.left + 1 - 2 * (i % 2), start.right - start.left, start.top, 1));
    });
    probe->setBounds(start.edgesToSize());
    std::printf("%-44s one move %10.1f us\n", "1,000 docked, a single gadget's setBounds", oneMove);

    measureDrag("1,000 docked, one bar", frame, true, 401, 200, 200, 900, 10);

    const double hover = microsecondsPer(
        2000, [&](int i) { mouse(frame->getHandle(), WM_MOUSEMOVE, 800 + (i % 30), 700, 0); });
    std::printf("%-44s hover move %8.1f us\n", "1,000 docked, no button", hover);
    const double click =
        microsecondsPer(50, [&](int) { mouse(frame->getHandle(), WM_LBUTTONUP, 800, 700, 0); });
    std::printf("%-44s button up %9.1f us\n", "1,000 docked, click without drag", click);
    const double resize = microsecondsPer(4, [&](int i) {
        SetWindowPos(frame->getHandle(), nullptr, 0, 0, 1100 + (i % 2) * 100, 800, SWP_NOMOVE | SWP_NOZORDER);
    });
    std::printf("%-44s resize %12.1f us\n", "1,000 docked, window resize", resize);
    delete frame;
    pump();
}

} // namespace

int main() {
    if (!Kwadro::init()) {
        return 1;
    }
    editorLayout();
    thousandDocked();
    return 0;
}
