#include "SoakProbe.h"

#include <gtest/gtest.h>

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

} // namespace
