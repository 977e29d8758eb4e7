#include "SoakProbe.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A known leak of brushes between two probes, asked through the probe window as the soak driver asks.
TEST(SoakProbe, MeasuresAKnownLeakOfBrushesThroughItsWindow) {
    HWND probe = kwsoak::startProbe();
    ASSERT_NE(probe, nullptr);
    ASSERT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, kwsoak::probeClass, nullptr), probe);
    for (int leaked : {0, 1, 40, 500}) {
        const int before = static_cast<int>(SendMessageA(probe, kwsoak::probeHeadroom, 0, 0));
        std::vector<HBRUSH> leak;
        for (int i = 0; i < leaked; ++i) {
            leak.push_back(CreateSolidBrush(RGB(i & 0xFF, 7, 9)));
        }
        const int after = static_cast<int>(SendMessageA(probe, kwsoak::probeHeadroom, 0, 0));
        EXPECT_GT(after, 1000);
        EXPECT_NEAR(kwsoak::objectGrowth(before, after), leaked, 2) << leaked << " brushes leaked";
        for (HBRUSH brush : leak) {
            DeleteObject(brush);
        }
    }
    DestroyWindow(probe);
}

// The driver's docking moves start on a docked pane's title band and end inside its dock.
TEST(SoakProbe, PointsAtTheTitleBandOfADockedPane) {
    using namespace KW;
    HWND probe = kwsoak::startProbe();
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 60, 60, 640, 480, "Dock", nullptr, 0));
    KWContext* menu = KWContext::create();
    menu->addItem(1, -1, "Play", false);
    frame->addMenu("View", menu);
    ShowWindow(frame->getHandle(), SW_SHOW);
    EXPECT_EQ(SendMessageA(probe, kwsoak::probeDockPoint, 0, kwsoak::probeBand), 0);
    KWDock* dock = KWDock::create(STYLE_DEFAULT, 0, 0, 600, 400, frame.get(), 7);
    KWHeader* pane = KWHeader::create(STYLE_DEFAULT, 0, 0, 50, 50, "Scene", KWColor(200, 200, 220, 255),
                                      KWColor(160, 160, 200, 255), KWColor(), dock, 10);
    dock->addPane(pane, DOCK_LEFT, 150);
    kwtest::pumpMessages();
    auto pointOf = [probe](LPARAM which) {
        const LRESULT point = SendMessageA(probe, kwsoak::probeDockPoint, 3, which);
        return POINT{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    };
    RECT band, area;
    GetWindowRect(pane->getHandle(), &band);
    band.bottom = band.top + 20;
    GetWindowRect(dock->getHandle(), &area);
    EXPECT_TRUE(PtInRect(&band, pointOf(kwsoak::probeBand)));
    const POINT topLeft = pointOf(kwsoak::probeDockTopLeft),
                bottomRight = pointOf(kwsoak::probeDockBottomRight);
    EXPECT_EQ(topLeft.x, area.left);
    EXPECT_EQ(bottomRight.x, area.right);
    EXPECT_EQ(topLeft.y, area.top);
    EXPECT_EQ(bottomRight.y, area.bottom);
    DestroyWindow(probe);
}

} // namespace
