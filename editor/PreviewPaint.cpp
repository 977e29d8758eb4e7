// The preview's drawing: the grid, the particles and the origin into the off-screen buffer, and the
// buffer (with the missing-texture marker) onto the window.
#include "Preview.h"

#include "Timeline.h"
#include "logic/EmitterValues.h"

#include <algorithm>
#include <cmath>

using namespace KW;

namespace pelmora {

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

void Preview::drawCollisionPlanes() {
    for (const editor::System& system : scene.getSystems()) {
        for (const editor::Group& group : system.groups) {
            for (const editor::Emitter& emitter : group.emitters) {
                for (float plane : editor::collisionPlanes(emitter.values)) {
                    const int y = static_cast<int>(std::floor(view.toClientY(plane, canvas.height())));
                    canvas.fill(0, y, canvas.width(), 1, 0x40C0FF, 160);
                }
            }
        }
    }
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
    // The runtime's geometry (trails and sub-emitters included), drawn as a renderer draws it.
    geometry.clear();
    playback.appendGeometry(geometry);
    const View drawn = {view.toClientX(0.0f, canvas.width()), view.toClientY(0.0f, canvas.height()),
                        view.scale};
    drawGeometry(canvas, geometry, drawn, textures);
    drawCollisionPlanes();
    drawOrigin();
    timeline->setTime(time());
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
    if (missing.empty()) {
        SetDIBitsToDevice(target, 0, 0, canvas.width(), canvas.height(), 0, 0, 0, canvas.height(),
                          canvas.data(), &info, DIB_RGB_COLORS);
    } else {
        // With a marker to show, the frame is put together off screen so the marker does not flicker.
        HDC dc = CreateCompatibleDC(target);
        HBITMAP bitmap =
            CreateCompatibleBitmap(target, std::max(1, canvas.width()), std::max(1, canvas.height()));
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        SetDIBitsToDevice(dc, 0, 0, canvas.width(), canvas.height(), 0, 0, 0, canvas.height(), canvas.data(),
                          &info, DIB_RGB_COLORS);
        paintMissingMarker(dc);
        BitBlt(target, 0, 0, canvas.width(), canvas.height(), dc, 0, 0, SRCCOPY);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    EndPaint(handle, &ps);
    countFrame();
}

// A red crossed box and the names of the textures that could not be read.
void Preview::paintMissingMarker(HDC dc) {
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
}

void Preview::countFrame() {
    ++framesCounted;
    const double current = now();
    if (current - countStart >= 0.5) {
        framesPerSecond = framesCounted / (current - countStart);
        framesCounted = 0;
        countStart = current;
    }
    if (frameListener) {
        frameListener(playback.particleCount(), framesPerSecond);
    }
}

} // namespace pelmora
