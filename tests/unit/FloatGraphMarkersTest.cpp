#include "graphs/logic/FloatGraphMarkers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace KW::floatgraph;

namespace {

struct Square {
    int x;
    int y;
    int colour;
};

const int kEmpty = -1;

// What filling the squares one by one leaves on a width x height area.
std::vector<int> paintSquares(const std::vector<Square>& squares, int radius, int width, int height) {
    std::vector<int> pixels(static_cast<size_t>(width * height), kEmpty);
    for (const Square& s : squares) {
        for (int y = s.y - radius; y < s.y + radius; ++y) {
            for (int x = s.x - radius; x < s.x + radius; ++x) {
                if (x >= 0 && x < width && y >= 0 && y < height) {
                    pixels[static_cast<size_t>(y * width + x)] = s.colour;
                }
            }
        }
    }
    return pixels;
}

std::vector<int> paintRects(const std::vector<MarkerRect>& rects, int width, int height) {
    std::vector<int> pixels(static_cast<size_t>(width * height), kEmpty);
    for (const MarkerRect& r : rects) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (x >= 0 && x < width && y >= 0 && y < height) {
                    pixels[static_cast<size_t>(y * width + x)] = r.colour;
                }
            }
        }
    }
    return pixels;
}

std::vector<MarkerRect> batch(const std::vector<Square>& squares, int radius, int width, int height) {
    MarkerBatcher batcher(radius, width, height);
    for (const Square& s : squares) {
        batcher.add(s.x, s.y, s.colour);
    }
    return batcher.finish();
}

// Squares of two curves, interleaved as the graph draws them: upper, then lower, key by key.
std::vector<Square> curveSquares(int keys, float pixelsPerKey, int selected) {
    std::vector<Square> squares;
    for (int i = 0; i < keys; ++i) {
        const int x = static_cast<int>(50 + i * pixelsPerKey);
        const int lower = static_cast<int>(300 - 100 * std::sin(i * 0.05f));
        const int colour = i == selected ? 1 : 0;
        squares.push_back({x, lower - 60, colour});
        squares.push_back({x, lower, colour});
    }
    return squares;
}

} // namespace

TEST(FloatGraphMarkers, RandomSquaresColourTheSamePixelsAsFillingThemOneByOne) {
    std::mt19937 random(7u);
    for (int round = 0; round < 300; ++round) {
        const int width = 40;
        const int height = 30;
        std::vector<Square> squares;
        const int count = std::uniform_int_distribution<int>(0, 60)(random);
        int x = std::uniform_int_distribution<int>(-5, 45)(random);
        int y = std::uniform_int_distribution<int>(-5, 35)(random);
        for (int i = 0; i < count; ++i) {
            // Mostly small steps, as neighbouring keys make, sometimes a jump.
            if (std::uniform_int_distribution<int>(0, 9)(random) == 0) {
                x = std::uniform_int_distribution<int>(-8, 48)(random);
                y = std::uniform_int_distribution<int>(-8, 38)(random);
            } else {
                x += std::uniform_int_distribution<int>(-1, 2)(random);
                y += std::uniform_int_distribution<int>(-7, 7)(random);
            }
            const int colour = std::uniform_int_distribution<int>(0, 7)(random) == 0 ? 1 : 0;
            squares.push_back({x, y, colour});
        }
        const int radius = std::uniform_int_distribution<int>(1, 4)(random);
        ASSERT_EQ(paintRects(batch(squares, radius, width, height), width, height),
                  paintSquares(squares, radius, width, height))
            << "round " << round;
    }
}

TEST(FloatGraphMarkers, ALaterSquareOfAnotherColourStaysOnTop) {
    const std::vector<Square> squares = {{10, 10, 0}, {11, 10, 1}, {12, 10, 0}, {10, 12, 0}};
    const std::vector<MarkerRect> rects = batch(squares, 3, 30, 30);
    EXPECT_EQ(paintRects(rects, 30, 30), paintSquares(squares, 3, 30, 30));
    EXPECT_EQ(rects.back().colour, 0);
}

TEST(FloatGraphMarkers, DenseCurvesNeedFarFewerFills) {
    // 10,000 keys over 700 pixels, and the same keys packed into 30 pixels.
    const std::vector<Square> spread = curveSquares(10000, 0.07f, 5000);
    const std::vector<MarkerRect> spreadRects = batch(spread, 3, 800, 600);
    EXPECT_LT(spreadRects.size(), spread.size() / 5);
    EXPECT_EQ(paintRects(spreadRects, 800, 600), paintSquares(spread, 3, 800, 600));

    const std::vector<Square> packed = curveSquares(10000, 0.003f, 5000);
    const std::vector<MarkerRect> packedRects = batch(packed, 3, 800, 600);
    EXPECT_LT(packedRects.size(), packed.size() / 20);
    EXPECT_EQ(paintRects(packedRects, 800, 600), paintSquares(packed, 3, 800, 600));
}

TEST(FloatGraphMarkers, SquaresOutsideTheAreaAreDropped) {
    MarkerBatcher batcher(3, 100, 50);
    batcher.add(-3, 10, 0);  // right edge at 0, exclusive
    batcher.add(103, 10, 0); // left edge at 100
    batcher.add(50, -3, 0);
    batcher.add(50, 53, 0);
    batcher.add(1 << 30, -(1 << 30), 1);
    EXPECT_TRUE(batcher.finish().empty());
    batcher.add(-2, 10, 0);
    EXPECT_EQ(batcher.finish().size(), 1u);
}
