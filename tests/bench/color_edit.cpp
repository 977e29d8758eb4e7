// Paints a gradient editor holding 1,000 keys and prints the time per WM_PAINT.
#include "WindowBench.h"

#include <KW.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

using namespace KW;

namespace {

using bench::pump;

std::vector<KWColorPoint> keys(int count, bool translucent) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> component(0, 255);
    std::vector<KWColorPoint> points;
    for (int i = 0; i < count; ++i) {
        const float position = 100.0f * static_cast<float>(i) / static_cast<float>(count - 1);
        const int alpha1 = translucent ? component(random) : 255;
        const int alpha2 = translucent ? component(random) : 255;
        KWColorPoint key(position, KWColor(component(random), component(random), component(random), alpha1),
                         KWColor(component(random), component(random), component(random), alpha2),
                         i == 0 || i == count - 1);
        // As in use: one key selected.
        key.selected = (i == count / 2);
        points.push_back(key);
    }
    return points;
}

double millisecondsPerPaint(HWND window, int paints) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    // One paint first, so that lazily made resources are not counted.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < paints; ++i) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart) / paints;
}

} // namespace

int main() {
    if (!Kwadro::init()) {
        return 1;
    }
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 540, 140, "Bench", nullptr, 0));
    KWColorEdit* editor = KWColorEdit::create(STYLE_DEFAULT, 10, 10, 500, 80, frame.get(), frame.get());
    pump();
    const int paints = 100;

    struct Case {
        const char* name;
        bool translucent;
        int zoomSteps;
    } cases[] = {
        {"1000 opaque keys, scale 1", false, 0},
        {"1000 translucent keys, scale 1", true, 0},
        {"1000 translucent keys, scale 4.3", true, 11},
    };
    pump();
    std::printf("%-36s %7.3f ms per WM_PAINT (%d paints)\n", "2 end keys, scale 1",
                millisecondsPerPaint(editor->getHandle(), paints), paints);
    for (const Case& c : cases) {
        if (!editor->setPoints(keys(1000, c.translucent))) {
            std::printf("keys refused\n");
            return 1;
        }
        // Zoom about data position 50, the middle of the keys.
        POINT middle = {50, 40};
        ClientToScreen(editor->getHandle(), &middle);
        SetCursorPos(middle.x, middle.y);
        for (int i = 0; i < c.zoomSteps; ++i) {
            editor->zoomIn();
        }
        pump();
        std::printf("%-36s %7.3f ms per WM_PAINT (%d paints)\n", c.name,
                    millisecondsPerPaint(editor->getHandle(), paints), paints);
    }
    return 0;
}
