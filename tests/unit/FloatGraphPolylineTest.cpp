#include "graphs/logic/FloatGraphPolyline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <utility>

using namespace KW::floatgraph;

namespace {

struct Pixel {
    int x;
    int y;
};

typedef std::set<std::pair<int, int>> PixelSet;

// A polyline as a device draws it: every segment without its end pixel, the next one starting there.
PixelSet drawPolyline(const std::vector<Pixel>& points) {
    PixelSet pixels;
    for (size_t i = 1; i < points.size(); ++i) {
        int x = points[i - 1].x;
        int y = points[i - 1].y;
        const int dx = std::abs(points[i].x - x);
        const int dy = -std::abs(points[i].y - y);
        const int sx = x < points[i].x ? 1 : -1;
        const int sy = y < points[i].y ? 1 : -1;
        int error = dx + dy;
        while (x != points[i].x || y != points[i].y) {
            pixels.insert({x, y});
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += sx;
            }
            if (twice <= dx) {
                error += dx;
                y += sy;
            }
        }
    }
    return pixels;
}

} // namespace

TEST(FloatGraphPolyline, RandomPolylinesDrawTheSamePixelsWithFewerCorners) {
    std::mt19937 random(11u);
    for (int round = 0; round < 500; ++round) {
        std::vector<Pixel> points;
        Pixel p = {20, 20};
        const int count = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < count; ++i) {
            switch (std::uniform_int_distribution<int>(0, 4)(random)) {
            case 0: // stay
                break;
            case 1:
                p.y += std::uniform_int_distribution<int>(-3, 3)(random);
                break;
            case 2:
                p.x += std::uniform_int_distribution<int>(-3, 3)(random);
                break;
            default:
                p.x += std::uniform_int_distribution<int>(-5, 5)(random);
                p.y += std::uniform_int_distribution<int>(-5, 5)(random);
                break;
            }
            points.push_back(p);
        }
        std::vector<Pixel> simplified = points;
        dropInvisibleCorners(simplified);
        EXPECT_LE(simplified.size(), points.size());
        ASSERT_EQ(drawPolyline(simplified), drawPolyline(points)) << "round " << round;
        if (!points.empty()) {
            // The polyline still ends where it ended: its last pixel stays undrawn.
            EXPECT_EQ(simplified.back().x, points.back().x);
            EXPECT_EQ(simplified.back().y, points.back().y);
        }
    }
}

TEST(FloatGraphPolyline, RepeatedAndStraightCornersGoTurnsStay) {
    std::vector<Pixel> points = {{0, 0}, {0, 0}, {0, 2}, {0, 5}, {0, 3}, {4, 3}, {6, 3}, {7, 4}, {7, 4}};
    dropInvisibleCorners(points);
    // (0, 5) is a turn back and stays; (4, 3) lies on the run to (6, 3).
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 5}, {0, 3}, {6, 3}, {7, 4}};
    ASSERT_EQ(points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(points[i].x, expected[i].first);
        EXPECT_EQ(points[i].y, expected[i].second);
    }
}
