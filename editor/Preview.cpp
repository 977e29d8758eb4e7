#include "Preview.h"

#include <cmath>

using namespace KW;

namespace pelmora {

namespace {

const char* const previewClass = "PelmoraPreview";
const UINT_PTR frameTimer = 1;
const std::uint32_t background = 0x202028;

} // namespace

bool Preview::registerClass() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = previewClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Preview::Preview(KWObject* parent, const effect::Scene& scene)
    : KWObject(GADGET_PANEL, parent, -1), canvas(1, 1), playing(true), timerStarted(false), lastTime(0.0),
      frequency(1.0), framesCounted(0), countStart(0.0), framesPerSecond(0.0) {
    LARGE_INTEGER ticks;
    QueryPerformanceFrequency(&ticks);
    frequency = static_cast<double>(ticks.QuadPart);
    registerClass();
    const KWBound area = parent->getGlobalBounds();
    HWND window = CreateWindowExA(0, previewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, area.right, area.bottom,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    // The frame timer starts with the first paint.
    if (attachWindow(window, "Preview creation failed !")) {
        subclassWindow(PreviewCallback);
    }
    lockToParent(LOCK_FILL);
    simulation.restart(scene);
    lastTime = countStart = now();
}

Preview::~Preview() {
    if (handle) {
        KillTimer(handle, frameTimer);
    }
}

double Preview::now() const {
    LARGE_INTEGER ticks;
    QueryPerformanceCounter(&ticks);
    return static_cast<double>(ticks.QuadPart) / frequency;
}

void Preview::update(const effect::Scene& scene) {
    simulation.update(scene);
}

void Preview::restart(const effect::Scene& scene) {
    simulation.restart(scene);
    lastTime = now();
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::setPlaying(bool play) {
    playing = play;
    lastTime = now();
}

void Preview::runSteps(int count) {
    for (int i = 0; i < count; ++i) {
        simulation.step();
    }
    render();
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::render() {
    const KWBound area = getGlobalBounds();
    if (canvas.width() != area.right || canvas.height() != area.bottom) {
        canvas.resize(area.right, area.bottom);
    }
    canvas.clear(background);
    // Effect units are pixels at 96 DPI: the effect keeps its size on the screen at any DPI. The
    // particles are drawn as pelmora-render and the flipbook export draw them.
    simulation.snapshot(particles);
    drawParticles(canvas, particles,
                  previewView(canvas.width(), canvas.height(), static_cast<float>(getDpi()) / 96.0f),
                  std::vector<Image>());
}

void Preview::onTimer() {
    const double time = now();
    if (playing) {
        simulation.advance(time - lastTime);
    }
    lastTime = time;
    render();
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::paint() {
    if (!timerStarted) {
        // The first paint draws a whole frame itself, then the frames come from the timer: the window
        // shows the effect at once, and before the first tick rather than an empty frame and then a
        // second drawing of the window.
        render();
        SetTimer(handle, frameTimer, 15, nullptr);
        timerStarted = true;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle, &ps);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = canvas.width();
    info.bmiHeader.biHeight = -canvas.height(); // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, canvas.width(), canvas.height(), 0, 0, 0, canvas.height(), canvas.data(),
                      &info, DIB_RGB_COLORS);
    EndPaint(handle, &ps);

    ++framesCounted;
    const double time = now();
    if (time - countStart >= 0.5) {
        framesPerSecond = framesCounted / (time - countStart);
        framesCounted = 0;
        countStart = time;
    }
    if (frameListener) {
        frameListener(simulation.getParticles().size(), framesPerSecond);
    }
}

LRESULT CALLBACK Preview::PreviewCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    handleDefaults(window, msg, wParam, lParam);
    Preview* self = static_cast<Preview*>(fromHandle(window));
    if (self) {
        switch (msg) {
        case WM_TIMER:
            if (wParam == frameTimer) {
                self->onTimer();
                return 0;
            }
            break;
        case WM_PAINT:
            self->paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
        }
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace pelmora
