#include "EffectData.h"
#include "EmissionSchedule.h"
#include "Engine.h"

#include <pelmora/Runtime.h>

#include <cmath>

namespace pelmora {

namespace {

const float kDegrees = 3.14159265358979f / 180.0f;

} // namespace

Instance::Instance(const Effect& effect, std::uint32_t seed)
    : effect(effect.data), engine(new detail::Engine(seed)) {
    engine->restart(this->effect->emitters);
}

Instance::Instance(const Effect& effect, std::uint32_t seed, float x, float y)
    : effect(effect.data), engine(new detail::Engine(seed)), originX(x), originY(y) {
    engine->setOrigin(x, y);
    engine->restart(this->effect->emitters);
}

Instance::Instance(const Instance& other)
    : effect(other.effect), engine(new detail::Engine(*other.engine)), current(other.current),
      stale(other.stale), clock(other.clock), playing(other.playing), timeScale(other.timeScale),
      originX(other.originX), originY(other.originY), turn(other.turn), scale(other.scale) {}

Instance& Instance::operator=(const Instance& other) {
    if (this != &other) {
        Instance copy(other);
        effect = copy.effect;
        engine.swap(copy.engine);
        current.swap(copy.current);
        stale = copy.stale;
        clock = copy.clock;
        playing = copy.playing;
        timeScale = copy.timeScale;
        originX = copy.originX;
        originY = copy.originY;
        turn = copy.turn;
        scale = copy.scale;
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
    engine->restart(effect->emitters);
    clock = 0.0;
    playing = true;
    changed();
    if (seconds > 0.0 && std::isfinite(seconds)) {
        runTo(seconds);
    }
}

void Instance::update(double seconds) {
    const double scaled = seconds * timeScale;
    if (scaled > 0.0 && std::isfinite(scaled)) {
        runTo(clock + scaled);
    }
}

void Instance::setTimeScale(float value) {
    if (value >= 0.0f && std::isfinite(value)) {
        timeScale = value;
    }
}

void Instance::runTo(double seconds) {
    clock = seconds;
    // Steps are counted from the start rather than from a remainder, so any split of the same time into
    // update() calls runs the same steps; the margin absorbs the rounding of sums like 0.1 + 0.2.
    const double target = std::floor(clock * detail::Engine::kStepsPerSecond + 1e-6);
    while (static_cast<double>(engine->stepCount()) < target) {
        engine->step(playing);
        changed();
    }
}

void Instance::setPosition(float x, float y) {
    originX = x;
    originY = y;
    engine->setOrigin(x, y);
    if (engine->stepCount() == 0 && engine->count() > 0) {
        // Prewarmed particles were emitted at creation; place them where a seek would.
        engine->restart(effect->emitters);
        changed();
    }
}

void Instance::setTransform(float x, float y, float rotationDegrees, float factor) {
    setPosition(x, y);
    if (std::isfinite(rotationDegrees) && std::isfinite(factor) && factor >= 0.0f) {
        turn = rotationDegrees * kDegrees;
        scale = factor;
        changed();
    }
}

void Instance::setMaxParticles(std::size_t count) {
    engine->setCap(count);
}

bool Instance::reload(const Effect& other) {
    if (other.emitterCount() == 0) {
        return false;
    }
    const bool wasPlaying = playing;
    const double time = clock;
    effect = other.data;
    seek(time);
    playing = wasPlaying;
    return true;
}

void Instance::replace(const Effect& other, const std::vector<int>& previous) {
    effect = other.data;
    engine->replace(effect->emitters, previous);
    changed();
}

bool Instance::alive() const {
    if (engine->count() > 0) {
        return true;
    }
    // Playing but with every emitter past its last cycle, nothing more will ever show.
    for (std::size_t i = 0; playing && i < engine->emitterCount(); ++i) {
        if (detail::emitsAfter(engine->emission(static_cast<std::uint32_t>(i)), clock)) {
            return true;
        }
    }
    return false;
}

Particle Instance::placed(Particle particle) const {
    if (turn != 0.0f || scale != 1.0f) {
        placePoint(particle.x, particle.y);
        particle.size *= scale;
        particle.stretch *= scale;
        particle.rotation += turn;
    }
    return particle;
}

void Instance::placePoint(float& x, float& y) const {
    if (turn != 0.0f || scale != 1.0f) {
        const float c = std::cos(turn) * scale;
        const float s = std::sin(turn) * scale;
        const float dx = x - originX;
        const float dy = y - originY;
        x = originX + dx * c - dy * s;
        y = originY + dx * s + dy * c;
    }
}

const std::vector<Particle>& Instance::particles() const {
    if (stale) {
        current.resize(engine->count());
        engine->appearances(0, current.size(), current.data(), effect->emitterTexture);
        if (turn != 0.0f || scale != 1.0f) {
            for (Particle& particle : current) {
                particle = placed(particle);
            }
        }
        stale = false;
    }
    return current;
}

} // namespace pelmora
