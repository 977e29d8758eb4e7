#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace KW;

namespace {

// Refuses the creation of every "KWPANEL" window on this thread while it lives.
class PanelCreationRefusal {
public:
    PanelCreationRefusal() { hook = SetWindowsHookExA(WH_CBT, refuse, nullptr, GetCurrentThreadId()); }
    ~PanelCreationRefusal() { UnhookWindowsHookEx(hook); }
    bool active() const { return hook != nullptr; }

private:
    static LRESULT CALLBACK refuse(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const CBT_CREATEWNDA* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
            const char* name = create->lpcs->lpszClass;
            if (!IS_INTRESOURCE(name) && lstrcmpiA(name, "KWPANEL") == 0) {
                return 1;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook;
};

} // namespace

TEST(FloatGraphCreation, MakesAClientEdgedPanelWithTwoFixedEndKeys) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 500, 400, "Frame", nullptr, 1));
    KWFloatGraph* graph = KWFloatGraph::create(STYLE_SIZABLE, 5, 6, 120, 80, frame.get(), 42);
    ASSERT_TRUE(graph);
    HWND window = graph->getHandle();
    ASSERT_TRUE(window);
    EXPECT_EQ(kwtest::windowClassName(window), "KWPANEL");
    EXPECT_EQ(GetParent(window), frame->getHandle());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u,
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const KWBound placed = kwtest::rectInParent(window);
    EXPECT_EQ(placed.left, 5);
    EXPECT_EQ(placed.top, 6);
    EXPECT_EQ(placed.right - placed.left, 120);
    EXPECT_EQ(placed.bottom - placed.top, 80);
    EXPECT_EQ(graph->getType(), GADGET_FLOATGRAPH);
    EXPECT_EQ(graph->getId(), 42);
    EXPECT_EQ(frame->getChildCount(), 1);
    EXPECT_EQ(frame->getChild(0), graph);
    EXPECT_EQ(graph->getCursorX(), 0.0f);
    EXPECT_EQ(graph->getCursorY(), 0.0f);

    const std::vector<KWGraphPoint>& keys = graph->getPoints();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].x, 0.0f);
    EXPECT_EQ(keys[1].x, 100.0f);
    for (const KWGraphPoint& key : keys) {
        EXPECT_EQ(key.y1, 0.0f);
        EXPECT_EQ(key.y2, 0.0f);
        EXPECT_TRUE(key.fixed);
        EXPECT_FALSE(key.selected);
    }
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST(FloatGraphCreation, NullParentShowsTheParentMessageAndGivesNull) {
    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 100, 100, nullptr, -1), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text,
              "KWFloatGraph cannot be created without a parent.Creation failed");
    kwtest::clearMessageBoxes();
}

TEST(FloatGraphCreation, RefusedWindowGivesTheFailureMessageAndAWindowlessGadget) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 500, 400, "Frame", nullptr, 1));
    kwtest::clearMessageBoxes();
    KWFloatGraph* graph = nullptr;
    {
        PanelCreationRefusal refusal;
        ASSERT_TRUE(refusal.active());
        graph = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 100, 100, frame.get(), 3);
    }
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->getHandle(), nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "KWFloatGraph creation failed !");
    kwtest::clearMessageBoxes();
    EXPECT_EQ(frame->getChildCount(), 1) << "registered in its parent all the same";
    EXPECT_TRUE(graph->getPoints().empty()) << "no window, no keys";

    // The windowless gadget takes every call without harm.
    graph->moveView(10, 10);
    graph->zoomIn();
    graph->zoomOut();
    graph->deleteSelected();
    EXPECT_EQ(graph->evaluate(50.0f).y1, 0.0f);
    graph->insertPoint(50.0f, -1.0f);
    EXPECT_EQ(graph->getPoints().size(), 1u);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}
