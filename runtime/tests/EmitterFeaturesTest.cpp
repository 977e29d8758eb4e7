#include "EmissionSchedule.h"
#include "EmitterShape.h"
#include "SpriteSheet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pelmora {
namespace detail {
namespace {

TEST(EmitterShape, PointsStayInsideTheirShapeAndFaceOutwards) {
    struct Case {
        EmitterShape shape;
        bool (*inside)(const ShapePoint&);
    };
    const Case cases[] = {
        {{ShapeKind::Point}, [](const ShapePoint& p) { return p.x == 0 && p.y == 0 && p.normal == 90; }},
        {{ShapeKind::Circle, false, 10}, [](const ShapePoint& p) { return std::hypot(p.x, p.y) <= 10.001f; }},
        {{ShapeKind::Circle, true, 10},
         [](const ShapePoint& p) {
             return std::fabs(std::hypot(p.x, p.y) - 10) < 1e-3f &&
                    std::fabs(std::atan2(p.y, p.x) - std::remainder(p.normal, 360.0f) * 3.14159265f / 180) <
                        1e-3f;
         }},
        {{ShapeKind::Rectangle, false, 0, 20, 6},
         [](const ShapePoint& p) { return std::fabs(p.x) <= 10 && std::fabs(p.y) <= 3 && p.normal == 90; }},
        {{ShapeKind::Rectangle, true, 0, 20, 6},
         [](const ShapePoint& p) {
             // On a side, facing away from it.
             return (std::fabs(std::fabs(p.x) - 10) < 1e-4f && std::fabs(p.y) <= 3 &&
                     (p.normal == 0) == (p.x > 0)) ||
                    (std::fabs(std::fabs(p.y) - 3) < 1e-4f && std::fabs(p.x) <= 10 &&
                     (p.normal == 90) == (p.y > 0));
         }},
        {{ShapeKind::Line, false, 0, 30},
         [](const ShapePoint& p) { return std::fabs(p.x) <= 15 && p.y == 0; }},
    };
    for (const Case& c : cases) {
        float spanX = 0;
        for (int i = 0; i < 64; ++i) {
            const ShapePoint p =
                pointOnShape(c.shape, (i * 0.618034f) - std::floor(i * 0.618034f), (i + 0.5f) / 64);
            EXPECT_TRUE(c.inside(p)) << int(c.shape.kind) << " edge " << c.shape.edge << " at " << p.x << ","
                                     << p.y;
            spanX = std::max(spanX, std::fabs(p.x));
        }
        // The points cover the shape rather than bunching at its centre.
        const float reach = c.shape.kind == ShapeKind::Circle ? c.shape.radius : 0.5f * c.shape.width;
        EXPECT_GE(spanX, 0.8f * reach) << int(c.shape.kind);
    }
}

TEST(EmissionSchedule, RateAndBurstsEmitTheirCountsAtTheirTimes) {
    Emission sparks;
    sparks.rate = 0;
    sparks.duration = 2;
    sparks.loop = false;
    sparks.bursts = {{0.0f, 50, 0.0f, 1}, {0.5f, 10, 0.25f, 3}};
    Emission looping = sparks;
    looping.loop = true;
    looping.delay = 1;
    Emission steady;
    steady.rate = 15;
    steady.duration = 0.1f;
    struct Case {
        const Emission* emission;
        double at;
        std::uint64_t emitted;
    } const cases[] = {
        {&sparks, 0.0, 0},     {&sparks, 0.01, 50},  {&sparks, 0.5, 50}, {&sparks, 0.51, 60},
        {&sparks, 1.01, 80},   {&sparks, 5.0, 80},   {&looping, 1.0, 0}, {&looping, 1.01, 50},
        {&looping, 3.01, 130}, {&looping, 4.6, 160}, {&steady, 1.0, 15}, {&steady, 10.0, 150},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(emittedUntil(*c.emission, c.at), c.emitted) << "at " << c.at;
    }
    EXPECT_FALSE(emitsAfter(sparks, 2.0));
    EXPECT_TRUE(emitsAfter(looping, 100.0));
}

TEST(SpriteSheet, FramesFollowLifeOrRateFromTheirStart) {
    SpriteSheet overLife{4, 4};
    SpriteSheet timed{2, 2, 10.0f};
    struct Case {
        const SpriteSheet* sheet;
        float age, lifetime;
        int start, frame;
    } const cases[] = {
        {&overLife, 0.0f, 2.0f, 0, 0},  {&overLife, 1.0f, 2.0f, 0, 8}, {&overLife, 2.0f, 2.0f, 0, 15},
        {&overLife, 0.5f, 2.0f, 14, 2}, {&timed, 0.0f, 9.0f, 0, 0},    {&timed, 0.35f, 9.0f, 0, 3},
        {&timed, 0.45f, 9.0f, 0, 0},    {&timed, 0.15f, 9.0f, 3, 0},   {&timed, 0.0f, 9.0f, -1, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spriteFrame(*c.sheet, c.age, c.lifetime, c.start), c.frame) << c.age << " from " << c.start;
    }
    const FrameRect seventh = frameRect(overLife, 6);
    EXPECT_FLOAT_EQ(seventh.u0, 0.5f);
    EXPECT_FLOAT_EQ(seventh.v0, 0.25f);
    EXPECT_FLOAT_EQ(seventh.u1, 0.75f);
    EXPECT_FLOAT_EQ(seventh.v1, 0.5f);
}

} // namespace
} // namespace detail
} // namespace pelmora
