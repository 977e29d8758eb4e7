#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace KW;

namespace {

HCURSOR systemCursor(LPCSTR name) {
    return LoadCursorA(nullptr, name);
}

// A hidden frame keeps the real pointer out of the tests that send their own mouse messages.
std::unique_ptr<KWWindow> makeFrame(int width = 900, int height = 700) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, width, height, "Splitters", nullptr, 0));
    frame->setVisible(false);
    return frame;
}

// A plain child area at edges (left, right, top, bottom) of the frame's client area.
KWWindow* pane(KWWindow* frame, int left, int right, int top, int bottom) {
    return KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, left, top, right - left, bottom - top, "", frame, 0);
}

void mouseMove(KWWindow* frame, int x, int y, WPARAM keys = 0) {
    SendMessageA(frame->getHandle(), WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void buttonUp(KWWindow* frame, int x, int y) {
    SendMessageA(frame->getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Hover at (x, y) and press there: the first move with the button down still picks the bar under the
// mouse, then freezes it for the drag.
void grab(KWWindow* frame, int x, int y) {
    mouseMove(frame, x, y);
    mouseMove(frame, x, y, MK_LBUTTON);
}

// Grab at (fromX, fromY), drag with the left button to (toX, toY) and release there.
void drag(KWWindow* frame, int fromX, int fromY, int toX, int toY) {
    grab(frame, fromX, fromY);
    mouseMove(frame, toX, toY, MK_LBUTTON);
    buttonUp(frame, toX, toY);
}

KWBound edges(KWObject* gadget) {
    return kwtest::rectInParent(gadget->getHandle());
}

// The cursor the window shows after a plain mouse move to (x, y), starting from the arrow.
HCURSOR cursorAfterHover(KWWindow* frame, int x, int y) {
    SetCursor(systemCursor(IDC_ARROW));
    mouseMove(frame, x, y);
    return GetCursor();
}

// Edges as (left, right, top, bottom), so a failure prints the whole rectangle.
std::tuple<int, int, int, int> edgeTuple(KWObject* gadget) {
    const KWBound bound = edges(gadget);
    return std::make_tuple(bound.left, bound.right, bound.top, bound.bottom);
}

#define EXPECT_EDGES(gadget, l, r, t, b) EXPECT_EQ(edgeTuple(gadget), std::make_tuple(l, r, t, b))

// A client gadget that counts the geometry calls the window makes on it.
class CountingGadget : public KWObject {
public:
    static CountingGadget* create(KWObject* parent, int left, int right, int top, int bottom) {
        return new CountingGadget(parent, left, right, top, bottom);
    }
    void setBounds(const KWBound& bounds) override {
        ++geometryCalls;
        KWObject::setBounds(bounds);
    }
    void setPlacement(KWBound& bounds) override {
        ++geometryCalls;
        KWObject::setPlacement(bounds);
    }
    int geometryCalls = 0;

private:
    CountingGadget(KWObject* parent, int left, int right, int top, int bottom)
        : KWObject(GADGET_PANEL, parent, 0) {
        attachWindow(CreateWindowExA(0, "KWWINDOW", "", WS_CHILD | WS_VISIBLE, left, top, right - left,
                                     bottom - top, parentHandle(), nullptr, GetModuleHandleA(nullptr),
                                     nullptr),
                     "Counting gadget creation failed !");
    }
};

} // namespace

TEST(Splitter, AttachingBringsInnerEdgesToTheBarAndStretchesIt) {
    auto frame = makeFrame();
    KWWindow* a = pane(frame.get(), 0, 100, 10, 200);
    KWWindow* b = pane(frame.get(), 300, 400, 30, 250);
    frame->addVerticalSplitter(1, 155, 4, 20, 200, true);
    frame->addFromLeft(1, a);
    EXPECT_EDGES(a, 0, 155, 10, 200);
    frame->addFromRight(1, b);
    EXPECT_EDGES(b, 159, 400, 30, 250);

    // The bar spans from the higher top (10) to the lower bottom (250), edges included.
    const HCURSOR across = systemCursor(IDC_SIZEWE);
    const HCURSOR arrow = systemCursor(IDC_ARROW);
    EXPECT_EQ(cursorAfterHover(frame.get(), 155, 10), across);
    EXPECT_EQ(cursorAfterHover(frame.get(), 159, 250), across);
    EXPECT_EQ(cursorAfterHover(frame.get(), 157, 120), across);
    EXPECT_EQ(cursorAfterHover(frame.get(), 154, 120), arrow);
    EXPECT_EQ(cursorAfterHover(frame.get(), 160, 120), arrow);
    EXPECT_EQ(cursorAfterHover(frame.get(), 157, 9), arrow);
    EXPECT_EQ(cursorAfterHover(frame.get(), 157, 251), arrow);

    // Horizontal: top and bottom edges meet the bar; it spans the lefts and rights.
    KWWindow* top = pane(frame.get(), 500, 700, 0, 40);
    KWWindow* bottom = pane(frame.get(), 480, 650, 300, 400);
    frame->addHorizontalSplitter(2, 100, 6, 20, 300, true);
    frame->addFromTop(2, top);
    frame->addFromBottom(2, bottom);
    EXPECT_EDGES(top, 500, 700, 0, 100);
    EXPECT_EDGES(bottom, 480, 650, 106, 400);
    const HCURSOR upDown = systemCursor(IDC_SIZENS);
    EXPECT_EQ(cursorAfterHover(frame.get(), 480, 100), upDown);
    EXPECT_EQ(cursorAfterHover(frame.get(), 700, 106), upDown);
    EXPECT_EQ(cursorAfterHover(frame.get(), 479, 103), arrow);
    EXPECT_EQ(cursorAfterHover(frame.get(), 701, 103), arrow);
    EXPECT_EQ(cursorAfterHover(frame.get(), 600, 107), arrow);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST(Splitter, WrongOrientationIsRefusedWithAMessage) {
    auto frame = makeFrame();
    KWWindow* gadget = pane(frame.get(), 0, 100, 0, 100);
    frame->addVerticalSplitter(1, 300, 4, 0, 500, true);
    frame->addHorizontalSplitter(2, 300, 4, 0, 500, true);

    struct Case {
        void (KWWindow::*attach)(int, KWObject*);
        int id;
        const char* text;
    };
    const Case cases[] = {
        {&KWWindow::addFromTop, 1, "Could not add object from top ! Splitter is not horizontal !"},
        {&KWWindow::addFromBottom, 1, "Could not add object from bottom ! Splitter is not horizontal !"},
        {&KWWindow::addFromLeft, 2, "Could not add object from left ! Splitter is not vertical !"},
        {&KWWindow::addFromRight, 2, "Could not add object from right ! Splitter is not vertical !"},
    };
    for (const Case& c : cases) {
        kwtest::clearMessageBoxes();
        (frame.get()->*c.attach)(c.id, gadget);
        ASSERT_EQ(kwtest::messageBoxes().size(), 1u) << c.text;
        EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
        EXPECT_EQ(kwtest::messageBoxes()[0].text, c.text);
        EXPECT_EDGES(gadget, 0, 100, 0, 100);
    }
    kwtest::clearMessageBoxes();

    // Nothing was attached: the bars cannot be dragged.
    drag(frame.get(), 301, 0, 200, 0);
    EXPECT_EDGES(gadget, 0, 100, 0, 100);

    // An id without a splitter does nothing; a missing gadget is reported, not dereferenced.
    frame->addFromLeft(99, gadget);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
    frame->addFromLeft(1, nullptr);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Could not add object from left ! No object given !");
    kwtest::clearMessageBoxes();
}

TEST(Splitter, SameIdAttachesToEveryMatchingBarUntilAWrongOne) {
    auto frame = makeFrame();
    KWWindow* a = pane(frame.get(), 0, 50, 0, 100);
    KWWindow* b = pane(frame.get(), 400, 500, 0, 100);
    frame->addVerticalSplitter(7, 100, 4, 0, 800, true);
    frame->addVerticalSplitter(7, 200, 4, 0, 800, true);
    frame->addFromLeft(7, a);
    // Placed against each bar in turn, the last one last.
    EXPECT_EDGES(a, 0, 200, 0, 100);
    frame->addFromRight(7, b);
    EXPECT_EDGES(b, 204, 500, 0, 100);

    // Both bars hold a: dragging the first one moves a to it.
    drag(frame.get(), 101, 50, 150, 50);
    EXPECT_EDGES(a, 0, 150, 0, 100);
    EXPECT_EDGES(b, 154, 500, 0, 100);
    drag(frame.get(), 201, 50, 250, 50);
    EXPECT_EDGES(a, 0, 250, 0, 100);
    EXPECT_EDGES(b, 254, 500, 0, 100);

    // A horizontal bar with the same id stops the scan after the vertical ones before it.
    auto mixed = makeFrame();
    KWWindow* c = pane(mixed.get(), 0, 50, 0, 50);
    mixed->addVerticalSplitter(3, 100, 4, 0, 800, true);
    mixed->addHorizontalSplitter(3, 300, 4, 0, 800, true);
    mixed->addVerticalSplitter(3, 200, 4, 0, 800, true);
    kwtest::clearMessageBoxes();
    mixed->addFromLeft(3, c);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Could not add object from left ! Splitter is not vertical !");
    EXPECT_EDGES(c, 0, 100, 0, 50);
    kwtest::clearMessageBoxes();
}

TEST(Splitter, DragLimitsTheFirstSide) {
    auto frame = makeFrame();
    KWWindow* a = pane(frame.get(), 0, 100, 10, 200);
    KWWindow* b = pane(frame.get(), 300, 400, 30, 250);
    frame->addVerticalSplitter(1, 155, 4, 20, 200, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);

    grab(frame.get(), 156, 100);
    EXPECT_EQ(GetCapture(), frame->getHandle());
    // The grabbed point becomes the bar's left edge.
    EXPECT_EDGES(a, 0, 156, 10, 200);
    EXPECT_EDGES(b, 160, 400, 30, 250);
    mouseMove(frame.get(), 10, 100, MK_LBUTTON);
    EXPECT_EDGES(a, 0, 20, 10, 200);
    EXPECT_EDGES(b, 24, 400, 30, 250);
    // The hovered bar stays the drag's target although the mouse left it.
    mouseMove(frame.get(), 500, 100, MK_LBUTTON);
    EXPECT_EDGES(a, 0, 200, 10, 200);
    EXPECT_EDGES(b, 204, 400, 30, 250);
    mouseMove(frame.get(), 120, 5, MK_LBUTTON);
    EXPECT_EDGES(a, 0, 120, 10, 200);
    EXPECT_EDGES(b, 124, 400, 30, 250);
    buttonUp(frame.get(), 120, 5);
    EXPECT_EQ(GetCapture(), nullptr);

    // After the release the bar is hovered where it now is.
    EXPECT_EQ(cursorAfterHover(frame.get(), 124, 100), systemCursor(IDC_SIZEWE));
    EXPECT_EQ(cursorAfterHover(frame.get(), 155, 100), systemCursor(IDC_ARROW));
}

TEST(Splitter, PressOnABarCapturesSoAQuickFirstMoveStillDrags) {
    auto frame = makeFrame();
    KWWindow* a = pane(frame.get(), 0, 100, 10, 200);
    KWWindow* b = pane(frame.get(), 300, 400, 30, 250);
    frame->addVerticalSplitter(1, 155, 4, 20, 200, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);

    SendMessageA(frame->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 100));
    EXPECT_EQ(GetCapture(), nullptr) << "a press away from every bar leaves the mouse free";
    buttonUp(frame.get(), 250, 100);

    SendMessageA(frame->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(157, 100));
    EXPECT_EQ(GetCapture(), frame->getHandle());
    // The first move lands well past the bar, where only the capture brings it to the frame.
    mouseMove(frame.get(), 180, 100, MK_LBUTTON);
    EXPECT_EDGES(a, 0, 180, 10, 200);
    buttonUp(frame.get(), 180, 100);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Splitter, DragLimitsTheSecondSide) {
    auto frame = makeFrame();
    ASSERT_GE(kwtest::clientSize(frame->getHandle()).cx, 800);
    KWWindow* a = pane(frame.get(), 0, 500, 0, 300);
    KWWindow* b = pane(frame.get(), 600, 800, 0, 300);
    frame->addVerticalSplitter(1, 500, 4, 20, 300, false);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);

    // b can shrink to 12 pixels: the bar's left edge stops at 784.
    drag(frame.get(), 502, 100, 790, 100);
    EXPECT_EDGES(a, 0, 784, 0, 300);
    EXPECT_EDGES(b, 788, 800, 0, 300);
    // And it grows until 800 - p + 4 reaches 300.
    drag(frame.get(), 786, 100, 100, 100);
    EXPECT_EDGES(a, 0, 504, 0, 300);
    EXPECT_EDGES(b, 508, 800, 0, 300);
}

TEST(Splitter, HorizontalDragFollowsTheMouseY) {
    auto frame = makeFrame();
    KWWindow* top = pane(frame.get(), 0, 400, 50, 200);
    KWWindow* bottom = pane(frame.get(), 0, 400, 300, 600);
    frame->addHorizontalSplitter(1, 250, 5, 40, 400, true);
    frame->addFromTop(1, top);
    frame->addFromBottom(1, bottom);
    EXPECT_EDGES(top, 0, 400, 50, 250);
    EXPECT_EDGES(bottom, 0, 400, 255, 600);

    drag(frame.get(), 10, 252, 900, 60);
    EXPECT_EDGES(top, 0, 400, 50, 90);
    EXPECT_EDGES(bottom, 0, 400, 95, 600);
    drag(frame.get(), 10, 92, 10, 320);
    EXPECT_EDGES(top, 0, 400, 50, 320);
    EXPECT_EDGES(bottom, 0, 400, 325, 600);
}

TEST(Splitter, OnlyExactlyTheLeftButtonDrags) {
    auto frame = makeFrame();
    KWWindow* a = pane(frame.get(), 0, 100, 0, 200);
    KWWindow* b = pane(frame.get(), 300, 400, 0, 200);
    frame->addVerticalSplitter(1, 155, 4, 20, 300, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);

    for (WPARAM keys : {WPARAM(MK_LBUTTON | MK_SHIFT), WPARAM(MK_LBUTTON | MK_CONTROL),
                        WPARAM(MK_LBUTTON | MK_RBUTTON), WPARAM(MK_RBUTTON), WPARAM(0)}) {
        mouseMove(frame.get(), 157, 100);
        mouseMove(frame.get(), 157, 100, keys);
        mouseMove(frame.get(), 60, 100, keys);
        buttonUp(frame.get(), 60, 100);
        EXPECT_EDGES(a, 0, 155, 0, 200) << keys;
        EXPECT_EDGES(b, 159, 400, 0, 200) << keys;
        EXPECT_EQ(GetCapture(), nullptr);
    }

    // A drag that starts away from every bar freezes the hover on none: passing over a bar moves nothing.
    grab(frame.get(), 250, 100);
    mouseMove(frame.get(), 157, 100, MK_LBUTTON);
    mouseMove(frame.get(), 60, 100, MK_LBUTTON);
    buttonUp(frame.get(), 60, 100);
    EXPECT_EDGES(a, 0, 155, 0, 200);
    EXPECT_EDGES(b, 159, 400, 0, 200);

    // A held modifier does not continue a drag either; plain left-button moves go on with it.
    grab(frame.get(), 157, 100);
    EXPECT_EDGES(a, 0, 157, 0, 200);
    mouseMove(frame.get(), 60, 100, MK_LBUTTON | MK_SHIFT);
    EXPECT_EDGES(a, 0, 157, 0, 200);
    mouseMove(frame.get(), 80, 100, MK_LBUTTON);
    buttonUp(frame.get(), 80, 100);
    EXPECT_EDGES(a, 0, 80, 0, 200);
    EXPECT_EDGES(b, 84, 400, 0, 200);

    // A bar with an empty side cannot be dragged.
    KWWindow* lonely = pane(frame.get(), 450, 500, 0, 100);
    frame->addVerticalSplitter(2, 600, 4, 0, 800, true);
    frame->addFromLeft(2, lonely);
    EXPECT_EDGES(lonely, 450, 600, 0, 100);
    drag(frame.get(), 601, 0, 700, 0);
    EXPECT_EDGES(lonely, 450, 600, 0, 100);
}

TEST(Splitter, HoverStaysValidWhenSplittersAreAddedLater) {
    auto frame = makeFrame();
    KWWindow* a = pane(frame.get(), 0, 100, 0, 200);
    KWWindow* b = pane(frame.get(), 300, 400, 0, 200);
    frame->addVerticalSplitter(1, 155, 4, 20, 300, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);

    // Hover the bar, add enough splitters to move the records' storage, then drag.
    mouseMove(frame.get(), 156, 100);
    for (int i = 0; i < 64; ++i) {
        frame->addHorizontalSplitter(100 + i, 500 + i, 1, 0, 10, true);
    }
    drag(frame.get(), 156, 100, 90, 100);
    EXPECT_EDGES(a, 0, 90, 0, 200);
    EXPECT_EDGES(b, 94, 400, 0, 200);

    // While a drag is under way the target is frozen: it must survive further additions.
    grab(frame.get(), 91, 100);
    for (int i = 0; i < 64; ++i) {
        frame->addVerticalSplitter(200 + i, 800, 1, 0, 10, true);
    }
    mouseMove(frame.get(), 210, 100, MK_LBUTTON);
    EXPECT_EDGES(a, 0, 210, 0, 200);
    EXPECT_EDGES(b, 214, 400, 0, 200);
    mouseMove(frame.get(), 230, 100, MK_LBUTTON);
    buttonUp(frame.get(), 230, 100);
    EXPECT_EDGES(a, 0, 230, 0, 200);
    EXPECT_EDGES(b, 234, 400, 0, 200);
}

TEST(Splitter, ReleasingTheButtonStretchesBarsOverMovedGadgets) {
    auto frame = makeFrame();
    // A vertical bar between a and b; below b a horizontal bar between b and c.
    KWWindow* a = pane(frame.get(), 0, 200, 0, 150);
    KWWindow* b = pane(frame.get(), 204, 600, 0, 200);
    KWWindow* c = pane(frame.get(), 300, 600, 204, 400);
    frame->addVerticalSplitter(1, 200, 4, 20, 500, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);
    frame->addHorizontalSplitter(2, 200, 4, 20, 500, true);
    frame->addFromTop(2, b);
    frame->addFromBottom(2, c);
    const HCURSOR upDown = systemCursor(IDC_SIZENS);
    EXPECT_EQ(cursorAfterHover(frame.get(), 204, 202), upDown);
    EXPECT_EQ(cursorAfterHover(frame.get(), 203, 202), systemCursor(IDC_ARROW));

    // Moving the vertical bar left widens b; on release the horizontal bar reaches b's new left edge.
    drag(frame.get(), 202, 100, 100, 100);
    EXPECT_EDGES(b, 104, 600, 0, 200);
    EXPECT_EQ(cursorAfterHover(frame.get(), 104, 202), upDown);
    EXPECT_EQ(cursorAfterHover(frame.get(), 103, 202), systemCursor(IDC_ARROW));
}

TEST(Splitter, ResizeMovesTheBarWithTheSecondSide) {
    auto frame = makeFrame(800, 600);
    const SIZE before = kwtest::clientSize(frame->getHandle());
    KWWindow* a = pane(frame.get(), 0, 100, 0, 300);
    KWWindow* b = pane(frame.get(), before.cx - 200, before.cx, 0, 300);
    b->lockToParent(LOCK_RIGHT);
    frame->addVerticalSplitter(1, 300, 4, 20, 2000, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);
    EXPECT_EDGES(a, 0, 300, 0, 300);
    EXPECT_EDGES(b, 304, before.cx, 0, 300);

    SetWindowPos(frame->getHandle(), nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
    const SIZE after = kwtest::clientSize(frame->getHandle());
    ASSERT_EQ(after.cx, before.cx + 200);
    // b stays flush right with its size, the bar sits before it and a reaches the bar.
    EXPECT_EDGES(b, 504, after.cx, 0, 300);
    EXPECT_EDGES(a, 0, 500, 0, 300);
    EXPECT_EQ(cursorAfterHover(frame.get(), 500, 150), systemCursor(IDC_SIZEWE));
    EXPECT_EQ(cursorAfterHover(frame.get(), 499, 150), systemCursor(IDC_ARROW));

    SetWindowPos(frame->getHandle(), nullptr, 0, 0, 700, 600, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EDGES(b, 204, before.cx - 100, 0, 300);
    EXPECT_EDGES(a, 0, 200, 0, 300);
}

TEST(Splitter, ResizeFitsTheFirstSideEvenWithoutASecondSide) {
    auto frame = makeFrame(800, 600);
    KWWindow* top = pane(frame.get(), 10, 300, 10, 100);
    top->lockToParent(LOCK_STRETCH_BOTH);
    frame->addHorizontalSplitter(1, 150, 4, 20, 500, true);
    frame->addFromTop(1, top);
    EXPECT_EDGES(top, 10, 300, 10, 150);

    // The lock layout stretches it to the bottom; the bar, which keeps its place, cuts it back.
    SetWindowPos(frame->getHandle(), nullptr, 0, 0, 900, 650, SWP_NOMOVE | SWP_NOZORDER);
    const SIZE client = kwtest::clientSize(frame->getHandle());
    EXPECT_EDGES(top, 10, client.cx - 10, 10, 150);
}

TEST(Splitter, GadgetsAlreadyInPlaceAreNotMovedAgain) {
    auto frame = makeFrame();
    std::vector<CountingGadget*> left;
    std::vector<CountingGadget*> right;
    frame->addVerticalSplitter(1, 300, 4, 20, 600, true);
    for (int i = 0; i < 40; ++i) {
        left.push_back(CountingGadget::create(frame.get(), 0, 100, 10 * i, 10 * i + 10));
        right.push_back(CountingGadget::create(frame.get(), 400, 700, 10 * i, 10 * i + 10));
        frame->addFromLeft(1, left.back());
        frame->addFromRight(1, right.back());
    }
    // Each attach moves only the gadget that is not yet at the bar.
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(left[i]->geometryCalls, 1);
        EXPECT_EQ(right[i]->geometryCalls, 1);
        EXPECT_EDGES(left[i], 0, 300, 10 * i, 10 * i + 10);
        EXPECT_EDGES(right[i], 304, 700, 10 * i, 10 * i + 10);
    }

    // A drag step that leaves the bar where it is moves nothing; the next one moves every gadget once.
    grab(frame.get(), 300, 50);
    mouseMove(frame.get(), 300, 120, MK_LBUTTON);
    EXPECT_EQ(left[0]->geometryCalls, 1);
    EXPECT_EQ(right[39]->geometryCalls, 1);
    mouseMove(frame.get(), 250, 120, MK_LBUTTON);
    buttonUp(frame.get(), 250, 120);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(left[i]->geometryCalls, 2);
        EXPECT_EQ(right[i]->geometryCalls, 2);
        EXPECT_EDGES(left[i], 0, 250, 10 * i, 10 * i + 10);
        EXPECT_EDGES(right[i], 254, 700, 10 * i, 10 * i + 10);
    }

    // A resize that moves neither side leaves the first side alone too.
    SetWindowPos(frame->getHandle(), nullptr, 0, 0, 900, 650, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(left[0]->geometryCalls, 2);
    EXPECT_EDGES(left[0], 0, 250, 0, 10);
}

TEST(Splitter, LosingTheCaptureEndsTheDrag) {
    auto frame = makeFrame();
    KWWindow* a = pane(frame.get(), 0, 100, 0, 200);
    KWWindow* b = pane(frame.get(), 300, 400, 0, 200);
    KWWindow* c = pane(frame.get(), 0, 400, 300, 400);
    frame->addVerticalSplitter(1, 155, 4, 20, 300, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);
    frame->addHorizontalSplitter(2, 250, 4, 20, 300, true);
    frame->addFromTop(2, b);
    frame->addFromBottom(2, c);

    grab(frame.get(), 156, 100);
    mouseMove(frame.get(), 120, 100, MK_LBUTTON);
    ASSERT_EQ(GetCapture(), frame->getHandle());
    // Another window takes the mouse; the button-up goes there.
    std::unique_ptr<KWWindow> other = makeFrame(100, 100);
    SetCapture(other->getHandle());
    ReleaseCapture();

    // Hover works again and the next drag moves the bar now under the mouse.
    EXPECT_EQ(cursorAfterHover(frame.get(), 300, 251), systemCursor(IDC_SIZENS));
    grab(frame.get(), 300, 251);
    mouseMove(frame.get(), 300, 280, MK_LBUTTON);
    buttonUp(frame.get(), 300, 280);
    EXPECT_EDGES(a, 0, 120, 0, 200);
    EXPECT_EDGES(b, 124, 400, 0, 280);
    EXPECT_EDGES(c, 0, 400, 284, 400);
}

TEST(Splitter, DeletingTheWindowDuringADragIsSafe) {
    KWWindow* frame = KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 600, 400, "", nullptr, 0);
    frame->setVisible(false);
    KWWindow* a = pane(frame, 0, 100, 0, 200);
    KWWindow* b = pane(frame, 300, 400, 0, 200);
    frame->addVerticalSplitter(1, 155, 4, 20, 300, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);
    grab(frame, 156, 100);
    mouseMove(frame, 120, 100, MK_LBUTTON);
    ASSERT_EQ(GetCapture(), frame->getHandle());
    HWND window = frame->getHandle();
    delete frame;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Splitter, RealMouseDragsTheBarAndShowsTheResizeCursor) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 40, 40, 500, 300, "Drag", nullptr, 0));
    KWWindow* a = pane(frame.get(), 0, 100, 0, 200);
    KWWindow* b = pane(frame.get(), 300, 400, 0, 200);
    frame->addVerticalSplitter(1, 155, 4, 20, 300, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);
    SetForegroundWindow(frame->getHandle());
    kwtest::pumpMessages();

    auto screenPoint = [&frame](int x, int y) {
        POINT point = {x, y};
        ClientToScreen(frame->getHandle(), &point);
        return point;
    };
    // Real input through the system queue: moves in absolute screen coordinates, then the buttons.
    auto sendMouse = [](DWORD flags, POINT at) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        SendInput(1, &input, sizeof(input));
        kwtest::pumpMessages();
    };

    const POINT onBar = screenPoint(156, 100);
    sendMouse(0, screenPoint(250, 100));
    sendMouse(0, onBar);
    EXPECT_TRUE(kwtest::pumpUntil([] { return GetCursor() == LoadCursorA(nullptr, IDC_SIZEWE); }));

    sendMouse(MOUSEEVENTF_LEFTDOWN, onBar);
    for (int x = 157; x >= 60; x -= 19) {
        sendMouse(0, screenPoint(x, 100));
    }
    sendMouse(0, screenPoint(60, 100));
    EXPECT_TRUE(kwtest::pumpUntil([&a] { return edges(a).right == 60; }));
    sendMouse(MOUSEEVENTF_LEFTUP, screenPoint(60, 100));
    EXPECT_TRUE(kwtest::pumpUntil([] { return GetCapture() == nullptr; }));
    EXPECT_EDGES(a, 0, 60, 0, 200);
    EXPECT_EDGES(b, 64, 400, 0, 200);
}

TEST(Splitter, AFarDragStepRepaintsTheSideThatGrewOverTheOtherOnesPlace) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 40, 40, 500, 300, "Paint", nullptr, 0));
    KWWindow* a = pane(frame.get(), 0, 200, 0, 200);
    KWWindow* b = pane(frame.get(), 204, 400, 0, 200);
    // b shows white wherever its white child lies; the frame's background is not white.
    CreateWindowExA(0, "KWWHITE", "", WS_CHILD | WS_VISIBLE, 0, 0, 196, 200, b->getHandle(), nullptr,
                    GetModuleHandleA(nullptr), nullptr);
    frame->addVerticalSplitter(1, 200, 4, 20, 400, true);
    frame->addFromLeft(1, a);
    frame->addFromRight(1, b);
    kwtest::pumpMessages();
    const COLORREF white = RGB(255, 255, 255);
    ASSERT_EQ(kwtest::pixelAt(frame->getHandle(), 300, 100), white);

    // One step of 100 pixels: b's white part now covers most of what a left.
    grab(frame.get(), 201, 100);
    mouseMove(frame.get(), 100, 100, MK_LBUTTON);
    buttonUp(frame.get(), 100, 100);
    EXPECT_EDGES(b, 104, 400, 0, 200);
    for (int x : {110, 150, 199, 250}) {
        EXPECT_EQ(kwtest::pixelAt(frame->getHandle(), x, 100), white) << x;
    }
}
