// A game's use of the runtime: many instances updated and read, instances made, memory held. Prints
// figures against the targets; never a pass or fail. Build Release; run on an idle machine.
#include "BenchSupport.h"

#include <pelmora/Runtime.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>
#include <vector>

namespace {

// Bytes held on the heap, counted through the global operators.
std::atomic<long long> heapBytes(0);

const std::size_t kHeader = 16;

} // namespace

void* operator new(std::size_t size) {
    char* block = static_cast<char*>(std::malloc(size + kHeader));
    if (!block) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    heapBytes += static_cast<long long>(size);
    return block + kHeader;
}

void operator delete(void* pointer) noexcept {
    if (pointer) {
        char* block = static_cast<char*>(pointer) - kHeader;
        heapBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
        std::free(block);
    }
}

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

namespace {

using bench::Clock;
using bench::millisecondsSince;

// The process's processor time in milliseconds: on a machine shared with other work, what the load
// itself costs, where the clock also counts the time others run.
double processorMilliseconds() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

pelmora::Effect oneEmitter(float rate, float life) {
    pelmora::EmitterDesc emitter;
    emitter.name = "bench";
    emitter.rate = rate;
    emitter.lifetimeMin = emitter.lifetimeMax = life;
    emitter.size = {{0.0f, 8.0f, 4.0f}, {100.0f, 2.0f, 1.0f}};
    emitter.color = {{0.0f, {255, 200, 80, 255}, {255, 120, 40, 255}},
                     {100.0f, {80, 40, 20, 0}, {40, 20, 10, 0}}};
    emitter.spinMin = -90.0f;
    emitter.spinMax = 90.0f;
    const pelmora::LoadResult made =
        pelmora::Effect::make({pelmora::SystemDesc{"bench", {{"g", {emitter}}}}});
    if (!made) {
        std::printf("%s\n", made.error().c_str());
    }
    return *made;
}

// 200 instances of one emitter (200 a second, 2 s lives), 20 s in 15 ms steps, read after each step.
double manyInstances(bool geometry, std::size_t& updates, double& processor) {
    const pelmora::Effect effect = oneEmitter(200.0f, 2.0f);
    std::vector<pelmora::Instance> instances;
    for (std::uint32_t i = 0; i < 200; ++i) {
        instances.emplace_back(effect, i + 1);
    }
    pelmora::Geometry out;
    updates = 0;
    const Clock::time_point start = Clock::now();
    const double startProcessor = processorMilliseconds();
    for (int step = 0; step < 20000 / 15; ++step) {
        out.clear();
        for (pelmora::Instance& instance : instances) {
            instance.update(0.015);
            if (geometry) {
                instance.appendGeometry(out);
            } else {
                updates += instance.particles().size();
            }
        }
        updates += out.vertices.size() / 4;
    }
    processor = processorMilliseconds() - startProcessor;
    return millisecondsSince(start);
}

// 100 instances of 1,000 live particles, updated and turned into geometry: milliseconds per frame.
double thousandEach(unsigned threads, double& processor) {
    const pelmora::Effect effect = oneEmitter(500.0f, 2.0f);
    pelmora::World world;
    for (std::uint32_t i = 0; i < 100; ++i) {
        world.play(effect, static_cast<float>(i), 0.0f, i + 1);
    }
    world.update(2.5, 1);
    pelmora::Geometry out;
    const int frames = 200;
    const Clock::time_point start = Clock::now();
    const double startProcessor = processorMilliseconds();
    for (int frame = 0; frame < frames; ++frame) {
        world.update(1.0 / 60, threads);
        out.clear();
        world.appendGeometry(out);
    }
    const double each = millisecondsSince(start) / frames;
    processor = (processorMilliseconds() - startProcessor) / frames;
    std::printf("    (%zu particles)", world.particleCount());
    return each;
}

} // namespace

int main(int argc, char** argv) {
    const std::string examples = argc > 1 ? argv[1] : "editor/examples";
    const pelmora::LoadResult campfire = pelmora::Effect::load(examples + "/campfire.kwfx");
    if (!campfire) {
        std::printf("%s\n", campfire.error().c_str());
        return 1;
    }
    std::size_t updates = 0;
    for (bool geometry : {false, true}) {
        double processor = 0.0;
        const double ms = manyInstances(geometry, updates, processor);
        std::printf(
            "200 instances, 20 s in 15 ms steps, %s read: %.3f s (processor %.3f s; target under 0.25 s), "
            "%.3f million particle updates per ms\n",
            geometry ? "geometry" : "particles", ms / 1000.0, processor / 1000.0,
            static_cast<double>(updates) / ms / 1e6);
    }
    for (unsigned threads : {1u, 2u}) {
        double processor = 0.0;
        const double ms = thousandEach(threads, processor);
        std::printf(
            " 100 x 1,000 particles, update and geometry on %u thread%s: %.3f ms a frame (processor %.3f "
            "ms; target under %s)\n",
            threads, threads > 1 ? "s" : "", ms, processor, threads > 1 ? "0.35 ms" : "0.6 ms");
    }

    // Prewarmed effects run their last particle life when made; the others start empty.
    for (const char* name : {"campfire", "sparks", "fire", "smoke"}) {
        const pelmora::LoadResult loaded = pelmora::Effect::load(examples + "/" + name + ".kwfx");
        if (!loaded) {
            std::printf("%s\n", loaded.error().c_str());
            return 1;
        }
        const int made = 500;
        std::vector<pelmora::Instance> instances;
        instances.reserve(made);
        const Clock::time_point start = Clock::now();
        const double startProcessor = processorMilliseconds();
        for (int i = 0; i < made; ++i) {
            instances.emplace_back(*loaded, static_cast<std::uint32_t>(i));
        }
        std::printf("creating a %s instance: %.2f us (processor %.2f us; target under 20 us)\n", name,
                    millisecondsSince(start) * 1000.0 / made,
                    (processorMilliseconds() - startProcessor) * 1000.0 / made);
    }

    const long long before = heapBytes;
    std::vector<pelmora::Instance> thousand;
    thousand.reserve(1000);
    for (std::uint32_t i = 0; i < 1000; ++i) {
        thousand.emplace_back(*campfire, i);
    }
    const long long created = heapBytes - before;
    for (pelmora::Instance& instance : thousand) {
        instance.update(3.0);
    }
    std::printf("1,000 campfire instances: %.2f MB made, %.2f MB after 3 s with %zu particles each "
                "(target under 8 MB)\n",
                static_cast<double>(created) / 1e6, static_cast<double>(heapBytes - before) / 1e6,
                thousand[0].particleCount());
    return 0;
}
