#include "graphs/logic/ColorEditView.h"
#include "graphs/logic/SwatchRaster.h"

#include <gtest/gtest.h>

#include <vector>

using namespace KW;
using namespace KW::coloredit;

namespace {

const uint32_t grey = 0xFF969696u;
const uint32_t white = 0xFFFFFFFFu;
const uint32_t background = 0xFFC8C8C8u;

struct Canvas {
    std::vector<uint32_t> pixels;
    PixelRows rows;
    Canvas(int width, int height, uint32_t fill = background)
        : pixels(static_cast<size_t>(width) * height, fill), rows{reinterpret_cast<unsigned char*>(
                                                                      pixels.data()),
                                                                  width, height, width * 4} {}
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * rows.width + x]; }
};

} // namespace

TEST(SwatchRaster, SourceOverWeighsBothAlphasAndTruncates) {
    // Half-transparent red over the grey cell: (255 * 128 + 150 * 127) / 255 = 202, 150 * 127 / 255 = 74.
    EXPECT_EQ(blendOver(grey, 0x80FF0000u), 0xFFCA4A4Au);
    EXPECT_EQ(blendOver(white, 0x80FF0000u), 0xFFFF7F7Fu);
    EXPECT_EQ(blendOver(grey, 0x00123456u), grey);
    EXPECT_EQ(blendOver(grey, 0xFF123456u), 0xFF123456u);
    // Onto a transparent pixel the colour keeps its own alpha.
    EXPECT_EQ(blendOver(0x00000000u, 0x40102030u), 0x40102030u);
    // Onto a half-transparent one: alpha 64 + 128 * 191 / 255 = 159.
    const uint32_t mixed = blendOver(0x80FFFFFFu, 0x40000000u);
    EXPECT_EQ(mixed >> 24, 159u);
    EXPECT_EQ(mixed & 0xFF, (255u * 95u) / 159u);
    EXPECT_EQ(toArgb(KWColor(1, 2, 3, 4)), 0x04010203u);
    EXPECT_EQ(toArgb(KWColor(256 + 7, 0, 0, 255)), 0xFF070000u);
}

TEST(SwatchRaster, FloatRectanglesRoundTheirEdgesHalfUpAndClip) {
    Canvas canvas(20, 10);
    fillRect(canvas.rows, 2.4f, 1.0f, 5.0f, 2.0f, 0xFF010203u); // columns 2..6, rows 1..2
    EXPECT_EQ(canvas.at(1, 1), background);
    EXPECT_EQ(canvas.at(2, 1), 0xFF010203u);
    EXPECT_EQ(canvas.at(6, 2), 0xFF010203u);
    EXPECT_EQ(canvas.at(7, 2), background);
    EXPECT_EQ(canvas.at(2, 3), background);
    fillRect(canvas.rows, 9.5f, 0.0f, 1.0f, 1.0f, 0xFF00FF00u); // a half rounds up: column 10 only
    EXPECT_EQ(canvas.at(9, 0), background);
    EXPECT_EQ(canvas.at(10, 0), 0xFF00FF00u);
    // Beyond every edge: clipped, nothing written outside.
    fillRect(canvas.rows, -100.0f, -100.0f, 1000.0f, 1000.0f, 0xFF0000FFu);
    EXPECT_EQ(canvas.at(0, 0), 0xFF0000FFu);
    EXPECT_EQ(canvas.at(19, 9), 0xFF0000FFu);
    fillRect(canvas.rows, 1e30f, 0.0f, 5.0f, 5.0f, 0xFF000000u);
    fillRect(canvas.rows, -1e30f, 0.0f, 5.0f, 5.0f, 0xFF000000u);
    EXPECT_EQ(canvas.at(0, 0), 0xFF0000FFu);
}

TEST(SwatchRaster, CheckerboardStaysAnchoredAtTheOrigin) {
    Canvas canvas(20, 20);
    fillChecker(canvas.rows, 3.0f, 0.0f, 10.0f, 20.0f);
    EXPECT_EQ(canvas.at(3, 0), grey);
    EXPECT_EQ(canvas.at(5, 0), white);
    EXPECT_EQ(canvas.at(10, 0), grey);
    EXPECT_EQ(canvas.at(5, 5), grey);
    EXPECT_EQ(canvas.at(4, 5), white);
    EXPECT_EQ(canvas.at(2, 0), background);
    EXPECT_EQ(canvas.at(13, 0), background);
}

TEST(SwatchRaster, KeyColumnsShowTheirSwatchesOverTheCheckerboardInVectorOrder) {
    Canvas canvas(120, 40);
    ColorEditView view;
    std::vector<KWColorPoint> keys;
    keys.push_back(KWColorPoint(20.0f, KWColor(255, 0, 0, 255), KWColor(255, 0, 0, 0)));
    keys.push_back(KWColorPoint(60.0f, KWColor(255, 0, 0, 128), KWColor(0, 0, 255, 255)));
    keys.push_back(KWColorPoint(64.0f, KWColor(0, 255, 0, 255), KWColor(0, 255, 0, 255)));
    paintKeyColumns(canvas.rows, keys, view, 5);

    // Key at 20: columns 15..24, upper opaque red on rows 0..9, lower transparent: bare checkerboard.
    EXPECT_EQ(canvas.at(15, 0), 0xFFFF0000u);
    EXPECT_EQ(canvas.at(24, 9), 0xFFFF0000u);
    EXPECT_EQ(canvas.at(14, 0), background);
    EXPECT_EQ(canvas.at(25, 0), background);
    EXPECT_EQ(canvas.at(16, 10), white);
    EXPECT_EQ(canvas.at(16, 15), grey);
    EXPECT_EQ(canvas.at(16, 19), grey);
    EXPECT_EQ(canvas.at(16, 20), background);
    // Key at 60, columns 55..64, half-transparent red over the checkerboard; the later key at 64
    // (columns 59..68) covers it from column 59 on.
    EXPECT_EQ(canvas.at(55, 0), 0xFFFF7F7Fu);
    EXPECT_EQ(canvas.at(55, 5), 0xFFCA4A4Au);
    EXPECT_EQ(canvas.at(57, 5), 0xFFCA4A4Au);
    EXPECT_EQ(canvas.at(58, 15), 0xFF0000FFu);
    EXPECT_EQ(canvas.at(59, 0), 0xFF00FF00u);
    EXPECT_EQ(canvas.at(68, 19), 0xFF00FF00u);
    EXPECT_EQ(canvas.at(69, 19), background);
}

TEST(SwatchRaster, KeyColumnsFollowZoomPanAndSkipKeysOffTheRows) {
    Canvas canvas(100, 30);
    ColorEditView view;
    view.pan(-150);
    std::vector<KWColorPoint> keys;
    keys.push_back(KWColorPoint(0.0f, KWColor(1, 1, 1, 255), KWColor(1, 1, 1, 255)));
    keys.push_back(KWColorPoint(100.0f, KWColor(9, 9, 9, 255), KWColor(9, 9, 9, 255)));
    paintKeyColumns(canvas.rows, keys, view, 3);
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(canvas.at(x, 0), background) << x;
    }
    view.pan(200); // key at 0 now centred on x 50
    paintKeyColumns(canvas.rows, keys, view, 3);
    EXPECT_EQ(canvas.at(47, 0), 0xFF010101u);
    EXPECT_EQ(canvas.at(52, 11), 0xFF010101u);
    EXPECT_EQ(canvas.at(53, 0), background);
    EXPECT_EQ(canvas.at(50, 12), background);
}

TEST(SwatchRaster, BottomUpRowsWithANegativeStride) {
    std::vector<uint32_t> pixels(4 * 3, background);
    // Row 0 is the last one in memory.
    PixelRows rows{reinterpret_cast<unsigned char*>(pixels.data() + 8), 4, 3, -16};
    fillRect(rows, 0.0f, 0.0f, 4.0f, 1.0f, 0xFF112233u);
    EXPECT_EQ(pixels[8], 0xFF112233u);
    EXPECT_EQ(pixels[11], 0xFF112233u);
    EXPECT_EQ(pixels[0], background);
}
