// A curve editor whose curves are sampled with evaluate(): the label follows every edit.
#include <KW.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace KW;

namespace {
// Keys store data y, which grows downward: a key showing the value v has y = -v.
KWGraphPoint key(float x, float upper, float lower) {
    KWGraphPoint point;
    point.x = x;
    point.y1 = -upper;
    point.y2 = -lower;
    return point;
}

// --autoclose: the window closes itself after a moment (the build's smoke test runs it so).
void CALLBACK closeWindow(HWND window, UINT, UINT_PTR, DWORD) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    Kwadro::init();
    KWWindow* window = KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 100, 100, 420, 360, "Curve", nullptr, 0);
    KWFloatGraph* graph = KWFloatGraph::create(STYLE_DEFAULT, 10, 10, 180, 260, window, 1);
    KWText* label = KWText::create(STYLE_DEFAULT, "", 200, 10, 190, 80, ALIGN_LEFT, window, 2);

    // Two curves over 0..100: the first key at 0, the last at 100, each lower value at most the upper.
    graph->setPoints({key(0, 60, 20), key(50, 180, 90), key(100, 120, 40)});
    graph->moveView(50, 220); // one pixel per unit at first: bring x 0..100 and values 0..220 into view

    auto showSamples = [&] {
        std::string text;
        for (float x : {25.0f, 50.0f, 75.0f}) {
            KWGraphSample sample = graph->evaluate(x);
            char line[64];
            std::snprintf(line, sizeof line, "x = %.0f: %.1f / %.1f\n", x, -sample.y1, -sample.y2);
            text += line;
        }
        label->setText(text);
    };
    showSamples();
    // Changing while a key is dragged, changed when it is dropped, inserted or deleted.
    graph->setHandler([&](const KWEvent&) { showSamples(); });

    if (std::strstr(commandLine, "--autoclose")) {
        SetTimer(window->getHandle(), 1, 500, closeWindow);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    delete window;
    return 0;
}
