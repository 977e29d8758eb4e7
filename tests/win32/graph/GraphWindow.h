#ifndef KW_TEST_GRAPH_WINDOW_H
#define KW_TEST_GRAPH_WINDOW_H

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace kwtest {

// A shown frame with one float graph whose client area is 400 x 200 (the outer size adds the
// client edge), as a client program would build it.
class GraphWindowTest : public testing::Test {
protected:
    static constexpr int kClientWidth = 400;
    static constexpr int kClientHeight = 200;

    void SetUp() override;
    void TearDown() override;

    HWND graphWindow() const { return graph->getHandle(); }

    // Messages as the system delivers them to the graph, sent and followed by the queue.
    LRESULT send(UINT msg, WPARAM wParam, int x, int y);
    void mouseMove(int x, int y, WPARAM keys = 0);
    void press(UINT msg, int x, int y, WPARAM keys);
    void keyDown(WPARAM key);
    // Places the real cursor over a client point and sends a wheel notch there.
    void wheelAt(int x, int y, short delta);
    // The screen point of a client point of the graph.
    POINT screenOf(int clientX, int clientY) const;

    std::unique_ptr<KW::KWWindow> frame;
    KW::KWFloatGraph* graph = nullptr;
};

} // namespace kwtest

#endif
