#include "GraphWindow.h"

namespace kwtest {

void GraphWindowTest::SetUp() {
    frame.reset(
        KW::KWWindow::create(KW::STYLE_DEFAULT, KW::WINDOW_FRAME, 0, 0, 600, 400, "Graph", nullptr, 1));
    ASSERT_TRUE(frame && frame->getHandle());
    ShowWindow(frame->getHandle(), SW_SHOW);
    graph = KW::KWFloatGraph::create(KW::STYLE_DEFAULT, 10, 10, kClientWidth + 4, kClientHeight + 4,
                                     frame.get(), 7);
    ASSERT_TRUE(graph && graph->getHandle());
    const SIZE client = clientSize(graph->getHandle());
    ASSERT_EQ(client.cx, kClientWidth);
    ASSERT_EQ(client.cy, kClientHeight);
    pumpMessages();
    clearMessageBoxes();
}

void GraphWindowTest::TearDown() {
    frame.reset();
    pumpMessages();
}

LRESULT GraphWindowTest::send(UINT msg, WPARAM wParam, int x, int y) {
    const LRESULT result = SendMessageA(
        graphWindow(), msg, wParam,
        MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
    pumpMessages();
    return result;
}

void GraphWindowTest::mouseMove(int x, int y, WPARAM keys) {
    send(WM_MOUSEMOVE, keys, x, y);
}

void GraphWindowTest::press(UINT msg, int x, int y, WPARAM keys) {
    send(msg, keys, x, y);
}

void GraphWindowTest::keyDown(WPARAM key) {
    SendMessageA(graphWindow(), WM_KEYDOWN, key, 1);
    pumpMessages();
}

POINT GraphWindowTest::screenOf(int clientX, int clientY) const {
    POINT point = {clientX, clientY};
    ClientToScreen(graphWindow(), &point);
    return point;
}

void GraphWindowTest::wheelAt(int x, int y, short delta) {
    const POINT screen = screenOf(x, y);
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    POINT actual = {};
    ASSERT_TRUE(
        pumpUntil([&] { return GetCursorPos(&actual) && actual.x == screen.x && actual.y == screen.y; }));
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), screen.x, screen.y);
}

} // namespace kwtest
