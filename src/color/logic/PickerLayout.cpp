#include "color/logic/PickerLayout.h"

#include "color/logic/Hsv.h"
#include "core/logic/DpiScale.h"

#include <algorithm>

namespace KW {
namespace picker {

Layout layoutAt(int dpi, int areaFrame) {
    const auto s = [dpi](int pixelsAt96) { return dpi::scaled(pixelsAt96, dpi); };
    Layout l = {};
    // The areas scale; the ramp is what their client edges leave of them (256 at 96 DPI).
    const int side = s(hsv::baseRamp + 4);
    l.ramp = std::max(2, side - areaFrame);
    l.sliderWidth = s(30);
    l.swatchSize = s(80);
    l.markerColumn = s(hsv::baseMarkerColumn);
    l.ringRadius = s(5);
    l.sliderRingWidth = 2.0f * static_cast<float>(dpi) / static_cast<float>(dpi::baseDpi);
    l.boxRingWidth = static_cast<float>(dpi) / static_cast<float>(dpi::baseDpi);
    if (dpi <= 0) {
        l.sliderRingWidth = 2.0f;
        l.boxRingWidth = 1.0f;
    }
    l.darkCorner = s(50);

    // Areas side by side with a margin between them, each as tall as the box.
    const int margin = s(10);
    l.box = {margin, margin, side, side};
    l.hue = {l.box.x + side + margin, margin, l.sliderWidth, side};
    l.alpha = {l.hue.x + l.sliderWidth + margin, margin, l.sliderWidth, side};
    l.result = {l.alpha.x + l.sliderWidth + margin, margin, s(70), s(70)};
    l.text = {l.result.x, l.result.y + l.result.height + margin, s(450), s(100)};
    const int areasBottom = margin + side;
    const int buttonWidth = s(70);
    l.ok = {l.result.x, areasBottom - s(30), buttonWidth, s(25)};
    l.cancel = {l.ok.x + buttonWidth, l.ok.y, buttonWidth, l.ok.height};
    l.popupWidth = l.cancel.x + buttonWidth + s(20);
    l.popupHeight = areasBottom + s(35);

    l.fields = {margin, areasBottom + s(8), s(500), s(24)};
    l.fieldsGrowth = s(35);
    int x = 0;
    for (int i = 0; i < fieldCount; ++i) {
        const bool hex = i == numeric::FIELD_HEX;
        const int labelWidth = s(hex ? 26 : 14);
        const int editWidth = s(hex ? 80 : 38);
        l.field[i].label = {x, s(4), labelWidth, s(16)};
        l.field[i].edit = {x + labelWidth, 0, editWidth, s(22)};
        x += labelWidth + editWidth + s(4);
    }
    return l;
}

} // namespace picker
} // namespace KW
