// Times a dock of 12 panes around a centre: a drop that moves one pane and lays out all 12 again, with
// the repaint that follows, and one drag step that moves the translucent preview to another zone.
#include "WindowBench.h"

#include <KW.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

using bench::pump;

void settle(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump();
}

using bench::threadCpuMilliseconds;

// The machine is shared and its load varies by the second: the median and this thread's own CPU time say
// more than the mean.
void timeEach(const char* what, int count, double target, const std::function<void(int)>& operation) {
    std::vector<double> samples;
    const double cpuStart = threadCpuMilliseconds();
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        operation(i);
        samples.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    const double cpu = (threadCpuMilliseconds() - cpuStart) / count;
    double total = 0;
    for (double sample : samples) {
        total += sample;
    }
    std::vector<double> sorted(samples);
    std::sort(sorted.begin(), sorted.end());
    std::printf("  %-42s %4d ops  mean %7.2f  median %7.2f  own CPU %7.2f ms  (target < %.0f ms)\n", what,
                count, total / count, sorted[sorted.size() / 2], cpu, target);
}

// A point of the dock's client area in the pane's client coordinates, as the captured mouse reports it.
LPARAM at(KWDock* dock, KWHeader* pane, int x, int y) {
    POINT point = {x, y};
    MapWindowPoints(dock->getHandle(), pane->getHandle(), &point, 1);
    return MAKELPARAM(point.x, point.y);
}

} // namespace

int main() {
    Kwadro::init();
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 20, 20, 1100, 800, "Dock benchmark", nullptr, 0));
    KWDock* dock = KWDock::create(STYLE_DEFAULT, 0, 0, 1080, 760, frame.get(), 1);
    dock->setCenter(KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, 10, 10, "", dock, 2));
    std::vector<KWHeader*> panes;
    const eDockSide sides[4] = {DOCK_LEFT, DOCK_RIGHT, DOCK_BOTTOM, DOCK_TOP};
    for (int i = 0; i < 12; ++i) {
        KWHeader* pane = KWHeader::create(STYLE_DEFAULT, 0, 0, 50, 50, "Pane " + std::to_string(i),
                                          KWColor(220, 220, 230, 255), KWColor(180, 180, 210, 255), KWColor(),
                                          dock, 10 + i);
        // Three panes on each side, each splitting the one before it.
        dock->addPane(pane, i < 4 ? sides[i] : (i % 3 == 0 ? DOCK_TAB : DOCK_BOTTOM), 120,
                      i < 4 ? nullptr : panes[i - 4]);
        panes.push_back(pane);
    }
    ShowWindow(frame->getHandle(), SW_SHOW);
    settle(frame->getHandle());

    std::printf("Dock of 12 panes and a centre, 1080 x 760\n");
    KWHeader* dragged = panes[0];
    const HWND band = dragged->getHandle();
    // Drops alternate between the right edge of the dock and the left of the centre.
    timeEach("drop re-laying out 12 panes, with repaint", 40, 16, [&](int i) {
        SendMessageA(band, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
        SendMessageA(band, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 40));
        SendMessageA(band, WM_MOUSEMOVE, MK_LBUTTON,
                     i % 2 ? at(dock, dragged, 1075, 380) : at(dock, dragged, 540, 5));
        SendMessageA(band, WM_LBUTTONUP, 0, i % 2 ? at(dock, dragged, 1075, 380) : at(dock, dragged, 540, 5));
        settle(frame->getHandle());
    });
    SendMessageA(band, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
    SendMessageA(band, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 40));
    timeEach("drag step moving the preview", 200, 8, [&](int i) {
        SendMessageA(band, WM_MOUSEMOVE, MK_LBUTTON,
                     i % 2 ? at(dock, dragged, 1075, 380) : at(dock, dragged, 540, 5));
        pump();
    });
    SendMessageA(band, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    // Where a drop's time goes: the layout and window moves alone, and a repaint of the whole dock.
    timeEach("movePane alone, without repaint", 40, 16,
             [&](int i) { dock->movePane(dragged, i % 2 ? DOCK_RIGHT : DOCK_TOP, 120); });
    timeEach("repaint of the whole unchanged dock", 40, 16, [&](int) {
        RedrawWindow(frame->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump();
    });
    // The parts of that repaint: one pane (its band, buttons and content), the tab strips, the centre.
    timeEach("repaint of one pane", 40, 16, [&](int i) {
        RedrawWindow(panes[1 + i % 3]->getHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump();
    });
    timeEach("repaint of one pane without its children", 40, 16, [&](int i) {
        RedrawWindow(panes[1 + i % 3]->getHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        pump();
    });
    return 0;
}
