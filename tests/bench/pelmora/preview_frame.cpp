// The effect editor's preview with 10,000 live particles: one fixed simulation step plus one drawn and
// painted frame. (The programs' start-up is bench_startup's.) Prints figures only.
#include "../WindowBench.h"

#include "EditorApp.h"
#include "Preview.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace KW;
using Clock = std::chrono::steady_clock;

namespace {

using bench::pump;

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

void frameBenchmark() {
    const Clock::time_point start = Clock::now();
    pelmora::EditorApp app;
    const Clock::time_point built = Clock::now();
    HWND window = app.getWindow()->getHandle();
    SetWindowPos(window, nullptr, 0, 0, 1024, 768, SWP_NOZORDER | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump();
    std::printf("in process: build the editor's gadgets %.0f ms, show and paint them %.0f ms\n",
                milliseconds(built - start), milliseconds(Clock::now() - built));
    pelmora::editor::Scene scene = app.getScene();
    pelmora::EmitterDesc& emitter = scene.findEmitter(app.getSelected())->values;
    // 5,000 particles a second living 2 s: 10,000 alive once the first ones die.
    emitter.rate = 5000.0f;
    emitter.lifetimeMin = emitter.lifetimeMax = 2.0f;
    pelmora::Preview* preview = app.getGadgets().preview;
    preview->setPlaying(false);
    preview->restart(scene);
    preview->runSteps(150);
    pump();

    std::vector<double> frames;
    for (int i = 0; i < 120; ++i) {
        const Clock::time_point start = Clock::now();
        preview->runSteps(1);
        UpdateWindow(preview->getHandle());
        frames.push_back(milliseconds(Clock::now() - start));
    }
    std::sort(frames.begin(), frames.end());
    double total = 0;
    for (double frame : frames) {
        total += frame;
    }
    std::printf(
        "preview: %zu live particles, step + draw + paint: mean %.2f ms, median %.2f ms, worst %.2f ms "
        "(canvas %d x %d)\n",
        preview->getPlayback().particleCount(), total / frames.size(), frames[frames.size() / 2],
        frames.back(), preview->getCanvas().width(), preview->getCanvas().height());
}

} // namespace

int main() {
    const Clock::time_point start = Clock::now();
    Kwadro::init();
    std::printf("in process: Kwadro::init %.0f ms\n", milliseconds(Clock::now() - start));
    frameBenchmark();
    return 0;
}
