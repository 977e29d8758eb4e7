#include "graphs/logic/KeyChange.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::keychange;

namespace {

std::vector<KWGraphPoint> curve(std::initializer_list<float> positions) {
    std::vector<KWGraphPoint> keys;
    for (float x : positions) {
        KWGraphPoint key;
        key.x = x;
        key.y1 = -x / 2.0f;
        key.y2 = -x / 4.0f;
        keys.push_back(key);
    }
    return keys;
}

} // namespace

TEST(KeyChange, CurveEditsNameTheirKey) {
    const std::vector<KWGraphPoint> base = curve({0, 30, 60, 100});
    std::vector<KWGraphPoint> moved = base;
    moved[2].y2 = -1.0f;
    std::vector<KWGraphPoint> selectedOnly = base;
    selectedOnly[1].selected = true;
    std::vector<KWGraphPoint> twoMoved = moved;
    twoMoved[0].y1 = -9.0f;
    const struct {
        std::vector<KWGraphPoint> after;
        int expected;
    } cases[] = {
        {base, kUnchanged},
        {selectedOnly, kUnchanged},
        {moved, 2},
        {twoMoved, kSeveral},
        {curve({0, 30, 45, 60, 100}), 2},        // inserted
        {curve({0, 30, 60, 100, 100}), 4},       // appended
        {curve({0, 60, 100}), 1},                // erased
        {curve({0, 30, 60}), 3},                 // last one erased
        {curve({0, 30, 50, 70, 100}), kSeveral}, // one more, but another changed as well
        {curve({0, 100}), kSeveral},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(changedIndex(base, c.after), c.expected) << c.after.size() << " keys";
    }
}

TEST(KeyChange, GradientColoursAndPositionsCount) {
    std::vector<KWColorPoint> base = {KWColorPoint(0.0f, KWColor(1, 2, 3, 4), KWColor(5, 6, 7, 8), true),
                                      KWColorPoint(100.0f, KWColor(1, 2, 3, 4), KWColor(5, 6, 7, 8), true)};
    std::vector<KWColorPoint> after = base;
    after[1].color2.a = 9;
    EXPECT_EQ(changedIndex(base, after), 1);
    after = base;
    after[0].position = 1.0f;
    EXPECT_EQ(changedIndex(base, after), 0);
    after[1].color1.r = 0;
    EXPECT_EQ(changedIndex(base, after), kSeveral);
}
