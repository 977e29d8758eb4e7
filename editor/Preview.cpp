#include "Preview.h"

#include "Timeline.h"
#include "logic/FilePaths.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

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
const UINT_PTR frameTimer = 1;

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
    simulation.update(scene);
    loadTextures(false);
}

void Preview::restart(const editor::Scene& shown) {
    scene = shown;
    simulation.restart(scene);
    loadTextures(true);
    lastTime = now();
    InvalidateRect(handle, nullptr, FALSE);
}

void Preview::setTextureFolder(const std::string& folder) {
    textureFolder = folder;
    // Files may have changed since they were read: an effect opened reads its textures afresh.
    textureCache.clear();
    texturesInUse.clear();
    loadTextures(false);
}

// Each emitter's texture by its resolved path, read once; a path that changes is read when first met.
void Preview::loadTextures(bool retryFailed) {
    std::vector<std::string> used;
    std::vector<int> indexOf;
    std::vector<std::string> failed;
    for (std::size_t i = 0; i < simulation.getEmitterCount(); ++i) {
        const std::string& name = simulation.getEmitter(static_cast<std::uint32_t>(i)).values.texture;
        if (name.empty()) {
            indexOf.push_back(-1);
            continue;
        }
        const std::string path = resolvedTexturePath(name);
        auto cached = textureCache.find(path);
        if (cached == textureCache.end() || (retryFailed && cached->second.image.width == 0)) {
            LoadedTexture loaded;
            if (!loadImage(path, loaded.image, loaded.error)) {
                loaded.image = Image();
            }
            cached = textureCache.insert_or_assign(path, std::move(loaded)).first;
        }
        if (cached->second.image.width == 0 &&
            std::find(failed.begin(), failed.end(), fileNameOf(name)) == failed.end()) {
            failed.push_back(fileNameOf(name));
        }
        const auto known = std::find(used.begin(), used.end(), path);
        indexOf.push_back(static_cast<int>(known - used.begin()));
        if (known == used.end()) {
            used.push_back(path);
        }
    }
    emitterTexture.swap(indexOf);
    missing.swap(failed);
    if (used != texturesInUse || retryFailed) {
        texturesInUse.swap(used);
        textures.clear();
        for (const std::string& path : texturesInUse) {
            textures.push_back(textureCache[path].image);
        }
    }
    if (textureListener) {
        textureListener();
    }
}

std::string Preview::resolvedTexturePath(const std::string& name) const {
    return isAbsolutePath(name) || textureFolder.empty() ? name : textureFolder + "\\" + name;
}

std::string Preview::textureState(const std::string& name) const {
    if (name.empty()) {
        return "none, drawn round";
    }
    const auto cached = textureCache.find(resolvedTexturePath(name));
    if (cached == textureCache.end()) {
        return std::string();
    }
    const Image& image = cached->second.image;
    if (image.width == 0) {
        return "missing: " + cached->second.error + ", drawn round";
    }
    return std::to_string(image.width) + " x " + std::to_string(image.height) + " texels";
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

double Preview::time() const {
    return static_cast<double>(simulation.getStepCount()) / effect::Simulation::kStepsPerSecond;
}

void Preview::seek(double seconds) {
    setPlaying(false);
    simulation.restart(scene);
    const long long steps = std::llround(std::max(0.0, seconds) * effect::Simulation::kStepsPerSecond);
    for (long long i = 0; i < steps; ++i) {
        simulation.step();
    }
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
    effect::Simulation probe;
    probe.restart(framed);
    for (int i = 0; i < 2 * effect::Simulation::kStepsPerSecond; ++i) {
        probe.step();
    }
    std::vector<pelmora::Particle> seen;
    probe.snapshot(seen);
    // The emitters' origin is always in the frame.
    Extent extent = {0.0f, 0.0f, 0.0f, 0.0f};
    includeParticles(extent, seen);
    const KWBound area = getGlobalBounds();
    const int height = std::max(1, area.bottom - timeline->height());
    // No closer than twice the natural size: a tiny effect is not blown up to a blur.
    PreviewView framedView = PreviewView::framing(extent, area.right, height, scale(24));
    framedView.scale = std::min(framedView.scale, 2.0f * static_cast<float>(getDpi()) / 96.0f);
    framedView.panX = -0.5f * (extent.left + extent.right) * framedView.scale;
    framedView.panY = 0.5f * (extent.bottom + extent.top) * framedView.scale;
    setView(framedView);
}

void Preview::drawGrid() {
    const int width = canvas.width(), height = canvas.height();
    const float spacing = gridSpacing(view.scale, static_cast<float>(scale(24)));
    const int r = (background >> 16) & 0xFF, g = (background >> 8) & 0xFF, b = background & 0xFF;
    // Lines light on a dark background, dark on a light one.
    const std::uint32_t ink = (r * 3 + g * 6 + b) / 10 > 128 ? 0x000000 : 0xFFFFFF;
    const float firstX = std::ceil(view.toEffectX(0.0f, width) / spacing) * spacing;
    for (float x = firstX; view.toClientX(x, width) < static_cast<float>(width); x += spacing) {
        const bool axis = std::fabs(x) < spacing * 0.5f;
        canvas.fill(static_cast<int>(std::floor(view.toClientX(x, width))), 0, 1, height, ink,
                    axis ? 80 : 32);
    }
    const float firstY = std::floor(view.toEffectY(0.0f, height) / spacing) * spacing;
    for (float y = firstY; view.toClientY(y, height) < static_cast<float>(height); y -= spacing) {
        const bool axis = std::fabs(y) < spacing * 0.5f;
        canvas.fill(0, static_cast<int>(std::floor(view.toClientY(y, height))), width, 1, ink,
                    axis ? 80 : 32);
    }
}

void Preview::drawOrigin() {
    const int x = static_cast<int>(std::floor(view.toClientX(0.0f, canvas.width())));
    const int y = static_cast<int>(std::floor(view.toClientY(0.0f, canvas.height())));
    const int arm = scale(6);
    canvas.fill(x - arm, y, 2 * arm + 1, 1, 0xFF4040, 200);
    canvas.fill(x, y - arm, 1, 2 * arm + 1, 0xFF4040, 200);
}

void Preview::render() {
    const KWBound area = getGlobalBounds();
    const int height = std::max(1, area.bottom - timeline->height());
    if (canvas.width() != area.right || canvas.height() != height) {
        canvas.resize(area.right, height);
    }
    canvas.clear(background);
    if (gridVisible) {
        drawGrid();
    }
    // The particles are drawn as pelmora-render and the flipbook export draw them.
    simulation.snapshot(particles, emitterTexture);
    const View drawn = {view.toClientX(0.0f, canvas.width()), view.toClientY(0.0f, canvas.height()),
                        view.scale};
    drawParticles(canvas, particles, drawn, textures);
    drawOrigin();
    timeline->setTime(time());
}

void Preview::onTimer() {
    const double current = now();
    if (playing) {
        simulation.advance((current - lastTime) * speed);
    }
    lastTime = current;
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
    HDC target = BeginPaint(handle, &ps);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = canvas.width();
    info.bmiHeader.biHeight = -canvas.height(); // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // With a marker to show, the frame is put together off screen so the marker does not flicker.
    HDC dc = target;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    if (!missing.empty()) {
        dc = CreateCompatibleDC(target);
        bitmap = CreateCompatibleBitmap(target, std::max(1, canvas.width()), std::max(1, canvas.height()));
        oldBitmap = SelectObject(dc, bitmap);
    }
    SetDIBitsToDevice(dc, 0, 0, canvas.width(), canvas.height(), 0, 0, 0, canvas.height(), canvas.data(),
                      &info, DIB_RGB_COLORS);
    if (!missing.empty()) {
        // A red crossed box and the names of the textures that could not be read.
        const int box = scale(12), left = scale(8), top = scale(8);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(230, 40, 40));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, left, top, left + box, top + box);
        MoveToEx(dc, left, top, nullptr);
        LineTo(dc, left + box, top + box);
        MoveToEx(dc, left + box - 1, top, nullptr);
        LineTo(dc, left - 1, top + box);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        std::string text = "missing texture: ";
        for (std::size_t i = 0; i < missing.size(); ++i) {
            text += (i ? ", " : "") + missing[i];
        }
        HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 80, 80));
        TextOutA(dc, left + box + scale(6), top - scale(1), text.c_str(), static_cast<int>(text.size()));
        SelectObject(dc, oldFont);
        BitBlt(target, 0, 0, canvas.width(), canvas.height(), dc, 0, 0, SRCCOPY);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    EndPaint(handle, &ps);

    ++framesCounted;
    const double current = now();
    if (current - countStart >= 0.5) {
        framesPerSecond = framesCounted / (current - countStart);
        framesCounted = 0;
        countStart = current;
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
        case WM_SIZE:
            if (self->timeline) {
                self->layout();
            }
            break;
        case WM_LBUTTONDOWN:
            SetFocus(window); // the wheel goes to the window with the focus
            return 0;
        case WM_MOUSEWHEEL: {
            POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(window, &point);
            const float notches = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
            PreviewView zoomed = self->view;
            zoomed.zoomAt(static_cast<float>(point.x), static_cast<float>(point.y), self->canvas.width(),
                          self->canvas.height(), notches);
            self->setView(zoomed);
            return 0;
        }
        case WM_MBUTTONDOWN:
            SetFocus(window);
            SetCapture(window);
            self->panning = true;
            self->panFrom = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            return 0;
        case WM_MOUSEMOVE:
            if (self->panning) {
                const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                PreviewView panned = self->view;
                panned.panX += static_cast<float>(point.x - self->panFrom.x);
                panned.panY += static_cast<float>(point.y - self->panFrom.y);
                self->panFrom = point;
                self->setView(panned);
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
