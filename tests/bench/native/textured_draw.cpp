// The preview's frame with 10,000 live particles, simulated and drawn into a preview-sized canvas: round
// particles as the baseline, then textured, turned and alpha-blended ones with either sampling. Prints
// figures; never a pass or fail.
#include "BenchSupport.h"
#include "DenseScene.h"
#include "logic/Playback.h"

#include <pelmora/Flipbook.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace pelmora::editor;

using bench::Clock;
using bench::millisecondsSince;

namespace {

// A soft white spot, 32 texels square, as a spark texture looks.
pelmora::Image spark() {
    pelmora::Image image{32, 32, std::vector<std::uint8_t>(32 * 32 * 4, 255)};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float distance = std::hypot(x - 15.5f, y - 15.5f) / 16.0f;
            image.rgba[(y * 32 + x) * 4 + 3] =
                static_cast<std::uint8_t>(255.0f * std::max(0.0f, 1.0f - distance));
        }
    }
    return image;
}

enum class Mode { Round, Nearest, Bilinear };

void measure(const Scene& scene, Mode mode, const char* name) {
    Playback playback(7);
    playback.restart(scene);
    playback.step(2 * Playback::kStepsPerSecond + 30);
    pelmora::Canvas canvas(1024, 640);
    const pelmora::View view = {512.0f, 560.0f, 1.0f};
    const std::vector<pelmora::Image> textures = {spark()};
    std::vector<pelmora::Particle> particles;
    std::vector<double> frames;
    double stepTotal = 0.0, drawTotal = 0.0, sizeTotal = 0.0, areaTotal = 0.0;
    std::size_t live = 0;
    const int count = 200;
    for (int frame = 0; frame < count; ++frame) {
        Clock::time_point start = Clock::now();
        playback.step();
        particles = playback.particles();
        for (std::size_t i = 0; i < particles.size(); ++i) {
            // Every particle turned differently.
            particles[i].rotation = 0.37f * static_cast<float>(i % 17) + 0.02f * static_cast<float>(frame);
            particles[i].texture = mode == Mode::Round ? -1 : 0;
            particles[i].blend = pelmora::Blend::Alpha;
        }
        const double stepTime = millisecondsSince(start);
        start = Clock::now();
        canvas.clear(0x202028);
        pelmora::drawParticles(canvas, particles, view, textures,
                               mode == Mode::Nearest ? pelmora::Sampling::Nearest
                                                     : pelmora::Sampling::Bilinear);
        const double drawTime = millisecondsSince(start);
        stepTotal += stepTime;
        drawTotal += drawTime;
        frames.push_back(stepTime + drawTime);
        live += particles.size();
        for (const pelmora::Particle& particle : particles) {
            sizeTotal += particle.size;
            areaTotal += static_cast<double>(particle.size) * particle.size;
        }
    }
    std::sort(frames.begin(), frames.end());
    std::printf("%-34s %.0f sprite pixels a frame (size squared), %.1f ns a pixel\n", name, areaTotal / count,
                drawTotal * 1e6 / areaTotal);
    std::printf(
        "%-34s %zu particles (mean size %.1f px), step %.2f ms + draw %.2f ms = %.2f ms; median %.2f, "
        "worst %.2f ms (canvas %d x %d, pixel %06x)\n",
        name, live / count, sizeTotal / static_cast<double>(live), stepTotal / count, drawTotal / count,
        (stepTotal + drawTotal) / count, frames[frames.size() / 2], frames.back(), canvas.width(),
        canvas.height(), static_cast<unsigned>(canvas.pixel(512, 400)));
}

} // namespace

int main() {
    Scene scene;
    if (!bench::denseScene(scene,
                           [](pelmora::EmitterDesc& values) { values.blend = pelmora::Blend::Alpha; })) {
        std::printf("benchmark scene refused\n");
        return 1;
    }
    measure(scene, Mode::Round, "round (baseline):");
    measure(scene, Mode::Nearest, "textured, turned, alpha, nearest:");
    measure(scene, Mode::Bilinear, "textured, turned, alpha, bilinear:");
    return 0;
}
