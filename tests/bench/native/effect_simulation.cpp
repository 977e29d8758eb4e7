// Steps an effect holding 10,000 live particles and takes every particle's size and colour, as a
// preview frame does. Prints figures; never a pass or fail.
#include "BenchSupport.h"
#include "DenseScene.h"
#include "logic/Playback.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pelmora;
using namespace pelmora::editor;

using bench::Clock;
using bench::millisecondsSince;

int main() {
    Scene scene;
    const bool accepted = bench::denseScene(scene, [](EmitterDesc& values) {
        values.size.insert(values.size.begin() + 1, SizeKey{40.0f, 20.0f, 8.0f});
        values.color.insert(values.color.begin() + 1,
                            ColorKey{50.0f, {90, 160, 255, 200}, {20, 60, 200, 160}});
    });
    if (!accepted) {
        std::printf("benchmark scene refused\n");
        return 1;
    }
    Playback playback(7);
    playback.restart(scene);
    playback.step(2 * Playback::kStepsPerSecond + 30);

    const int frames = 300;
    double stepTotal = 0.0;
    double lookTotal = 0.0;
    std::vector<double> frameTimes;
    float checksum = 0.0f; // keeps the sampling from being optimised away
    std::size_t live = 0;
    for (int frame = 0; frame < frames; ++frame) {
        Clock::time_point start = Clock::now();
        playback.step();
        const double stepTime = millisecondsSince(start);
        start = Clock::now();
        for (const Particle& particle : playback.particles()) {
            checksum += particle.size + static_cast<float>(particle.a);
        }
        const double lookTime = millisecondsSince(start);
        stepTotal += stepTime;
        lookTotal += lookTime;
        frameTimes.push_back(stepTime + lookTime);
        live += playback.particleCount();
    }
    std::printf("effect simulation: %zu live particles on average over %d frames\n", live / frames, frames);
    std::sort(frameTimes.begin(), frameTimes.end());
    std::printf("  step %.3f ms, sampling size and colour %.3f ms, together %.3f ms on average\n",
                stepTotal / frames, lookTotal / frames, (stepTotal + lookTotal) / frames);
    std::printf("  together per frame: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n",
                frameTimes[frameTimes.size() / 2], frameTimes[frameTimes.size() * 99 / 100],
                frameTimes.back());
    std::printf("  checksum %.1f\n", static_cast<double>(checksum));
    return 0;
}
