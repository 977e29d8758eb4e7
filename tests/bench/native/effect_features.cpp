// Seeks an effect that uses every emitter feature (a shape, bursts, prewarm, spin, drag and a sprite
// sheet) to 10 s with 1,000 live particles, and steps one holding 10,000; steps 10,000 particles with
// trails and noise and builds their geometry. Prints figures; never a pass or fail.
#include "BenchSupport.h"
#include <pelmora/Runtime.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using bench::Clock;
using bench::millisecondsSince;

namespace {

// rate particles a second living 2 s, plus a burst of a tenth of that every second.
pelmora::Effect featured(float rate) {
    pelmora::EmitterDesc emitter;
    emitter.name = "Featured";
    emitter.rate = rate;
    emitter.lifetimeMin = emitter.lifetimeMax = 2.0f;
    emitter.size = {{0, 12, 6}, {40, 20, 8}, {100, 3, 1}};
    emitter.color = {{0, {255, 240, 170, 255}, {255, 190, 60, 255}},
                     {50, {90, 160, 255, 200}, {20, 60, 200, 160}},
                     {100, {230, 60, 0, 0}, {160, 20, 0, 0}}};
    emitter.shape = {pelmora::ShapeKind::Circle, true, 30.0f, 0.0f, 0.0f};
    emitter.bursts = {{0.0f, static_cast<int>(rate / 10), 0.0f, 1}};
    emitter.duration = 1.0f;
    emitter.prewarm = true;
    emitter.rotationMax = 360.0f;
    emitter.spinMin = -90.0f;
    emitter.spinMax = 90.0f;
    emitter.drag = 0.5f;
    emitter.sheet = {4, 4, 0.0f, true};
    const pelmora::LoadResult made = pelmora::Effect::make({{"S", {{"G", {emitter}}}}});
    if (!made) {
        std::printf("benchmark effect refused: %s\n", made.error().c_str());
    }
    return *made;
}

// 5,000 particles a second living 2 s, with trails of 8 points and two octaves of noise.
pelmora::Effect trailed() {
    pelmora::EmitterDesc emitter;
    emitter.name = "Trailed";
    emitter.rate = 5000.0f;
    emitter.lifetimeMin = emitter.lifetimeMax = 2.0f;
    emitter.size = {{0, 8, 4}, {100, 2, 1}};
    emitter.color = {{0, {255, 200, 80, 255}, {255, 120, 40, 255}}, {100, {80, 40, 20, 0}, {40, 20, 10, 0}}};
    emitter.trail.length = 0.3f;
    emitter.trail.segments = 8;
    emitter.noise.strength = 200.0f;
    emitter.noise.octaves = 2;
    emitter.noise.scroll = 0.5f;
    const pelmora::LoadResult made = pelmora::Effect::make({{"S", {{"G", {emitter}}}}});
    if (!made) {
        std::printf("benchmark effect refused: %s\n", made.error().c_str());
    }
    return *made;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    const pelmora::Effect thousand = featured(450.0f);
    std::vector<double> seeks;
    std::size_t live = 0;
    for (int run = 0; run < 9; ++run) {
        pelmora::Instance instance(thousand, static_cast<std::uint32_t>(run));
        const Clock::time_point start = Clock::now();
        instance.seek(10.0);
        seeks.push_back(millisecondsSince(start));
        live = instance.particles().size();
    }
    std::printf("seek to 10 s (prewarm, bursts, shape, spin, drag, sheet), %zu live particles:\n", live);
    std::printf("  median %.2f ms, worst %.2f ms (target below 100 ms)\n", median(seeks),
                *std::max_element(seeks.begin(), seeks.end()));

    const pelmora::Effect tenThousand = featured(4500.0f);
    pelmora::Instance instance(tenThousand, 7);
    instance.seek(3.0);
    std::vector<double> steps;
    std::size_t counted = 0;
    for (int frame = 0; frame < 300; ++frame) {
        const Clock::time_point start = Clock::now();
        instance.update(1.0 / 60);
        steps.push_back(millisecondsSince(start));
        counted += instance.particles().size();
    }
    std::printf(
        "one step with every feature, %zu live particles on average (particles handed out included):\n",
        counted / steps.size());
    std::printf("  median %.3f ms, 99th percentile %.3f ms\n", median(steps), [&] {
        std::sort(steps.begin(), steps.end());
        return steps[steps.size() * 99 / 100];
    }());

    pelmora::Instance trails(trailed(), 3);
    trails.seek(2.5);
    std::vector<double> frames;
    pelmora::Geometry geometry;
    for (int frame = 0; frame < 120; ++frame) {
        const Clock::time_point start = Clock::now();
        trails.update(1.0 / 60);
        geometry.clear();
        trails.appendGeometry(geometry);
        frames.push_back(millisecondsSince(start));
    }
    std::printf(
        "one step and its geometry, %zu particles with trails of 8 points and noise (%zu vertices):\n",
        trails.particleCount(), geometry.vertices.size());
    double total = 0.0;
    for (double frame : frames) {
        total += frame;
    }
    std::printf("  mean %.3f ms (target of the preview's whole frame: 8 ms)\n", total / frames.size());
    return 0;
}
