// The preview's set-up, its playback (timer, seeking, edits) and its view (zoom, pan, framing).
#include "Preview.h"

#include "Timeline.h"

#include <windowsx.h>

#include <algorithm>

using namespace KW;

namespace pelmora {

namespace {

// No emitter that both scenes hold changed its timing.
bool sameTiming(const editor::Scene& before, const editor::Scene& after) {
    for (const editor::System& system : after.getSystems()) {
        for (const editor::Group& group : system.groups) {
            for (const editor::Emitter& emitter : group.emitters) {
                const editor::Emitter* old = before.findEmitter(emitter.id);
                if (old && !editor::sameTiming(old->values, emitter.values)) {
                    return false;
                }
            }
        }
    }
    return true;
}

const char* const previewClass = "PelmoraPreview";

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

Preview::Preview(KWObject* parent, const editor::Scene& shown)
    : KWObject(GADGET_PANEL, parent, -1), canvas(1, 1), timeline(nullptr), background(0x202028),
      gridVisible(false), restartOnChange(false), speed(1.0), panning(false), panFrom(), playing(true),
      timerStarted(false), lastTime(0.0), frequency(1.0), framesCounted(0), countStart(0.0),
      framesPerSecond(0.0) {
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
    view.scale = static_cast<float>(getDpi()) / 96.0f;
    timeline = new Timeline(this);
    timeline->setScrubListener([this](double seconds) { seek(seconds); });
    layout();
    restart(shown);
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

void Preview::layout() {
    const KWBound area = getGlobalBounds();
    const int height = timeline->height();
    SetWindowPos(timeline->getHandle(), nullptr, 0, std::max(0, area.bottom - height), area.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Preview::update(const editor::Scene& changed) {
    if (restartOnChange || !sameTiming(scene, changed)) {
        restart(changed);
        return;
    }
    scene = changed;
    playback.update(scene);
    loadTextures(false);
}

void Preview::restart(const editor::Scene& shown) {
    scene = shown;
    playback.restart(scene);
    loadTextures(true);
    lastTime = now();
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::setPlaying(bool play) {
    playing = play;
    lastTime = now();
}

void Preview::runSteps(int count) {
    playback.step(count);
    render();
    InvalidateRect(handle, nullptr, FALSE);
}

double Preview::time() const {
    return playback.time();
}

void Preview::seek(double seconds) {
    setPlaying(false);
    playback.seek(seconds);
    render();
    InvalidateRect(handle, nullptr, FALSE);
    UpdateWindow(handle);
}

void Preview::setSpeed(double factor) {
    speed = std::min(4.0, std::max(0.25, factor));
}

void Preview::setBackground(std::uint32_t rgb) {
    background = rgb & 0xFFFFFF;
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::setGridVisible(bool visible) {
    gridVisible = visible;
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::setView(const PreviewView& shown) {
    view = shown;
    render();
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::frameEffect(const editor::Scene& framed) {
    editor::Playback probe;
    probe.restart(framed);
    probe.step(2 * editor::Playback::kStepsPerSecond);
    // The emitters' origin is always in the frame.
    Extent extent = {0.0f, 0.0f, 0.0f, 0.0f};
    includeParticles(extent, probe.particles());
    const KWBound area = getGlobalBounds();
    const int height = std::max(1, area.bottom - timeline->height());
    // No closer than twice the natural size: a tiny effect is not blown up to a blur.
    PreviewView framedView = PreviewView::framing(extent, area.right, height, scale(24));
    framedView.scale = std::min(framedView.scale, 2.0f * static_cast<float>(getDpi()) / 96.0f);
    framedView.panX = -0.5f * (extent.left + extent.right) * framedView.scale;
    framedView.panY = 0.5f * (extent.bottom + extent.top) * framedView.scale;
    setView(framedView);
}

void Preview::onTimer() {
    const double current = now();
    if (playing) {
        playback.advance((current - lastTime) * speed);
    }
    lastTime = current;
    render();
    InvalidateRect(handle, nullptr, FALSE);
}

// The wheel zooms about the pointer (given in screen coordinates).
void Preview::zoomAt(POINT screen, float notches) {
    ScreenToClient(handle, &screen);
    PreviewView zoomed = view;
    zoomed.zoomAt(static_cast<float>(screen.x), static_cast<float>(screen.y), canvas.width(), canvas.height(),
                  notches);
    setView(zoomed);
}

void Preview::startPan(POINT client) {
    SetFocus(handle);
    SetCapture(handle);
    panning = true;
    panFrom = client;
}

void Preview::panTo(POINT client) {
    PreviewView panned = view;
    panned.panX += static_cast<float>(client.x - panFrom.x);
    panned.panY += static_cast<float>(client.y - panFrom.y);
    panFrom = client;
    setView(panned);
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
        case WM_SIZE:
            if (self->timeline) {
                self->layout();
            }
            break;
        case WM_LBUTTONDOWN:
            SetFocus(window); // the wheel goes to the window with the focus
            return 0;
        case WM_MOUSEWHEEL: {
            const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            self->zoomAt(point, static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA);
            return 0;
        }
        case WM_MBUTTONDOWN:
            self->startPan({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            if (self->panning) {
                self->panTo({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            }
            return 0;
        case WM_MBUTTONUP:
            if (self->panning) {
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            self->panning = false;
            return 0;
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
