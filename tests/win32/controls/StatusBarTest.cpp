#include "ControlHost.h"

using namespace KW;
using kwtest::ControlHost;

namespace {

using StatusBars = ControlHost;

int heightOf(HWND window) {
    const KWBound r = kwtest::rectInParent(window);
    return r.bottom - r.top;
}

} // namespace

TEST_F(StatusBars, DocksAtTheBottomWhateverBoundsItIsGiven) {
    KWStatus* status = KWStatus::create(parent(), 6);
    ASSERT_NE(status, nullptr);
    HWND bar = status->getHandle();
    EXPECT_EQ(kwtest::windowClassName(bar), "msctls_statusbar32");
    EXPECT_EQ(kwtest::styleOf(bar) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(kwtest::windowText(bar), "");
    EXPECT_EQ(status->getType(), GADGET_STATUS);

    status->setBounds(KWBound(50, 20, 60, 10));
    const KWBound docked = kwtest::rectInParent(bar);
    EXPECT_EQ(docked.left, 0);
    EXPECT_EQ(docked.right, 400);
    EXPECT_EQ(docked.bottom, 300);
    EXPECT_GT(docked.bottom - docked.top, 10);
    EXPECT_LT(docked.bottom - docked.top, 60);
}

TEST_F(StatusBars, ParentLayoutLeavesTheBarClearAndFollowsResizes) {
    KWButton* fill = KWButton::create(STYLE_DEFAULT, "fill", 0, 0, 10, 10, parent(), 0);
    fill->lockToParent(LOCK_FILL);
    KWStatus* status = KWStatus::create(parent(), 0);
    host->doAlignment();
    const int barHeight = heightOf(status->getHandle());
    ASSERT_GT(barHeight, 0);
    kwtest::expectRect(kwtest::rectInParent(fill->getHandle()), 0, 400, 0, 300 - barHeight);
    kwtest::expectRect(kwtest::rectInParent(status->getHandle()), 0, 400, 300 - barHeight, 300);

    SetWindowPos(parentWindow(), nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    kwtest::expectRect(kwtest::rectInParent(status->getHandle()), 0, 500, 350 - barHeight, 350);
    kwtest::expectRect(kwtest::rectInParent(fill->getHandle()), 0, 500, 0, 350 - barHeight);
}

TEST_F(StatusBars, PartsTakeRightEdges) {
    KWStatus* status = KWStatus::create(parent(), 0);
    int edges[3] = {100, 250, -1};
    status->setParts(3, edges);
    int read[4] = {};
    EXPECT_EQ(SendMessageA(status->getHandle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(read)), 3);
    EXPECT_EQ(read[0], 100);
    EXPECT_EQ(read[1], 250);
    EXPECT_EQ(read[2], -1);
    // No edges to read: the parts stay as they are.
    status->setParts(2, nullptr);
    EXPECT_EQ(SendMessageA(status->getHandle(), SB_GETPARTS, 0, 0), 3);
}
