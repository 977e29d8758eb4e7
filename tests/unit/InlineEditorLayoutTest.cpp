#include "controls/logic/InlineEditorLayout.h"

#include <gtest/gtest.h>

using namespace KW;

namespace {

void expectBound(const KWBound& actual, int left, int right, int top, int bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.bottom, bottom);
}

} // namespace

TEST(InlineEditorLayout, SquareButtonAtTheRightEnd) {
    // A cell from (10, 150), 40 x 20.
    layout::InlineEditorParts parts = layout::inlineEditorParts(KWBound(10, 50, 150, 170));
    expectBound(parts.container, 10, 40, 150, 20);
    expectBound(parts.field, 0, 20, 0, 20);
    expectBound(parts.button, 20, 20, 0, 20);

    // Edges (0, 200, 40, 60): 200 x 20 at (0, 40).
    parts = layout::inlineEditorParts(KWBound(0, 200, 40, 60));
    expectBound(parts.container, 0, 200, 40, 20);
    expectBound(parts.field, 0, 180, 0, 20);
    expectBound(parts.button, 180, 20, 0, 20);
}

TEST(InlineEditorLayout, NarrowCellLeavesNoField) {
    layout::InlineEditorParts parts = layout::inlineEditorParts(KWBound(0, 20, 0, 20));
    expectBound(parts.field, 0, 0, 0, 20);
    expectBound(parts.button, 0, 20, 0, 20);

    // Narrower than high: the square keeps its side and is clipped by the container on the left.
    parts = layout::inlineEditorParts(KWBound(5, 15, 0, 30));
    expectBound(parts.container, 5, 10, 0, 30);
    expectBound(parts.field, 0, 0, 0, 30);
    expectBound(parts.button, -20, 30, 0, 30);
}
