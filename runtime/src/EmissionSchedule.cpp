#include "EmissionSchedule.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

bool operator==(const Burst& a, const Burst& b) {
    return a.time == b.time && a.count == b.count && a.interval == b.interval && a.cycles == b.cycles;
}

namespace detail {

namespace {

// Rounding slack, so that rate x time landing on a whole number counts that particle on every platform.
const double kSlack = 1e-9;

// Burst particles whose times fall before `within` seconds of one cycle.
std::uint64_t burstsBefore(const Emission& emission, double within) {
    std::uint64_t total = 0;
    for (const Burst& burst : emission.bursts) {
        if (burst.count <= 0) {
            continue;
        }
        for (int k = 0; k < std::max(1, burst.cycles); ++k) {
            const double at = burst.time + static_cast<double>(k) * burst.interval;
            if (at >= emission.duration || at >= within || (k > 0 && !(burst.interval > 0.0f))) {
                break;
            }
            total += static_cast<std::uint64_t>(burst.count);
        }
    }
    return total;
}

} // namespace

Emission emissionOf(const EmitterDesc& emitter) {
    Emission emission;
    emission.rate = emitter.rate;
    emission.bursts = emitter.bursts;
    emission.duration = emitter.duration;
    emission.loop = emitter.loop;
    emission.delay = emitter.delay;
    return emission;
}

std::uint64_t emittedUntil(const Emission& emission, double seconds) {
    const double local = seconds - emission.delay;
    const double duration = std::max(1e-3, static_cast<double>(emission.duration));
    if (!(local > 0.0)) {
        return 0;
    }
    const double active = emission.loop ? local : std::min(local, duration);
    const double rate = std::max(0.0, static_cast<double>(emission.rate));
    std::uint64_t total = static_cast<std::uint64_t>(std::floor(rate * active + kSlack));
    if (emission.bursts.empty()) {
        return total;
    }
    if (emission.loop) {
        const double cycles = std::floor(local / duration);
        total += static_cast<std::uint64_t>(cycles) * burstsBefore(emission, duration);
        return total + burstsBefore(emission, local - cycles * duration);
    }
    return total + burstsBefore(emission, active);
}

bool emitsAfter(const Emission& emission, double seconds) {
    return emission.loop || seconds < emission.delay + emission.duration;
}

} // namespace detail
} // namespace pelmora
