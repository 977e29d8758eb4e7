// The runtime draws what the editor shows: its curves evaluate as the toolkit's gadgets do, and a
// flipbook frame is the preview's picture at the same time.
#include "Curves.h"
#include "graphs/logic/ColorEditModel.h"
#include "graphs/logic/FloatGraphModel.h"
#include "logic/Playback.h"

#include <pelmora/Flipbook.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace KW;

TEST(RuntimeMatchesEditor, CurvesAndGradientsEvaluateAsTheGadgetsDo) {
    // Keys as the gadgets hold them: x and upper/lower sizes; the third set is out of order, as during a
    // drag.
    const std::vector<std::vector<pelmora::SizeKey>> sizeSets = {
        {{0, 12, 6}, {100, 3, 1}},
        {{0, 14, 8}, {30, 18, 10}, {30, 2, 2}, {100, 4, 1}},
        {{0, 1, 0.5f}, {70, 9.3f, 0.1f}, {20, 5, 5}, {100, 0, 0}},
        {{0, 10000, 0}, {0.001f, 0, 0}, {99.9f, 7.77f, 3.33f}, {100, 1e-3f, 1e-4f}},
    };
    const std::vector<std::vector<pelmora::ColorKey>> colorSets = {
        {{0, {255, 240, 170, 255}, {255, 190, 60, 255}}, {100, {230, 60, 0, 0}, {160, 20, 0, 0}}},
        {{0, {0, 0, 0, 0}, {255, 255, 255, 255}},
         {33.3f, {10, 200, 30, 128}, {1, 2, 3, 4}},
         {33.3f, {90, 9, 250, 17}, {7, 77, 177, 227}},
         {100, {255, 0, 255, 255}, {0, 255, 0, 0}}},
        {{0, {1, 1, 1, 1}, {2, 2, 2, 2}},
         {0.5f, {254, 0, 127, 255}, {128, 129, 130, 131}},
         {100, {3, 3, 3, 3}, {4, 4, 4, 4}}},
    };
    std::vector<float> positions = {-5.0f, NAN, 100.0f, 250.0f, 33.3f};
    for (int i = 0; i <= 1000; ++i) {
        positions.push_back(static_cast<float>(i) * 0.1f);
    }
    for (const auto& set : sizeSets) {
        floatgraph::Keys keys;
        for (const pelmora::SizeKey& key : set) {
            KWGraphPoint point;
            point.x = key.x;
            point.y1 = -key.upper;
            point.y2 = -key.lower;
            keys.push_back(point);
        }
        for (float x : positions) {
            const KWGraphSample expected = floatgraph::evaluate(keys, x);
            const pelmora::detail::SizeSample got = pelmora::detail::evaluateSize(set, x);
            ASSERT_EQ(got.upper, -expected.y1) << x;
            ASSERT_EQ(got.lower, -expected.y2) << x;
        }
    }
    for (const auto& set : colorSets) {
        std::vector<KWColorPoint> keys;
        for (std::size_t i = 0; i < set.size(); ++i) {
            const pelmora::ColorKey& k = set[i];
            keys.push_back(KWColorPoint(k.position, KWColor(k.upper.r, k.upper.g, k.upper.b, k.upper.a),
                                        KWColor(k.lower.r, k.lower.g, k.lower.b, k.lower.a),
                                        i == 0 || i + 1 == set.size()));
        }
        coloredit::ColorEditModel model;
        ASSERT_TRUE(model.setPoints(keys));
        for (float x : positions) {
            KWColor upper, lower;
            pelmora::Color gotUpper = {}, gotLower = {};
            const bool ok = model.evaluate(x, upper, lower);
            ASSERT_EQ(pelmora::detail::evaluateColor(set, x, gotUpper, gotLower), ok) << x;
            if (ok) {
                const int want[8] = {upper.r, upper.g, upper.b, upper.a, lower.r, lower.g, lower.b, lower.a};
                const int got[8] = {gotUpper.r, gotUpper.g, gotUpper.b, gotUpper.a,
                                    gotLower.r, gotLower.g, gotLower.b, gotLower.a};
                for (int c = 0; c < 8; ++c) {
                    ASSERT_EQ(got[c], want[c]) << x << " component " << c;
                }
            }
        }
    }
}

TEST(RuntimeMatchesEditor, FirstFlipbookFrameIsThePreviewAtTheSameTime) {
    const pelmora::editor::Scene scene = pelmora::editor::Scene::makeDefault();
    pelmora::FlipbookSettings settings;
    settings.size = 96;
    settings.frames = 2;
    settings.rate = 10.0;                       // the first frame at 0.1 s, six steps
    settings.framing = pelmora::Framing::Scale; // the preview's own view, one pixel a unit
    const pelmora::LoadResult runtimeEffect = pelmora::Effect::make(scene.describe());
    ASSERT_TRUE(runtimeEffect) << runtimeEffect.error();
    std::vector<std::uint32_t> frame;
    pelmora::renderFlipbook(*runtimeEffect, settings, {}, [&](int index, const pelmora::Canvas& canvas) {
        for (int y = 0; index == 0 && y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                frame.push_back(canvas.pixel(x, y));
            }
        }
        return true;
    });

    // The preview on black: colours premultiplied on a transparent sheet are the same numbers.
    pelmora::editor::Playback playback(settings.seed);
    playback.restart(scene);
    playback.step(6);
    pelmora::Geometry geometry;
    playback.appendGeometry(geometry);
    ASSERT_FALSE(geometry.draws.empty());
    pelmora::Canvas preview(settings.size, settings.size);
    preview.clear(0x000000);
    pelmora::drawGeometry(preview, geometry, pelmora::previewView(settings.size, settings.size, 1.0f), {});
    ASSERT_EQ(frame.size(), 96u * 96u);
    int differing = 0;
    int lit = 0;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            differing += frame[static_cast<std::size_t>(y) * 96 + x] != preview.pixel(x, y);
            lit += preview.pixel(x, y) != 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(lit, 20);
}
