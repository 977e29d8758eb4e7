#include "GraphWindow.h"

using namespace KW;

namespace {

KWGraphPoint point(float x, float y1, float y2) {
    KWGraphPoint key;
    key.x = x;
    key.y1 = y1;
    key.y2 = y2;
    return key;
}

class FloatGraphEditing : public kwtest::GraphWindowTest {
protected:
    void SetUp() override {
        GraphWindowTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        // Data (0, 0) at client (100, 150): data (x, y) shows at (100 + x, 150 + y) at scale 1.
        graph->moveView(100, 150);
        graph->insertPoint(50.0f, -20.0f); // client (150, 130)
        mouseMove(0, 0);
    }

    const KWGraphPoint& key(size_t index) const { return graph->getPoints().at(index); }

    int selectedIndex() const {
        const std::vector<KWGraphPoint>& keys = graph->getPoints();
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i].selected) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    // Moves onto a client point and presses a button there, as the system delivers it.
    void pressAt(UINT msg, int x, int y, WPARAM keys) {
        mouseMove(x, y, 0);
        press(msg, x, y, keys);
    }
};

} // namespace

TEST_F(FloatGraphEditing, MouseMovesKeepTheCursorInDataUnits) {
    mouseMove(130, 100);
    EXPECT_EQ(graph->getCursorX(), 30.0f);
    EXPECT_EQ(graph->getCursorY(), -50.0f);
    mouseMove(-20, 300);
    EXPECT_EQ(graph->getCursorX(), -120.0f);
    EXPECT_EQ(graph->getCursorY(), 150.0f);
    // A release updates the cursor from its own position.
    press(WM_LBUTTONUP, 110, 140, 0);
    EXPECT_EQ(graph->getCursorX(), 10.0f);
    EXPECT_EQ(graph->getCursorY(), -10.0f);
}

TEST_F(FloatGraphEditing, PressSelectsAndFocusesAndAMissClearsTheSelection) {
    SetFocus(frame->getHandle());
    pressAt(WM_LBUTTONDOWN, 152, 127, MK_LBUTTON); // within 3 pixels of (150, 130)
    EXPECT_EQ(selectedIndex(), 1);
    EXPECT_EQ(GetFocus(), graphWindow());
    press(WM_LBUTTONUP, 152, 127, 0);

    pressAt(WM_LBUTTONDOWN, 154, 130, MK_LBUTTON); // 4 pixels away
    EXPECT_EQ(selectedIndex(), -1);
    press(WM_LBUTTONUP, 154, 130, 0);

    // The press uses the cursor of the last move, not its own position.
    mouseMove(150, 130);
    press(WM_RBUTTONDOWN, 10, 10, MK_RBUTTON);
    EXPECT_EQ(selectedIndex(), 1);
    press(WM_RBUTTONUP, 10, 10, 0);
}

TEST_F(FloatGraphEditing, LeftDragMovesTheWholeKeyAndShiftOrControlRestrictIt) {
    pressAt(WM_LBUTTONDOWN, 150, 130, MK_LBUTTON);
    ASSERT_EQ(selectedIndex(), 1);
    mouseMove(160, 120, MK_LBUTTON);
    EXPECT_EQ(key(1).x, 60.0f);
    EXPECT_EQ(key(1).y1, -30.0f);
    EXPECT_EQ(key(1).y2, -30.0f);
    mouseMove(170, 110, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(key(1).x, 60.0f) << "Shift keeps x";
    EXPECT_EQ(key(1).y1, -40.0f);
    mouseMove(180, 100, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(key(1).x, 70.0f);
    EXPECT_EQ(key(1).y1, -40.0f) << "Control keeps y";
    mouseMove(190, 90, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(key(1).x, 70.0f);
    EXPECT_EQ(key(1).y1, -40.0f);
    // Downward past the axis and right past 100: clamped, and the key keeps its place.
    mouseMove(400, 190, MK_LBUTTON);
    EXPECT_EQ(key(1).x, 100.0f);
    EXPECT_EQ(key(1).y1, 0.0f);
    EXPECT_EQ(key(1).y2, 0.0f);
    EXPECT_EQ(graph->getPoints().size(), 3u);
    EXPECT_FALSE(key(1).fixed);
    press(WM_LBUTTONUP, 400, 190, 0);
    // Without a button the mouse moves nothing.
    mouseMove(300, 20, 0);
    EXPECT_EQ(key(1).x, 100.0f);
}

TEST_F(FloatGraphEditing, RightDragMovesTheLowerValueAndPushesTheUpperOne) {
    graph->insertPoint(80.0f, -40.0f); // client (180, 110)
    pressAt(WM_LBUTTONDOWN, 180, 110, MK_LBUTTON);
    press(WM_LBUTTONUP, 180, 110, 0);
    ASSERT_EQ(selectedIndex(), 2);
    pressAt(WM_RBUTTONDOWN, 180, 110, MK_RBUTTON);
    mouseMove(180, 125, MK_RBUTTON);
    EXPECT_EQ(key(2).y1, -40.0f);
    EXPECT_EQ(key(2).y2, -25.0f);
    mouseMove(182, 95, MK_RBUTTON);
    EXPECT_EQ(key(2).y2, -55.0f);
    EXPECT_EQ(key(2).y1, -55.0f) << "carried along";
    EXPECT_EQ(key(2).x, 82.0f);
    mouseMove(182, 115, MK_RBUTTON);
    EXPECT_EQ(key(2).y2, -35.0f);
    EXPECT_EQ(key(2).y1, -55.0f) << "left where it was pushed";
    press(WM_RBUTTONUP, 182, 115, 0);

    // A right double click makes the lower value equal to the upper one again.
    send(WM_RBUTTONDBLCLK, MK_RBUTTON, 182, 115);
    EXPECT_EQ(key(2).y2, -55.0f);
    EXPECT_EQ(key(1).y2, -20.0f);
}

TEST_F(FloatGraphEditing, BothButtonsDragBothWaysAndASecondPressKeepsTheSelection) {
    pressAt(WM_LBUTTONDOWN, 150, 130, MK_LBUTTON);
    ASSERT_EQ(selectedIndex(), 1);
    // The right button goes down elsewhere while the left one is held.
    mouseMove(300, 30, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(key(1).x, 100.0f);
    press(WM_RBUTTONDOWN, 300, 30, MK_LBUTTON | MK_RBUTTON);
    EXPECT_EQ(selectedIndex(), 1);
    mouseMove(300, 20, MK_LBUTTON | MK_RBUTTON);
    // Whole key up by 10, then the lower value up by 10 more, pushing the upper one.
    EXPECT_EQ(key(1).y1, -40.0f);
    EXPECT_EQ(key(1).y2, -40.0f);
    press(WM_RBUTTONUP, 300, 20, MK_LBUTTON);
    press(WM_LBUTTONUP, 300, 20, 0);
}

TEST_F(FloatGraphEditing, DoubleClickInsertsAtTheCursorWithoutSelecting) {
    mouseMove(130, 100);
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, 130, 100);
    ASSERT_EQ(graph->getPoints().size(), 4u);
    EXPECT_EQ(key(1).x, 30.0f);
    EXPECT_EQ(key(1).y1, -50.0f);
    EXPECT_EQ(key(1).y2, -50.0f);
    EXPECT_FALSE(key(1).selected);
    EXPECT_FALSE(key(1).fixed);
    // On top of an existing key: inserted after it, no hit test.
    mouseMove(150, 130);
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, 150, 130);
    ASSERT_EQ(graph->getPoints().size(), 5u);
    EXPECT_EQ(key(3).x, 50.0f);
    EXPECT_EQ(key(3).y1, -20.0f);
    // Below the axis or outside 0..100: nothing.
    mouseMove(130, 170);
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, 130, 170);
    mouseMove(90, 100);
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, 90, 100);
    EXPECT_EQ(graph->getPoints().size(), 5u);
}

TEST_F(FloatGraphEditing, RealDoubleClickReachesTheGraph) {
    const POINT target = screenOf(140, 90); // data (40, -60)
    ASSERT_TRUE(SetCursorPos(target.x, target.y));
    kwtest::pumpMessages();
    INPUT clicks[4] = {};
    const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                            MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = flags[i];
    }
    ASSERT_EQ(SendInput(4, clicks, sizeof(INPUT)), 4u);
    ASSERT_TRUE(kwtest::pumpUntil([this] { return graph->getPoints().size() == 4; }));
    EXPECT_EQ(key(1).x, 40.0f);
    EXPECT_EQ(key(1).y1, -60.0f);
}

TEST_F(FloatGraphEditing, DeleteRemovesTheSelectedKeyButNeverAnEndKey) {
    pressAt(WM_LBUTTONDOWN, 150, 130, MK_LBUTTON);
    press(WM_LBUTTONUP, 150, 130, 0);
    keyDown(VK_DELETE);
    ASSERT_EQ(graph->getPoints().size(), 2u);
    EXPECT_EQ(key(0).x, 0.0f);
    EXPECT_EQ(key(1).x, 100.0f);
    keyDown(VK_DELETE);
    EXPECT_EQ(graph->getPoints().size(), 2u) << "nothing selected";

    pressAt(WM_LBUTTONDOWN, 100, 150, MK_LBUTTON);
    press(WM_LBUTTONUP, 100, 150, 0);
    ASSERT_EQ(selectedIndex(), 0);
    keyDown(VK_DELETE);
    pressAt(WM_LBUTTONDOWN, 200, 150, MK_LBUTTON);
    press(WM_LBUTTONUP, 200, 150, 0);
    ASSERT_EQ(selectedIndex(), 1);
    keyDown(VK_DELETE);
    EXPECT_EQ(graph->getPoints().size(), 2u);
}

TEST_F(FloatGraphEditing, HomeMakesEveryLowerValueEqualToTheUpperOne) {
    ASSERT_TRUE(graph->setPoints({point(0, -10, 0), point(40, -30, -5), point(100, -2, -1)}));
    keyDown(VK_HOME);
    for (const KWGraphPoint& k : graph->getPoints()) {
        EXPECT_EQ(k.y2, k.y1);
    }
}

TEST_F(FloatGraphEditing, MiddleButtonPans) {
    mouseMove(200, 100);
    mouseMove(230, 90, MK_MBUTTON);
    // The pan moved data (0, 0) to client (130, 140): the cursor there is the origin.
    EXPECT_EQ(graph->getCursorX(), 100.0f);
    EXPECT_EQ(graph->getCursorY(), -50.0f);
    mouseMove(130, 140);
    EXPECT_EQ(graph->getCursorX(), 0.0f);
    EXPECT_EQ(graph->getCursorY(), 0.0f);
    // The middle button pans even with Shift and Control held, which stop key drags.
    mouseMove(120, 150, MK_MBUTTON | MK_SHIFT | MK_CONTROL);
    mouseMove(120, 150);
    EXPECT_EQ(graph->getCursorX(), 0.0f);
    EXPECT_EQ(graph->getCursorY(), 0.0f);
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 120, 60), RGB(255, 0, 0)) << "vertical axis follows the pan";
}

TEST_F(FloatGraphEditing, WheelZoomsAboutTheMouse) {
    graph->insertPoint(10.0f, -10.0f); // client (110, 140)
    ASSERT_NO_FATAL_FAILURE(wheelAt(110, 140, WHEEL_DELTA));
    EXPECT_NEAR(graph->getCursorX(), 10.0f, 1e-4f);
    EXPECT_NEAR(graph->getCursorY(), -10.0f, 1e-4f);
    // Scale 1.3 about (10, -10): the axes move to x 97 and y 153, the grid to every 13 pixels.
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 97, 60), RGB(255, 0, 0));
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 300, 153), RGB(255, 0, 0));
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 201, 100), RGB(180, 180, 180));
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 200, 100), RGB(210, 208, 212));
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 110, 140), RGB(0, 0, 0)) << "the key stays under the mouse";

    // One step per message whatever the delta; a zero delta does nothing.
    for (int i = 0; i < 5; ++i) {
        ASSERT_NO_FATAL_FAILURE(wheelAt(110, 140, 3 * WHEEL_DELTA));
    }
    ASSERT_NO_FATAL_FAILURE(wheelAt(110, 140, 0));
    // Scale 2.8 now. The cursor floors the origin, so it is exact to within one pixel.
    EXPECT_NEAR(graph->getCursorX(), 10.0f, 0.4f);
    EXPECT_NEAR(graph->getCursorY(), -10.0f, 0.4f);
    mouseMove(141, 140);
    const float right = graph->getCursorX();
    mouseMove(110, 140);
    EXPECT_NEAR(right - graph->getCursorX(), 31.0f / 2.8f, 1e-3f);
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 110, 140), RGB(0, 0, 0));

    for (int i = 0; i < 12; ++i) {
        ASSERT_NO_FATAL_FAILURE(wheelAt(110, 140, -WHEEL_DELTA));
    }
    // Down to the 0.3 floor: 30 pixels are 100 data units.
    EXPECT_NEAR(graph->getCursorX(), 10.0f, 1.0f / 0.3f);
    mouseMove(140, 140);
    const float farther = graph->getCursorX();
    mouseMove(110, 140);
    EXPECT_NEAR(farther - graph->getCursorX(), 100.0f, 1e-3f);
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 110, 140), RGB(0, 0, 0));
}

TEST_F(FloatGraphEditing, ApplicationZoomUsesTheMouseEvenOutsideTheGraph) {
    const POINT outside = screenOf(-8, 60);
    ASSERT_TRUE(SetCursorPos(outside.x, outside.y));
    POINT actual = {};
    ASSERT_TRUE(kwtest::pumpUntil([&] { return GetCursorPos(&actual) && actual.x == outside.x; }));
    graph->zoomIn();
    send(WM_NULL, 0, 0, 0); // the repaint follows with the next message
    // Fixed point (-108, -90) at scale 1.3: the origin moves by 0.3 * 108 and 0.3 * 90 pixels.
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 132, 80), RGB(255, 0, 0));
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 300, 177), RGB(255, 0, 0));
}

TEST_F(FloatGraphEditing, ClientCanReadReplaceAndSampleTheKeys) {
    std::vector<KWGraphPoint> keys = graph->getPoints();
    ASSERT_EQ(keys.size(), 3u);
    keys[1].y1 = -60.0f;
    keys[1].y2 = -20.0f;
    keys[1].fixed = true;
    keys[0].fixed = false;
    ASSERT_TRUE(graph->setPoints(keys));
    EXPECT_TRUE(key(0).fixed);
    EXPECT_FALSE(key(1).fixed);
    EXPECT_TRUE(key(2).fixed);
    KWGraphSample sample = graph->evaluate(25.0f);
    EXPECT_FLOAT_EQ(sample.y1, -30.0f);
    EXPECT_FLOAT_EQ(sample.y2, -10.0f);
    // The repaint shows the new key: a black marker at (150, 90) and a blue one at (150, 130).
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 147, 87), RGB(0, 0, 0));
    EXPECT_EQ(kwtest::pixelAt(graphWindow(), 152, 128), RGB(0, 0, 0));

    const std::vector<KWGraphPoint> before = graph->getPoints();
    std::vector<KWGraphPoint> bad = before;
    bad[1].y2 = -70.0f; // below the upper value
    EXPECT_FALSE(graph->setPoints(bad));
    bad = before;
    bad[1].x = 120.0f;
    EXPECT_FALSE(graph->setPoints(bad));
    EXPECT_FALSE(graph->setPoints({}));
    EXPECT_FALSE(graph->setPoints({point(0, 0, 0), point(60, 0, 0)}));
    ASSERT_EQ(graph->getPoints().size(), before.size());
    EXPECT_EQ(key(1).y1, -60.0f);
    EXPECT_EQ(key(1).y2, -20.0f);

    // After the user drags a key, the client reads the new values.
    pressAt(WM_LBUTTONDOWN, 150, 90, MK_LBUTTON);
    mouseMove(150, 80, MK_LBUTTON);
    press(WM_LBUTTONUP, 150, 80, 0);
    EXPECT_EQ(key(1).y1, -70.0f);
    EXPECT_FLOAT_EQ(graph->evaluate(50.0f).y2, -30.0f);
}
