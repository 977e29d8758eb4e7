#include "KWColorEdit.h"

#include "color/GdiPlus.h"
#include "core/DpiFonts.h"
#include "graphs/logic/ColorEditModel.h"
#include "graphs/logic/ColorEditView.h"
#include "graphs/logic/EditorMetrics.h"
#include "graphs/logic/SwatchRaster.h"
#include "core/Theme.h"

#include <string>

namespace KW {

namespace {

Gdiplus::Color opaque(COLORREF color) {
    return Gdiplus::Color(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

} // namespace

// Runs paintRows on the buffer's pixels; false when the buffer cannot be locked.
template <typename Paint> static bool withLockedPixels(Gdiplus::Bitmap* bitmap, Paint paintRows) {
    Gdiplus::Rect whole(0, 0, static_cast<INT>(bitmap->GetWidth()), static_cast<INT>(bitmap->GetHeight()));
    Gdiplus::BitmapData data;
    if (bitmap->LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                         PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return false;
    }
    coloredit::PixelRows rows{static_cast<unsigned char*>(data.Scan0), static_cast<int>(data.Width),
                              static_cast<int>(data.Height), data.Stride};
    paintRows(rows);
    bitmap->UnlockBits(&data);
    return true;
}

void KWColorEdit::drawColors(HDC hdc) {
    if (!backBuffer || !backGraphics || backBuffer->GetLastStatus() != Gdiplus::Ok) {
        return;
    }
    const KWBound client = getGlobalBounds();
    // Solid fills and the key columns go straight into the buffer's pixels, with the compositing
    // arithmetic of GDI+: the platform's GDI+ spends a fraction of a millisecond on every small fill,
    // which a thousand keys would turn into seconds per paint. GDI+ itself draws them when the buffer
    // cannot be locked.
    const COLORREF background = theme::current().graphBackground;
    const uint32_t backgroundArgb = 0xFF000000u | (static_cast<uint32_t>(GetRValue(background)) << 16) |
                                    (static_cast<uint32_t>(GetGValue(background)) << 8) |
                                    GetBValue(background);
    const bool locked = withLockedPixels(backBuffer, [&](coloredit::PixelRows& rows) {
        coloredit::fillRect(rows, 0.0f, 0.0f, static_cast<float>(client.right),
                            static_cast<float>(client.bottom), backgroundArgb);
    });
    if (!locked) {
        Gdiplus::SolidBrush fill(opaque(background));
        backGraphics->FillRectangle(&fill, 0, 0, client.right, client.bottom);
    }
    drawGrid(backGraphics);

    const std::vector<KWColorPoint>& keys = model->getPoints();
    const bool painted = locked && withLockedPixels(backBuffer, [&](coloredit::PixelRows& rows) {
                             coloredit::paintKeyColumns(rows, keys, *view, markerSize);
                         });
    const float m = static_cast<float>(markerSize);
    const float bufferWidth = static_cast<float>(backBuffer->GetWidth());
    if (!painted) {
        std::unique_ptr<Gdiplus::Bitmap> tile = paint::makeCheckerTile();
        Gdiplus::TextureBrush checker(tile.get(), Gdiplus::WrapModeTile);
        for (const KWColorPoint& key : keys) {
            const float left = view->keyCenterX(key.position) - m;
            if (!(left + 2 * m >= 0.0f && left <= bufferWidth)) {
                continue;
            }
            backGraphics->FillRectangle(&checker, left, 0.0f, 2 * m, 4 * m);
            Gdiplus::SolidBrush upper(paint::toGdiplus(key.color1));
            backGraphics->FillRectangle(&upper, left, 0.0f, 2 * m, 2 * m);
            Gdiplus::SolidBrush lower(paint::toGdiplus(key.color2));
            backGraphics->FillRectangle(&lower, left, 2 * m, 2 * m, 2 * m);
        }
    }
    // The dots lie below every swatch, so drawing them after all columns keeps the picture.
    Gdiplus::SolidBrush selection(opaque(theme::current().markerSelected));
    for (const KWColorPoint& key : keys) {
        const float left = view->keyCenterX(key.position) - m;
        if (key.selected && left + 2 * m >= 0.0f && left <= bufferWidth) {
            backGraphics->FillEllipse(&selection, left, 5 * m, 2 * m, 2 * m);
        }
    }

    Gdiplus::Graphics screen(hdc);
    screen.DrawImage(backBuffer, 0, 0, static_cast<INT>(backBuffer->GetWidth()),
                     static_cast<INT>(backBuffer->GetHeight()));
}

void KWColorEdit::drawGrid(Gdiplus::Graphics* graphics) {
    const KWBound client = getGlobalBounds();
    const float w = static_cast<float>(client.right);
    const float h = static_cast<float>(client.bottom);
    Gdiplus::Pen grid(opaque(theme::current().graphGrid), 1.0f);
    for (float v : view->gridColumns(client.right)) {
        graphics->DrawLine(&grid, v, h, v, 0.0f);
    }
    for (float v : view->gridRows(client.bottom)) {
        graphics->DrawLine(&grid, 0.0f, v, w, v);
    }
    Gdiplus::Pen axis(opaque(theme::current().graphAxis), 1.0f);
    const float ox = static_cast<float>(view->getViewX()) + view->getOriginX();
    graphics->DrawLine(&axis, ox, 0.0f, ox, h);
}

void KWColorEdit::drawMargins(HDC hdc) {
    const KWBound client = getGlobalBounds();
    const int w = client.right;
    const int h = client.bottom;
    const int dpi = getDpi();
    const editormetrics::Gradient metrics = editormetrics::gradient(dpi);
    SelectObject(hdc, dpi::guiFont(dpi));
    SetTextAlign(hdc, TA_CENTER);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, theme::current().text);
    const RECT band = {0, h - metrics.bandHeight, w, h};
    FillRect(hdc, &band, theme::labelBandBrush());
    for (const coloredit::AxisLabel& label : view->labels(w)) {
        const std::wstring text = std::to_wstring(label.value);
        TextOutW(hdc, label.x, h - metrics.labelOffset, text.c_str(), static_cast<int>(text.size()));
    }
}

} // namespace KW
