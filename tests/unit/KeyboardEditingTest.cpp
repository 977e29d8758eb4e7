#include "graphs/logic/ColorEditModel.h"
#include "graphs/logic/ColorEditView.h"
#include "graphs/logic/FloatGraphModel.h"
#include "graphs/logic/GraphView.h"
#include "graphs/logic/KeyOrder.h"

#include <gtest/gtest.h>

using namespace KW;

TEST(KeyOrder, TabWalksByPositionAndWrapsRound) {
    const std::vector<float> positions = {0.0f, 70.0f, 30.0f, 30.0f, 100.0f};
    const struct {
        int current;
        bool forward;
        int expected;
    } cases[] = {
        {-1, true, 0}, {-1, false, 4}, {0, true, 2},  {2, true, 3},  {3, true, 1},
        {1, true, 4},  {4, true, 0},   {0, false, 4}, {3, false, 2}, {9, true, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyorder::step(positions, c.current, c.forward), c.expected) << c.current << c.forward;
    }
    EXPECT_EQ(keyorder::step({}, -1, true), -1);
}

TEST(KeyboardEditing, CurveNudgeKeepsTheDragConstraintsAndTheEndPositions) {
    floatgraph::Keys keys = floatgraph::initialKeys();
    ASSERT_TRUE(floatgraph::insertKey(keys, 50.0f, -10.0f));
    keys[1].y2 = -4.0f;
    EXPECT_FALSE(floatgraph::nudgeSelected(keys, 1.0f, 1.0f)) << "nothing selected";
    keys[1].selected = true;
    EXPECT_TRUE(floatgraph::nudgeSelected(keys, 2.5f, -1.0f));
    EXPECT_EQ(keys[1].x, 52.5f);
    EXPECT_EQ(keys[1].y1, -11.0f);
    EXPECT_EQ(keys[1].y2, -5.0f);
    // Down past the axis: both values end at 0 at most, in order.
    EXPECT_TRUE(floatgraph::nudgeSelected(keys, 0.0f, 8.0f));
    EXPECT_EQ(keys[1].y1, -3.0f);
    EXPECT_EQ(keys[1].y2, 0.0f);
    EXPECT_TRUE(floatgraph::nudgeSelected(keys, 60.0f, 0.0f));
    EXPECT_EQ(keys[1].x, 100.0f);
    EXPECT_FALSE(floatgraph::nudgeSelected(keys, 1.0f, 0.0f)) << "held at 100";
    keys[1].selected = false;
    keys[0].selected = true;
    EXPECT_TRUE(floatgraph::nudgeSelected(keys, 5.0f, -2.0f));
    EXPECT_EQ(keys[0].x, 0.0f) << "an end key keeps its position";
    EXPECT_EQ(keys[0].y1, -2.0f);
    EXPECT_FALSE(floatgraph::nudgeSelected(keys, -5.0f, 0.0f));
}

TEST(KeyboardEditing, GradientNudgeHoldsTheRangeAndTheEnds) {
    coloredit::ColorEditModel model;
    ASSERT_TRUE(model.insertAt(40.0f, 0.0f));
    model.selectIndex(1);
    EXPECT_TRUE(model.nudgeSelected(-10.0f));
    EXPECT_EQ(model.getPoints()[1].position, 30.0f);
    EXPECT_TRUE(model.nudgeSelected(-100.0f));
    EXPECT_EQ(model.getPoints()[1].position, 0.0f);
    EXPECT_FALSE(model.nudgeSelected(-1.0f));
    model.selectIndex(2);
    EXPECT_FALSE(model.getPoints()[1].selected);
    EXPECT_FALSE(model.nudgeSelected(-1.0f)) << "an end key keeps its position";
    model.selectIndex(7);
    EXPECT_FALSE(model.getPoints()[2].selected);
}

TEST(KeyboardEditing, FramingCentresTheKeysAtTheLargestScale) {
    // 100 x 50 data units into a 400 x 300 area: each axis fits its own span.
    graphview::View view =
        graphview::framed({0, -50, 100, 0}, {50, 10, 450, 310}, {1.0f, 1.0f}, graphview::kMinScale);
    EXPECT_EQ(view.scale, 4.0f);
    EXPECT_EQ(view.originX, 50.0f);
    EXPECT_EQ(view.originY, 310.0f);
    EXPECT_EQ(view.viewX, 0);
    // Tall data: the height decides the vertical scale; the scale stays within its bounds.
    view = graphview::framed({0, -200, 100, 0}, {0, 0, 400, 100}, {1.0f, 1.0f}, graphview::kMinScale);
    EXPECT_EQ(view.scaleY, 0.5f);
    view = graphview::framed({50, -1, 51, 0}, {0, 0, 400, 100}, {1.0f, 1.0f}, graphview::kMinScale);
    EXPECT_EQ(view.scale, graphview::kMaxScale);
    // All keys in one point: the scale is kept and the point centred.
    view = graphview::framed({10, 0, 10, 0}, {0, 0, 400, 100}, {2.0f, 2.0f}, graphview::kMinScale);
    EXPECT_EQ(view.scale, 2.0f);
    EXPECT_EQ(view.originX, 200.0f - 20.0f);

    coloredit::ColorEditView gradient;
    gradient.pan(37);
    gradient.frame(0.0f, 100.0f, 420, 10);
    EXPECT_EQ(gradient.getScale(), 4.0f);
    EXPECT_EQ(gradient.getOriginX(), 10.0f);
    EXPECT_EQ(gradient.getViewX(), 0);
    EXPECT_EQ(gradient.keyCenterX(100.0f), 410.0f);
    gradient.frame(20.0f, 20.5f, 420, 10);
    EXPECT_EQ(gradient.getScale(), coloredit::ColorEditView::maxScale);
}
