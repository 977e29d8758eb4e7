#include "logic/EmitterFields.h"

#include <pelmora/Limits.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace pelmora {
namespace editor {

namespace {

RowRange rowRange(const Range& range) {
    return RowRange{range.min, range.max};
}

// Whole numbers and choices; a value beyond int (or NaN) becomes the far end, which the check refuses.
int roundedInt(float value) {
    if (!(std::fabs(value) < 2e9f)) {
        return value > 0.0f ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    }
    return static_cast<int>(value + (value < 0.0f ? -0.5f : 0.5f));
}

const Force kNoForce{};

float* burstNumber(Burst& burst, Field field) {
    return field == Field::BurstTime ? &burst.time : &burst.interval;
}

std::vector<FieldRow> buildRows() {
    auto number = [](const char* group, const std::string& label, Field field, const Range& range, float step,
                     std::size_t slot = 0) {
        return FieldRow{group, label, field, slot, RowKind::Number, rowRange(range), step, {}};
    };
    auto flag = [](const char* group, const char* label, Field field) {
        return FieldRow{group, label, field, 0, RowKind::Flag, RowRange{0.0f, 1.0f}, 1.0f, {}};
    };
    std::vector<FieldRow> rows = {
        FieldRow{kSubEmitterGroup,
                 "Trigger",
                 Field::SubTrigger,
                 0,
                 RowKind::Choice,
                 RowRange{0.0f, 2.0f},
                 1.0f,
                 {"Birth", "Death", "Collision"}},
        number(kSubEmitterGroup, "Count", Field::SubCount, kSubCountRange, 1.0f),
        number(kSubEmitterGroup, "Inherit velocity", Field::SubInheritVelocity, kInheritVelocityRange, 0.1f),
        number("Emission", "Rate", Field::Rate, kRateRange, 1.0f),
        number("Emission", "Lifetime min", Field::LifetimeMin, kLifetimeRange, 0.1f),
        number("Emission", "Lifetime max", Field::LifetimeMax, kLifetimeRange, 0.1f),
        number("Emission", "Speed", Field::Speed, kSpeedRange, 1.0f),
        number("Emission", "Spread", Field::Spread, kSpreadRange, 1.0f),
        number("Emission", "Gravity", Field::Gravity, kGravityRange, 1.0f),
        FieldRow{"Rendering",
                 "Blend",
                 Field::Blend,
                 0,
                 RowKind::Choice,
                 RowRange{0.0f, 1.0f},
                 1.0f,
                 {"Alpha", "Additive"}},
        FieldRow{"Shape",
                 "Kind",
                 Field::ShapeKind,
                 0,
                 RowKind::Choice,
                 RowRange{0.0f, 3.0f},
                 1.0f,
                 {"Point", "Circle", "Rectangle", "Line"}},
        flag("Shape", "Outline only", Field::ShapeEdge),
        number("Shape", "Radius", Field::ShapeRadius, kShapeRange, 1.0f),
        number("Shape", "Width", Field::ShapeWidth, kShapeRange, 1.0f),
        number("Shape", "Height", Field::ShapeHeight, kShapeRange, 1.0f),
        number("Shape", "Direction", Field::Direction, kDirectionRange, 1.0f),
        number("Timing", "Duration", Field::Duration, kDurationRange, 0.1f),
        flag("Timing", "Loop", Field::Loop),
        number("Timing", "Start delay", Field::Delay, kDelayRange, 0.1f),
        flag("Timing", "Prewarm", Field::Prewarm),
    };
    for (std::size_t slot = 0; slot < kBurstRows; ++slot) {
        const std::string name = "Burst " + std::to_string(slot + 1) + " ";
        rows.push_back(number("Bursts", name + "time", Field::BurstTime, kBurstTimeRange, 0.1f, slot));
        rows.push_back(number("Bursts", name + "count", Field::BurstCount, kBurstCountRange, 1.0f, slot));
        rows.push_back(
            number("Bursts", name + "repeats", Field::BurstRepeats, kBurstCyclesRange, 1.0f, slot));
        rows.push_back(number("Bursts", name + "every", Field::BurstInterval, kBurstTimeRange, 0.1f, slot));
    }
    const std::vector<FieldRow> rest = {
        number("Motion", "Rotation min", Field::RotationMin, kRotationRange, 5.0f),
        number("Motion", "Rotation max", Field::RotationMax, kRotationRange, 5.0f),
        number("Motion", "Spin min", Field::SpinMin, kSpinRange, 5.0f),
        number("Motion", "Spin max", Field::SpinMax, kSpinRange, 5.0f),
        flag("Motion", "Align to motion", Field::AlignToVelocity),
        number("Motion", "Drag", Field::Drag, kDragRange, 0.1f),
        number("Sprite sheet", "Columns", Field::SheetColumns, kSheetRange, 1.0f),
        number("Sprite sheet", "Rows", Field::SheetRows, kSheetRange, 1.0f),
        number("Sprite sheet", "Frame rate", Field::FrameRate, kFrameRateRange, 1.0f),
        flag("Sprite sheet", "Random start", Field::RandomStart),
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    const std::vector<FieldRow> trailAndNoise = {
        number("Trail", "Length", Field::TrailLength, kTrailLengthRange, 0.1f),
        number("Trail", "Width", Field::TrailWidth, kTrailWidthRange, 0.1f),
        number("Trail", "Segments", Field::TrailSegments, kTrailSegmentsRange, 1.0f),
        flag("Trail", "Fade", Field::TrailFade),
        number("Noise", "Strength", Field::NoiseStrength, kNoiseStrengthRange, 10.0f),
        number("Noise", "Frequency", Field::NoiseFrequency, kNoiseFrequencyRange, 0.1f),
        number("Noise", "Scroll", Field::NoiseScroll, kNoiseScrollRange, 0.1f),
        number("Noise", "Octaves", Field::NoiseOctaves, kNoiseOctavesRange, 1.0f),
    };
    rows.insert(rows.end(), trailAndNoise.begin(), trailAndNoise.end());
    for (std::size_t slot = 0; slot < kForceRows; ++slot) {
        const std::string name = "Force " + std::to_string(slot + 1) + " ";
        rows.push_back(FieldRow{"Forces",
                                name + "kind",
                                Field::ForceKind,
                                slot,
                                RowKind::Choice,
                                RowRange{0.0f, 3.0f},
                                1.0f,
                                {"None", "Attractor", "Vortex", "Wind"}});
        rows.push_back(number("Forces", name + "x", Field::ForceX, kForcePositionRange, 1.0f, slot));
        rows.push_back(number("Forces", name + "y", Field::ForceY, kForcePositionRange, 1.0f, slot));
        rows.push_back(
            number("Forces", name + "strength", Field::ForceStrength, kForceStrengthRange, 10.0f, slot));
        rows.push_back(number("Forces", name + "radius", Field::ForceRadius, kForceRadiusRange, 1.0f, slot));
        rows.push_back(
            number("Forces", name + "direction", Field::ForceDirection, kForceDirectionRange, 5.0f, slot));
    }
    const std::vector<FieldRow> last = {
        number("Speed", "Limit", Field::SpeedLimit, kSpeedLimitRange, 1.0f),
        number("Stretch", "Stretch", Field::Stretch, kStretchRange, 0.01f),
        flag("Collision", "Enabled", Field::CollisionEnabled),
        number("Collision", "Plane", Field::CollisionPlane, kPlaneRange, 1.0f),
        number("Collision", "Bounce", Field::CollisionBounce, kFractionRange, 0.05f),
        number("Collision", "Friction", Field::CollisionFriction, kFractionRange, 0.05f),
        number("Collision", "Life loss", Field::CollisionLifeLoss, kFractionRange, 0.05f),
        flag("Collision", "Kill", Field::CollisionKill),
    };
    rows.insert(rows.end(), last.begin(), last.end());
    return rows;
}

// A low bound and its high bound: setting either past the other takes the other along.
void setLow(float& low, float& high, float value) {
    low = value;
    high = std::max(high, value);
}

void setHigh(float& low, float& high, float value) {
    high = value;
    low = std::min(low, value);
}

void setBurst(std::vector<Burst>& bursts, Field field, std::size_t slot, float value) {
    while (bursts.size() <= slot) {
        bursts.push_back(Burst{0.0f, 0, 0.0f, 1});
    }
    Burst& burst = bursts[slot];
    if (field == Field::BurstCount) {
        burst.count = roundedInt(value);
    } else if (field == Field::BurstRepeats) {
        burst.cycles = roundedInt(value);
    } else {
        *burstNumber(burst, field) = value;
    }
    while (!bursts.empty() && bursts.back().count == 0) {
        bursts.pop_back();
    }
}

float forceValue(const Force& force, Field field) {
    switch (field) {
    case Field::ForceKind:
        return static_cast<float>(force.kind) + 1.0f;
    case Field::ForceX:
        return force.x;
    case Field::ForceY:
        return force.y;
    case Field::ForceStrength:
        return force.strength;
    case Field::ForceRadius:
        return force.radius;
    default:
        return force.direction;
    }
}

// Kind 0 removes the force; a slot past the end adds one there (only the kind none adds nothing).
void setForce(std::vector<Force>& forces, Field field, std::size_t slot, float value) {
    const int kind = field == Field::ForceKind ? roundedInt(value) : -1;
    if (slot >= forces.size()) {
        if (kind == 0) {
            return;
        }
        forces.push_back(kNoForce);
        slot = forces.size() - 1;
    }
    Force& force = forces[slot];
    switch (field) {
    case Field::ForceKind:
        if (kind == 0) {
            forces.erase(forces.begin() + static_cast<std::ptrdiff_t>(slot));
        } else {
            force.kind = static_cast<ForceKind>(kind - 1);
        }
        break;
    case Field::ForceX:
        force.x = value;
        break;
    case Field::ForceY:
        force.y = value;
        break;
    case Field::ForceStrength:
        force.strength = value;
        break;
    case Field::ForceRadius:
        force.radius = value;
        break;
    default:
        force.direction = value;
        break;
    }
}

} // namespace

const char* const kSubEmitterGroup = "Sub-emitter";

bool isSubEmitterField(Field field) {
    return field == Field::SubTrigger || field == Field::SubCount || field == Field::SubInheritVelocity;
}

bool isBurstField(Field field) {
    return field == Field::BurstTime || field == Field::BurstCount || field == Field::BurstRepeats ||
           field == Field::BurstInterval;
}

bool isForceField(Field field) {
    return field == Field::ForceKind || field == Field::ForceX || field == Field::ForceY ||
           field == Field::ForceStrength || field == Field::ForceRadius || field == Field::ForceDirection;
}

const std::vector<FieldRow>& emitterRows() {
    static const std::vector<FieldRow> rows = buildRows();
    return rows;
}

float fieldValue(const EmitterDesc& values, Field field, std::size_t slot) {
    const bool hasBurst = slot < values.bursts.size();
    Burst burst = hasBurst ? values.bursts[slot] : Burst{0.0f, 0, 0.0f, 1};
    switch (field) {
    case Field::Rate:
        return values.rate;
    case Field::LifetimeMin:
        return values.lifetimeMin;
    case Field::LifetimeMax:
        return values.lifetimeMax;
    case Field::Speed:
        return values.speed;
    case Field::Spread:
        return values.spread;
    case Field::Gravity:
        return values.gravity;
    case Field::Blend:
        return static_cast<float>(values.blend);
    case Field::ShapeKind:
        return static_cast<float>(values.shape.kind);
    case Field::ShapeEdge:
        return values.shape.edge ? 1.0f : 0.0f;
    case Field::ShapeRadius:
        return values.shape.radius;
    case Field::ShapeWidth:
        return values.shape.width;
    case Field::ShapeHeight:
        return values.shape.height;
    case Field::Direction:
        return values.direction;
    case Field::Duration:
        return values.duration;
    case Field::Loop:
        return values.loop ? 1.0f : 0.0f;
    case Field::Delay:
        return values.delay;
    case Field::Prewarm:
        return values.prewarm ? 1.0f : 0.0f;
    case Field::BurstTime:
    case Field::BurstInterval:
        return *burstNumber(burst, field);
    case Field::BurstCount:
        return static_cast<float>(burst.count);
    case Field::BurstRepeats:
        return static_cast<float>(burst.cycles);
    case Field::RotationMin:
        return values.rotationMin;
    case Field::RotationMax:
        return values.rotationMax;
    case Field::SpinMin:
        return values.spinMin;
    case Field::SpinMax:
        return values.spinMax;
    case Field::AlignToVelocity:
        return values.alignToVelocity ? 1.0f : 0.0f;
    case Field::Drag:
        return values.drag;
    case Field::SheetColumns:
        return static_cast<float>(values.sheet.columns);
    case Field::SheetRows:
        return static_cast<float>(values.sheet.rows);
    case Field::FrameRate:
        return values.sheet.frameRate;
    case Field::RandomStart:
        return values.sheet.randomStart ? 1.0f : 0.0f;
    case Field::TrailLength:
        return values.trail.length;
    case Field::TrailWidth:
        return values.trail.width;
    case Field::TrailSegments:
        return static_cast<float>(values.trail.segments);
    case Field::TrailFade:
        return values.trail.fade ? 1.0f : 0.0f;
    case Field::NoiseStrength:
        return values.noise.strength;
    case Field::NoiseFrequency:
        return values.noise.frequency;
    case Field::NoiseScroll:
        return values.noise.scroll;
    case Field::NoiseOctaves:
        return static_cast<float>(values.noise.octaves);
    case Field::ForceKind:
        return slot < values.forces.size() ? forceValue(values.forces[slot], field) : 0.0f;
    case Field::ForceX:
    case Field::ForceY:
    case Field::ForceStrength:
    case Field::ForceRadius:
    case Field::ForceDirection:
        return forceValue(slot < values.forces.size() ? values.forces[slot] : kNoForce, field);
    case Field::SpeedLimit:
        return values.speedLimit;
    case Field::Stretch:
        return values.stretch;
    case Field::CollisionEnabled:
        return values.collision.enabled ? 1.0f : 0.0f;
    case Field::CollisionPlane:
        return values.collision.plane;
    case Field::CollisionBounce:
        return values.collision.bounce;
    case Field::CollisionFriction:
        return values.collision.friction;
    case Field::CollisionLifeLoss:
        return values.collision.lifeLoss;
    case Field::CollisionKill:
        return values.collision.kill ? 1.0f : 0.0f;
    case Field::SubTrigger:
    case Field::SubCount:
    case Field::SubInheritVelocity:
        break;
    }
    return 0.0f;
}

void setField(EmitterDesc& values, Field field, std::size_t slot, float value) {
    const bool on = value != 0.0f;
    switch (field) {
    case Field::Rate:
        values.rate = value;
        break;
    case Field::LifetimeMin:
        setLow(values.lifetimeMin, values.lifetimeMax, value);
        break;
    case Field::LifetimeMax:
        setHigh(values.lifetimeMin, values.lifetimeMax, value);
        break;
    case Field::Speed:
        values.speed = value;
        break;
    case Field::Spread:
        values.spread = value;
        break;
    case Field::Gravity:
        values.gravity = value;
        break;
    case Field::Blend:
        values.blend = static_cast<Blend>(roundedInt(value));
        break;
    case Field::ShapeKind:
        values.shape.kind = static_cast<ShapeKind>(roundedInt(value));
        break;
    case Field::ShapeEdge:
        values.shape.edge = on;
        break;
    case Field::ShapeRadius:
        values.shape.radius = value;
        break;
    case Field::ShapeWidth:
        values.shape.width = value;
        break;
    case Field::ShapeHeight:
        values.shape.height = value;
        break;
    case Field::Direction:
        values.direction = value;
        break;
    case Field::Duration:
        values.duration = value;
        break;
    case Field::Loop:
        values.loop = on;
        break;
    case Field::Delay:
        values.delay = value;
        break;
    case Field::Prewarm:
        values.prewarm = on;
        break;
    case Field::BurstTime:
    case Field::BurstCount:
    case Field::BurstRepeats:
    case Field::BurstInterval:
        setBurst(values.bursts, field, slot, value);
        break;
    case Field::RotationMin:
        setLow(values.rotationMin, values.rotationMax, value);
        break;
    case Field::RotationMax:
        setHigh(values.rotationMin, values.rotationMax, value);
        break;
    case Field::SpinMin:
        setLow(values.spinMin, values.spinMax, value);
        break;
    case Field::SpinMax:
        setHigh(values.spinMin, values.spinMax, value);
        break;
    case Field::AlignToVelocity:
        values.alignToVelocity = on;
        break;
    case Field::Drag:
        values.drag = value;
        break;
    case Field::SheetColumns:
        values.sheet.columns = roundedInt(value);
        break;
    case Field::SheetRows:
        values.sheet.rows = roundedInt(value);
        break;
    case Field::FrameRate:
        values.sheet.frameRate = value;
        break;
    case Field::RandomStart:
        values.sheet.randomStart = on;
        break;
    case Field::TrailLength:
        values.trail.length = value;
        break;
    case Field::TrailWidth:
        values.trail.width = value;
        break;
    case Field::TrailSegments:
        values.trail.segments = roundedInt(value);
        break;
    case Field::TrailFade:
        values.trail.fade = on;
        break;
    case Field::NoiseStrength:
        values.noise.strength = value;
        break;
    case Field::NoiseFrequency:
        values.noise.frequency = value;
        break;
    case Field::NoiseScroll:
        values.noise.scroll = value;
        break;
    case Field::NoiseOctaves:
        values.noise.octaves = roundedInt(value);
        break;
    case Field::ForceKind:
    case Field::ForceX:
    case Field::ForceY:
    case Field::ForceStrength:
    case Field::ForceRadius:
    case Field::ForceDirection:
        setForce(values.forces, field, slot, value);
        break;
    case Field::SpeedLimit:
        values.speedLimit = value;
        break;
    case Field::Stretch:
        values.stretch = value;
        break;
    case Field::CollisionEnabled:
        values.collision.enabled = on;
        break;
    case Field::CollisionPlane:
        values.collision.plane = value;
        break;
    case Field::CollisionBounce:
        values.collision.bounce = value;
        break;
    case Field::CollisionFriction:
        values.collision.friction = value;
        break;
    case Field::CollisionLifeLoss:
        values.collision.lifeLoss = value;
        break;
    case Field::CollisionKill:
        values.collision.kill = on;
        break;
    case Field::SubTrigger:
    case Field::SubCount:
    case Field::SubInheritVelocity:
        break;
    }
}

float fieldValue(const SubEmitter& sub, Field field, std::size_t slot) {
    switch (field) {
    case Field::SubTrigger:
        return static_cast<float>(sub.trigger);
    case Field::SubCount:
        return static_cast<float>(sub.count);
    case Field::SubInheritVelocity:
        return sub.inheritVelocity;
    default:
        return fieldValue(sub.emitter, field, slot);
    }
}

void setField(SubEmitter& sub, Field field, std::size_t slot, float value) {
    switch (field) {
    case Field::SubTrigger:
        sub.trigger = static_cast<Trigger>(roundedInt(value));
        break;
    case Field::SubCount:
        sub.count = roundedInt(value);
        break;
    case Field::SubInheritVelocity:
        sub.inheritVelocity = value;
        break;
    default:
        setField(sub.emitter, field, slot, value);
        break;
    }
}

} // namespace editor
} // namespace pelmora
