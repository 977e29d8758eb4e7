// The effect editor's preview with 10,000 live particles: one fixed simulation step plus one drawn and
// painted frame, and the time from process start to the first painted window of Pelmora and Test
// against a blank window's. Prints figures only.
#include "EditorApp.h"
#include "Preview.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace KW;
using Clock = std::chrono::steady_clock;

namespace {

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

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
    effect::Scene scene = app.getScene();
    effect::Emitter emitter = *scene.findEmitter(app.getSelected());
    // 5,000 particles a second living 2 s: 10,000 alive once the first ones die.
    emitter.rate = 5000.0f;
    emitter.lifetimeMin = emitter.lifetimeMax = 2.0f;
    scene.setEmitter(emitter.id, emitter);
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
        preview->getSimulation().getParticles().size(), total / frames.size(), frames[frames.size() / 2],
        frames.back(), preview->getCanvas().width(), preview->getCanvas().height());
}

// Milliseconds from CreateProcess until the program's first window is up and the program waits for
// input (its first frame painted); the program is then closed. Best of runs.
double startupTime(const std::string& commandLine, int runs) {
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        const Clock::time_point start = Clock::now();
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return -1.0;
        }
        WaitForInputIdle(process.hProcess, 20000);
        best = std::min(best, milliseconds(Clock::now() - start));
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    return best;
}

LRESULT CALLBACK blankProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        PostQuitMessage(0);
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// The baseline: this program started again with --blank shows one empty window and waits.
int blankWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = blankProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BenchBlank";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("BenchBlank", "blank", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--blank") {
        return blankWindow();
    }
    const Clock::time_point start = Clock::now();
    Kwadro::init();
    std::printf("in process: Kwadro::init %.0f ms\n", milliseconds(Clock::now() - start));
    frameBenchmark();

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const double blank = startupTime(std::string("\"") + self + "\" --blank", 5);
    const double pelmora = startupTime("Pelmora.exe", 5);
    const double test = startupTime("Test.exe", 5);
    std::printf(
        "start-up to first painted window, best of 5: blank window %.0f ms; Pelmora %.0f ms (+%.0f ms, "
        "ratio %.2f); Test %.0f ms (+%.0f ms, ratio %.2f)\n",
        blank, pelmora, pelmora - blank, pelmora / blank, test, test - blank, test / blank);
    return 0;
}
