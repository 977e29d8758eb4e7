#include "GraphWindow.h"

#include <cmath>
#include <random>

using namespace KW;

namespace {

// Checks what every edit must keep, whatever the input.
void expectKeyInvariants(const KWFloatGraph& graph, int step) {
    const std::vector<KWGraphPoint>& keys = graph.getPoints();
    int fixed = 0;
    int selected = 0;
    for (const KWGraphPoint& key : keys) {
        ASSERT_TRUE(std::isfinite(key.x) && std::isfinite(key.y1) && std::isfinite(key.y2))
            << "step " << step;
        ASSERT_GE(key.x, 0.0f) << "step " << step;
        ASSERT_LE(key.x, 100.0f) << "step " << step;
        ASSERT_LE(key.y1, key.y2) << "step " << step;
        ASSERT_LE(key.y2, 0.0f) << "step " << step;
        fixed += key.fixed ? 1 : 0;
        selected += key.selected ? 1 : 0;
    }
    ASSERT_EQ(fixed, 2) << "step " << step;
    ASSERT_LE(selected, 1) << "step " << step;
    const KWGraphSample sample = graph.evaluate(50.0f);
    ASSERT_LE(sample.y1, sample.y2) << "step " << step;
    ASSERT_LE(sample.y2, 0.0f) << "step " << step;
}

class FloatGraphStorm : public kwtest::GraphWindowTest {};

} // namespace

TEST_F(FloatGraphStorm, RandomInputNeverBreaksTheGadgetOrItsKeys) {
    std::mt19937 random(20240611u);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto coordinate = [&]() {
        switch (between(0, 3)) {
        case 0:
            return between(-32768, 32767); // anywhere a 16-bit word reaches
        case 1:
            return between(-50, -1); // just outside
        default:
            return between(0, 450); // inside and just beyond the right edge
        }
    };
    const UINT mouseMessages[] = {WM_MOUSEMOVE, WM_MOUSEMOVE,     WM_MOUSEMOVE,    WM_LBUTTONDOWN,
                                  WM_LBUTTONUP, WM_RBUTTONDOWN,   WM_RBUTTONUP,    WM_MBUTTONDOWN,
                                  WM_MBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK};
    const WPARAM keyStates[] = {MK_LBUTTON, MK_RBUTTON, MK_SHIFT, MK_CONTROL, MK_MBUTTON};
    const WPARAM keys[] = {VK_DELETE, VK_HOME, VK_LEFT, 'A', VK_ESCAPE};
    const int sizes[][2] = {{0, 0}, {1, 1}, {404, 204}, {3000, 20}, {10, 2500}, {250, 300}};

    const int steps = 4000;
    for (int step = 0; step < steps; ++step) {
        const int kind = between(0, 19);
        if (kind < 12) {
            WPARAM state = 0;
            for (WPARAM bit : keyStates) {
                state |= between(0, 2) == 0 ? bit : 0;
            }
            const UINT msg =
                mouseMessages[between(0, static_cast<int>(sizeof(mouseMessages) / sizeof(UINT)) - 1)];
            int x = coordinate();
            int y = coordinate();
            if (msg == WM_RBUTTONUP) {
                // Without capture a release reaches the graph only from inside it. From elsewhere
                // the default handling would open the frame's system menu and wait for the user.
                const SIZE client = kwtest::clientSize(graphWindow());
                x = client.cx > 0 ? x % client.cx : 0;
                y = client.cy > 0 ? y % client.cy : 0;
                x = x < 0 ? -x : x;
                y = y < 0 ? -y : y;
            }
            SendMessageA(graphWindow(), msg, state, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        } else if (kind < 14) {
            const short deltas[] = {120, -120, 1, -1, 0, 32767, -32768, 360};
            const POINT screen = screenOf(coordinate(), coordinate());
            SendMessageA(graphWindow(), WM_MOUSEWHEEL,
                         MAKEWPARAM(0, static_cast<WORD>(deltas[between(0, 7)])),
                         MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
        } else if (kind < 16) {
            SendMessageA(graphWindow(), WM_KEYDOWN, keys[between(0, 4)], 1);
        } else if (kind == 16) {
            const int* size = sizes[between(0, 5)];
            SetWindowPos(graphWindow(), nullptr, 0, 0, size[0], size[1], SWP_NOMOVE | SWP_NOZORDER);
        } else if (kind == 17) {
            // The application's own calls, with values a client might get wrong.
            const float values[] = {-1e30f, -5.0f, 0.0f, 50.0f, 100.0f, 101.0f, NAN, INFINITY, -INFINITY};
            graph->insertPoint(values[between(0, 8)], values[between(0, 8)]);
            graph->moveView(between(-100000, 100000), between(-100000, 100000));
            if (between(0, 1)) {
                graph->zoomIn();
            } else {
                graph->zoomOut();
            }
        } else if (kind == 18) {
            std::vector<KWGraphPoint> replacement = graph->getPoints();
            if (!replacement.empty()) {
                KWGraphPoint& victim =
                    replacement[static_cast<size_t>(between(0, static_cast<int>(replacement.size()) - 1))];
                const float values[] = {-1e30f, -5.0f, 0.0f, 3.0f, 100.0f, 101.0f, NAN};
                victim.x = values[between(0, 6)];
                victim.y1 = values[between(0, 6)];
            }
            graph->setPoints(replacement);
        } else {
            UpdateWindow(graphWindow());
        }
        if (step % 50 == 0) {
            kwtest::pumpMessages();
        }
        ASSERT_NO_FATAL_FAILURE(expectKeyInvariants(*graph, step));
    }

    // Still a working gadget: a normal size, a paint and a fresh edit.
    ASSERT_TRUE(IsWindow(graphWindow()));
    SetWindowPos(graphWindow(), nullptr, 0, 0, 404, 204, SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(graphWindow(), nullptr, TRUE);
    UpdateWindow(graphWindow());
    const size_t count = graph->getPoints().size();
    graph->insertPoint(42.0f, -1.0f);
    EXPECT_EQ(graph->getPoints().size(), count + 1);
}
