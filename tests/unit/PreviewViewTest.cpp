#include "logic/PreviewView.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(PreviewView, ZoomKeepsTheCursorPointAndFramingFillsTheClient) {
    PreviewView view;
    view.panX = 30;
    const float x = view.toEffectX(500, 800), y = view.toEffectY(100, 600);
    view.zoomAt(500, 100, 800, 600, 3);
    EXPECT_NEAR(view.scale, 1.953125f, 1e-5f);
    EXPECT_NEAR(view.toClientX(x, 800), 500, 1e-3f);
    EXPECT_NEAR(view.toClientY(y, 600), 100, 1e-3f);
    view.zoomAt(0, 0, 800, 600, -100);
    EXPECT_EQ(view.scale, PreviewView::kMinScale);

    // A fountain 100 wide and 300 tall above its origin fills the height of a 800 x 600 client.
    const PreviewView framed = PreviewView::framing({-50, 0, 50, 300}, 800, 600, 20);
    EXPECT_NEAR(framed.scale, 560.0f / 300, 1e-4f);
    EXPECT_NEAR(framed.toClientY(300, 600), 20, 1e-3f);
    EXPECT_NEAR(framed.toClientY(0, 600), 580, 1e-3f);
    EXPECT_NEAR(framed.toClientX(0, 800), 400, 1e-3f);
}

TEST(PreviewView, GridLinesAreOneTwoOrFiveTimesAPowerOfTenApart) {
    const struct {
        float scale, spacing;
    } cases[] = {{1.0f, 50.0f}, {2.0f, 20.0f}, {0.1f, 500.0f}, {10.0f, 5.0f}, {30.0f, 2.0f}, {40.0f, 1.0f}, {0.4f, 100.0f}};
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(gridSpacing(c.scale, 32.0f), c.spacing) << c.scale;
    }
}

} // namespace
} // namespace pelmora
