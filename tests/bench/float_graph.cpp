// Time per WM_PAINT of a float graph holding 10,000 keys, in a shown window under the platform's
// real paint path (erase, grid, markers, both curves, labels).
#include "WindowBench.h"

#include <KW.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

using namespace KW;

namespace {

using bench::pump;

std::vector<KWGraphPoint> wavyKeys(int count) {
    std::vector<KWGraphPoint> keys(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        KWGraphPoint& key = keys[static_cast<size_t>(i)];
        key.x = 100.0f * static_cast<float>(i) / static_cast<float>(count - 1);
        const float wave = std::sin(static_cast<float>(i) * 0.05f);
        key.y2 = -20.0f - 15.0f * wave;
        key.y1 = key.y2 - 10.0f - 5.0f * std::cos(static_cast<float>(i) * 0.013f);
    }
    keys.front().x = 0.0f;
    keys.back().x = 100.0f;
    keys[static_cast<size_t>(count / 2)].selected = true;
    return keys;
}

struct Figures {
    double median;
    double mean;
    double worst;
};

Figures timePaints(HWND window, int paints) {
    std::vector<double> times;
    for (int i = 0; i < paints; ++i) {
        InvalidateRect(window, nullptr, TRUE);
        const auto start = std::chrono::steady_clock::now();
        UpdateWindow(window);
        GdiFlush();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        pump();
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times) {
        sum += t;
    }
    return Figures{times[times.size() / 2], sum / static_cast<double>(times.size()), times.back()};
}

void report(const char* label, const Figures& f) {
    std::printf("%-42s median %7.3f ms  mean %7.3f ms  worst %7.3f ms  (budget 16 ms)\n", label, f.median,
                f.mean, f.worst);
}

// The next message the graph handles turns its pending repaint request into an invalidation.
void settle(HWND window) {
    SendMessageA(window, WM_NULL, 0, 0);
    pump();
}

} // namespace

int main() {
    if (!Kwadro::init()) {
        std::printf("start-up failed\n");
        return 1;
    }
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 840, 660, "Float graph bench", nullptr, 0));
    KWFloatGraph* graph = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 804, 604, frame.get(), 1);
    if (!graph || !graph->getHandle()) {
        std::printf("no graph window\n");
        return 1;
    }
    ShowWindow(frame->getHandle(), SW_SHOW);
    pump();
    HWND window = graph->getHandle();
    const int paints = 60;

    graph->moveView(100, 30);
    settle(window);
    report("2 keys, scale 1", timePaints(window, paints));

    // 10,000 keys over the whole width: zoom to scale 7 about the data origin, then pan so that
    // 0..100 spans x 50..750 and the values fill the height.
    if (!graph->setPoints(wavyKeys(10000))) {
        std::printf("keys refused\n");
        return 1;
    }
    POINT origin = {100, 30};
    ClientToScreen(window, &origin);
    SetCursorPos(origin.x, origin.y);
    for (int i = 0; i < 20; ++i) {
        graph->zoomIn();
    }
    graph->moveView(-50, 530);
    settle(window);
    report("10,000 keys, scale 7, spread over 700 px", timePaints(window, paints));

    // The same keys at the 0.3 floor: all within 30 pixels, markers piled on each other.
    for (int i = 0; i < 30; ++i) {
        graph->zoomOut();
    }
    settle(window);
    report("10,000 keys, scale 0.3, packed in 30 px", timePaints(window, paints));
    return 0;
}
