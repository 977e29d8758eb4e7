#include "EmissionSchedule.h"
#include "Engine.h"

#include <pelmora/Runtime.h>

#include <cmath>

namespace pelmora {

Instance::Instance(const Effect& effect, std::uint32_t seed)
    : engine(new detail::Engine(seed)), emitterTexture(effect.emitterTexture) {
    engine->restart(effect.emitters);
}

Instance::Instance(const Instance& other)
    : engine(new detail::Engine(*other.engine)), emitterTexture(other.emitterTexture), current(other.current),
      clock(other.clock), playing(other.playing) {}

Instance& Instance::operator=(const Instance& other) {
    if (this != &other) {
        engine.reset(new detail::Engine(*other.engine));
        emitterTexture = other.emitterTexture;
        current = other.current;
        clock = other.clock;
        playing = other.playing;
    }
    return *this;
}

Instance::~Instance() = default;

void Instance::play() {
    playing = true;
}

void Instance::stop() {
    playing = false;
}

void Instance::seek(double seconds) {
    engine->restart(engine->emitters());
    clock = 0.0;
    playing = true;
    update(seconds);
    refresh();
}

void Instance::update(double seconds) {
    if (seconds > 0.0 && std::isfinite(seconds)) {
        runTo(clock + seconds);
    }
}

void Instance::runTo(double seconds) {
    clock = seconds;
    // Steps are counted from the start rather than from a remainder, so any split of the same time into
    // update() calls runs the same steps; the margin absorbs the rounding of sums like 0.1 + 0.2.
    const double target = std::floor(clock * detail::Engine::kStepsPerSecond + 1e-6);
    while (static_cast<double>(engine->stepCount()) < target) {
        engine->step(playing);
    }
    refresh();
}

void Instance::setPosition(float x, float y) {
    engine->setOrigin(x, y);
    if (engine->stepCount() == 0 && !engine->bodies().empty()) {
        // Prewarmed particles were emitted at creation; place them where a seek would.
        engine->restart(engine->emitters());
        refresh();
    }
}

bool Instance::reload(const Effect& effect) {
    if (effect.emitterCount() == 0) {
        return false;
    }
    const bool wasPlaying = playing;
    engine->restart(effect.emitters);
    emitterTexture = effect.emitterTexture;
    const double time = clock;
    clock = 0.0;
    playing = true;
    update(time);
    playing = wasPlaying;
    refresh();
    return true;
}

void Instance::replace(const Effect& effect, const std::vector<int>& previous) {
    engine->replace(effect.emitters, previous);
    emitterTexture = effect.emitterTexture;
    refresh();
}

bool Instance::alive() const {
    if (!engine->bodies().empty()) {
        return true;
    }
    // Playing but with every emitter past its last cycle, nothing more will ever show.
    for (std::size_t i = 0; playing && i < engine->emitterCount(); ++i) {
        if (detail::emitsAfter(detail::emissionOf(engine->emitter(static_cast<std::uint32_t>(i))), clock)) {
            return true;
        }
    }
    return false;
}

void Instance::refresh() {
    engine->snapshot(current, emitterTexture);
}

} // namespace pelmora
