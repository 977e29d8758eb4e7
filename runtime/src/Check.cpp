#include "Check.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <tuple>

namespace pelmora {
namespace detail {

namespace {

Problem problem(const std::string& field, const std::string& message) {
    Problem result;
    result.field = field;
    result.message = message;
    return result;
}

std::string indexed(const std::string& name, std::size_t index) {
    return name + "[" + std::to_string(index) + "]";
}

Problem checkRange(const std::string& field, float value, const Range& range) {
    if (!std::isfinite(value)) {
        return problem(field, floatText(value) + " is not a finite number");
    }
    if (!range.contains(value)) {
        return problem(field, floatText(value) + " is outside " + floatText(range.min) + ".." +
                                  floatText(range.max));
    }
    return Problem();
}

Problem checkKeyCount(const char* field, std::size_t count) {
    if (count < kMinKeys || count > kMaxKeys) {
        return problem(field, std::to_string(count) + " keys; a curve has " + std::to_string(kMinKeys) +
                                  " to " + std::to_string(kMaxKeys));
    }
    return Problem();
}

Problem checkSizeKeys(const std::vector<SizeKey>& keys, const char* name = "size",
                      const Range& values = kSizeRange) {
    Problem found = checkKeyCount(name, keys.size());
    for (std::size_t i = 0; found.ok() && i < keys.size(); ++i) {
        const std::string at = indexed(name, i);
        const SizeKey& key = keys[i];
        if (!(found = checkRange(at + ".x", key.x, kKeyPositionRange)).ok() ||
            !(found = checkRange(at + ".upper", key.upper, values)).ok() ||
            !(found = checkRange(at + ".lower", key.lower, values)).ok()) {
            break;
        }
        if (key.upper < key.lower) {
            found = problem(at, "lower value " + floatText(key.lower) + " is above upper value " +
                                    floatText(key.upper));
        }
    }
    return found;
}

Problem checkColor(const std::string& field, const Color& color) {
    const int components[4] = {color.r, color.g, color.b, color.a};
    for (int c = 0; c < 4; ++c) {
        if (components[c] < 0 || components[c] > 255) {
            return problem(indexed(field, static_cast<std::size_t>(c)),
                           std::to_string(components[c]) + " is outside 0..255");
        }
    }
    return Problem();
}

Problem checkColorKeys(const std::vector<ColorKey>& keys) {
    Problem found = checkKeyCount("color", keys.size());
    for (std::size_t i = 0; found.ok() && i < keys.size(); ++i) {
        const std::string at = indexed("color", i);
        if (!(found = checkRange(at + ".position", keys[i].position, kKeyPositionRange)).ok() ||
            !(found = checkColor(at + ".upper", keys[i].upper)).ok()) {
            break;
        }
        found = checkColor(at + ".lower", keys[i].lower);
    }
    return found;
}

Problem checkText(const char* field, const std::string& text, std::size_t limit) {
    if (text.size() > limit) {
        return problem(field, std::to_string(text.size()) + " characters; at most " + std::to_string(limit));
    }
    if (text.find('\0') != std::string::npos) {
        return problem(field, "holds a NUL character");
    }
    return Problem();
}

Problem checkWhole(const std::string& field, int value, const Range& range) {
    if (static_cast<float>(value) < range.min || static_cast<float>(value) > range.max) {
        return problem(field, std::to_string(value) + " is outside " + floatText(range.min) + ".." +
                                  floatText(range.max));
    }
    return Problem();
}

Problem checkLowHigh(const char* field, float low, float high, const Range& range) {
    Problem found = checkRange(std::string(field) + ".min", low, range);
    if (found.ok()) {
        found = checkRange(std::string(field) + ".max", high, range);
    }
    if (found.ok() && low > high) {
        found = problem(field, "minimum " + floatText(low) + " is above maximum " + floatText(high));
    }
    return found;
}

Problem checkBursts(const std::vector<Burst>& bursts) {
    if (bursts.size() > kMaxBursts) {
        return problem("bursts",
                       std::to_string(bursts.size()) + " bursts; at most " + std::to_string(kMaxBursts));
    }
    Problem found;
    for (std::size_t i = 0; found.ok() && i < bursts.size(); ++i) {
        const std::string at = indexed("bursts", i);
        if (!(found = checkRange(at + ".time", bursts[i].time, kBurstTimeRange)).ok() ||
            !(found = checkWhole(at + ".count", bursts[i].count, kBurstCountRange)).ok() ||
            !(found = checkRange(at + ".interval", bursts[i].interval, kBurstTimeRange)).ok()) {
            break;
        }
        found = checkWhole(at + ".cycles", bursts[i].cycles, kBurstCyclesRange);
    }
    return found;
}

// The values version 2 added: shape, timing, motion and sprite sheet.
Problem checkFeatures(const EmitterDesc& emitter) {
    const EmitterShape& shape = emitter.shape;
    Problem found;
    if (shape.kind != ShapeKind::Point && shape.kind != ShapeKind::Circle &&
        shape.kind != ShapeKind::Rectangle && shape.kind != ShapeKind::Line) {
        found = problem("shape.kind", "is not point, circle, rectangle or line");
    }
    const struct {
        const char* field;
        float value;
        const Range* range;
    } values[] = {
        {"shape.radius", shape.radius, &kShapeRange},
        {"shape.width", shape.width, &kShapeRange},
        {"shape.height", shape.height, &kShapeRange},
        {"direction", emitter.direction, &kDirectionRange},
        {"timing.duration", emitter.duration, &kDurationRange},
        {"timing.delay", emitter.delay, &kDelayRange},
        {"drag", emitter.drag, &kDragRange},
        {"sheet.frameRate", emitter.sheet.frameRate, &kFrameRateRange},
    };
    for (const auto& value : values) {
        if (found.ok()) {
            found = checkRange(value.field, value.value, *value.range);
        }
    }
    if (found.ok()) {
        found = checkBursts(emitter.bursts);
    }
    if (found.ok()) {
        found = checkLowHigh("rotation", emitter.rotationMin, emitter.rotationMax, kRotationRange);
    }
    if (found.ok()) {
        found = checkLowHigh("spin", emitter.spinMin, emitter.spinMax, kSpinRange);
    }
    if (found.ok()) {
        found = checkWhole("sheet.columns", emitter.sheet.columns, kSheetRange);
    }
    if (found.ok()) {
        found = checkWhole("sheet.rows", emitter.sheet.rows, kSheetRange);
    }
    return found;
}

Problem below(const std::string& path, const Problem& found) {
    return found.ok() ? found : problem(path + "." + found.field, found.message);
}

Problem checkValues(std::initializer_list<std::tuple<std::string, float, const Range*>> values) {
    for (const auto& value : values) {
        const Problem found = checkRange(std::get<0>(value), std::get<1>(value), *std::get<2>(value));
        if (!found.ok()) {
            return found;
        }
    }
    return Problem();
}

Problem checkForces(const std::vector<Force>& forces) {
    if (forces.size() > kMaxForces) {
        return problem("forces",
                       std::to_string(forces.size()) + " forces; at most " + std::to_string(kMaxForces));
    }
    for (std::size_t i = 0; i < forces.size(); ++i) {
        const Force& force = forces[i];
        const std::string at = indexed("forces", i);
        if (force.kind != ForceKind::Attractor && force.kind != ForceKind::Vortex &&
            force.kind != ForceKind::Wind) {
            return problem(at + ".kind", "is not attractor, vortex or wind");
        }
        const Problem found = checkValues({{at + ".x", force.x, &kForcePositionRange},
                                           {at + ".y", force.y, &kForcePositionRange},
                                           {at + ".strength", force.strength, &kForceStrengthRange},
                                           {at + ".radius", force.radius, &kForceRadiusRange},
                                           {at + ".direction", force.direction, &kForceDirectionRange}});
        if (!found.ok()) {
            return found;
        }
    }
    return Problem();
}

Problem checkEmitterAt(const EmitterDesc& emitter, std::size_t depth);

Problem checkSubEmitters(const std::vector<SubEmitter>& subs, std::size_t depth) {
    if (!subs.empty() && depth >= kMaxEmitterDepth) {
        return problem("subEmitters", "sub-emitters nest at most " + std::to_string(kMaxEmitterDepth) +
                                          " levels deep in all");
    }
    if (subs.size() > kMaxSubEmitters) {
        return problem("subEmitters", std::to_string(subs.size()) + " sub-emitters; at most " +
                                          std::to_string(kMaxSubEmitters));
    }
    for (std::size_t i = 0; i < subs.size(); ++i) {
        const SubEmitter& sub = subs[i];
        const std::string at = indexed("subEmitters", i);
        Problem found;
        if (sub.trigger != Trigger::Birth && sub.trigger != Trigger::Death &&
            sub.trigger != Trigger::Collision) {
            found = problem(at + ".trigger", "is not birth, death or collision");
        }
        if (found.ok()) {
            found = checkWhole(at + ".count", sub.count, kSubCountRange);
        }
        if (found.ok()) {
            found = checkRange(at + ".inheritVelocity", sub.inheritVelocity, kInheritVelocityRange);
        }
        if (found.ok()) {
            found = below(at + ".emitter", checkEmitterAt(sub.emitter, depth + 1));
        }
        if (!found.ok()) {
            return found;
        }
    }
    return Problem();
}

// The values version 3 added: trails, sub-emitters, noise, forces, speed, stretch and collision.
Problem checkMotion(const EmitterDesc& emitter, std::size_t depth) {
    Problem found = checkValues({{"trail.length", emitter.trail.length, &kTrailLengthRange},
                                 {"trail.width", emitter.trail.width, &kTrailWidthRange}});
    if (found.ok()) {
        found = checkWhole("trail.segments", emitter.trail.segments, kTrailSegmentsRange);
    }
    if (found.ok()) {
        found = checkSubEmitters(emitter.subEmitters, depth);
    }
    if (found.ok()) {
        found = checkValues({{"noise.strength", emitter.noise.strength, &kNoiseStrengthRange},
                             {"noise.frequency", emitter.noise.frequency, &kNoiseFrequencyRange},
                             {"noise.scroll", emitter.noise.scroll, &kNoiseScrollRange}});
    }
    if (found.ok()) {
        found = checkWhole("noise.octaves", emitter.noise.octaves, kNoiseOctavesRange);
    }
    if (found.ok()) {
        found = checkForces(emitter.forces);
    }
    if (found.ok()) {
        found = checkSizeKeys(emitter.speedOverLife, "speedOverLife", kSpeedFactorRange);
    }
    if (found.ok()) {
        found = checkValues({{"speedLimit", emitter.speedLimit, &kSpeedLimitRange},
                             {"stretch", emitter.stretch, &kStretchRange},
                             {"collision.plane", emitter.collision.plane, &kPlaneRange},
                             {"collision.bounce", emitter.collision.bounce, &kFractionRange},
                             {"collision.friction", emitter.collision.friction, &kFractionRange},
                             {"collision.lifeLoss", emitter.collision.lifeLoss, &kFractionRange}});
    }
    return found;
}

} // namespace
} // namespace detail

using namespace detail;

std::string floatText(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "infinity" : "-infinity";
    }
    // The shortest text that reads back as the same float through a double, as the loader reads it.
    char text[32];
    if (value == std::floor(value) && std::fabs(value) < 1e9f) {
        std::snprintf(text, sizeof(text), "%.0f", static_cast<double>(value));
        return text;
    }
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof(text), "%.*g", precision, static_cast<double>(value));
        if (static_cast<float>(std::strtod(text, nullptr)) == value) {
            break;
        }
    }
    return text;
}

Problem checkName(const std::string& name) {
    if (name.empty()) {
        return problem("name", "is empty");
    }
    return checkText("name", name, kMaxNameLength);
}

Problem checkEmitter(const EmitterDesc& emitter) {
    return detail::checkEmitterAt(emitter, 1);
}

namespace detail {
namespace {

Problem checkEmitterAt(const EmitterDesc& emitter, std::size_t depth) {
    Problem found = checkName(emitter.name);
    if (found.ok()) {
        found = checkRange("rate", emitter.rate, kRateRange);
    }
    if (found.ok()) {
        found = checkRange("lifetime.min", emitter.lifetimeMin, kLifetimeRange);
    }
    if (found.ok()) {
        found = checkRange("lifetime.max", emitter.lifetimeMax, kLifetimeRange);
    }
    if (found.ok() && emitter.lifetimeMin > emitter.lifetimeMax) {
        found = problem("lifetime", "minimum " + floatText(emitter.lifetimeMin) + " is above maximum " +
                                        floatText(emitter.lifetimeMax));
    }
    if (found.ok()) {
        found = checkRange("speed", emitter.speed, kSpeedRange);
    }
    if (found.ok()) {
        found = checkRange("spread", emitter.spread, kSpreadRange);
    }
    if (found.ok()) {
        found = checkRange("gravity", emitter.gravity, kGravityRange);
    }
    if (found.ok() && emitter.blend != Blend::Alpha && emitter.blend != Blend::Additive) {
        found = problem("blend", "is neither alpha nor additive");
    }
    if (found.ok()) {
        found = checkText("texture", emitter.texture, kMaxTextureLength);
    }
    if (found.ok()) {
        found = checkSizeKeys(emitter.size);
    }
    if (found.ok()) {
        found = checkColorKeys(emitter.color);
    }
    if (found.ok()) {
        found = checkFeatures(emitter);
    }
    if (found.ok()) {
        found = checkMotion(emitter, depth);
    }
    return found;
}

} // namespace
} // namespace detail

Problem checkSystems(const std::vector<SystemDesc>& systems) {
    return detail::checkSystemsExcept(systems, std::vector<bool>());
}

Problem detail::checkSystemsExcept(const std::vector<SystemDesc>& systems, const std::vector<bool>& known) {
    std::size_t elements = 0;
    std::size_t emitters = 0;
    for (std::size_t s = 0; s < systems.size(); ++s) {
        const std::string systemPath = indexed("systems", s);
        Problem found = below(systemPath, checkName(systems[s].name));
        elements += 1 + systems[s].groups.size();
        for (std::size_t g = 0; found.ok() && g < systems[s].groups.size(); ++g) {
            const GroupDesc& group = systems[s].groups[g];
            const std::string groupPath = indexed(systemPath + ".groups", g);
            found = below(groupPath, checkName(group.name));
            elements += group.emitters.size();
            for (std::size_t e = 0; found.ok() && e < group.emitters.size(); ++e, ++emitters) {
                if (emitters >= known.size() || !known[emitters]) {
                    found = below(indexed(groupPath + ".emitters", e), checkEmitter(group.emitters[e]));
                }
            }
        }
        if (found.ok() && elements > kMaxElements) {
            found = problem(systemPath,
                            "more than " + std::to_string(kMaxElements) + " systems, groups and emitters");
        }
        if (!found.ok()) {
            return found;
        }
    }
    return Problem();
}

} // namespace pelmora
