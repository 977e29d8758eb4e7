#ifndef PELMORA_LIMITS_H
#define PELMORA_LIMITS_H

/// @file Limits.h
/// The ranges an effect's values must keep, and the checks that name the first value outside them.
/// Effect::make and the file reader refuse exactly these values with exactly these messages, so an
/// editor that checks with them refuses what the runtime would.

#include <pelmora/Runtime.h>

#include <cstddef>
#include <string>
#include <vector>

namespace pelmora {

/// An inclusive range of values. Times in seconds, speeds in units per second, angles in degrees, gravity
/// in units per second squared (positive pulls down), sizes in units.
struct Range {
    float min; ///< the lowest value allowed
    float max; ///< the highest value allowed
    /// True when value lies in the range; false for NaN.
    bool contains(float value) const { return value >= min && value <= max; }
};

const Range kRateRange = {0.0f, 10000.0f};                 ///< EmitterDesc::rate
const Range kLifetimeRange = {0.01f, 1000.0f};             ///< EmitterDesc::lifetimeMin and lifetimeMax
const Range kSpeedRange = {0.0f, 10000.0f};                ///< EmitterDesc::speed
const Range kSpreadRange = {0.0f, 360.0f};                 ///< EmitterDesc::spread
const Range kGravityRange = {-10000.0f, 10000.0f};         ///< EmitterDesc::gravity
const Range kSizeRange = {0.0f, 10000.0f};                 ///< SizeKey::upper and lower
const Range kKeyPositionRange = {0.0f, 100.0f};            ///< SizeKey::x and ColorKey::position
const Range kShapeRange = {0.0f, 100000.0f};               ///< EmitterShape::radius, width and height
const Range kDirectionRange = {-360.0f, 360.0f};           ///< EmitterDesc::direction
const Range kDurationRange = {0.01f, 1000.0f};             ///< EmitterDesc::duration
const Range kDelayRange = {0.0f, 1000.0f};                 ///< EmitterDesc::delay
const Range kBurstTimeRange = {0.0f, 1000.0f};             ///< Burst::time and Burst::interval
const Range kBurstCountRange = {0.0f, 10000.0f};           ///< Burst::count
const Range kBurstCyclesRange = {1.0f, 10000.0f};          ///< Burst::cycles
const Range kRotationRange = {-360.0f, 360.0f};            ///< EmitterDesc::rotationMin and rotationMax
const Range kSpinRange = {-36000.0f, 36000.0f};            ///< EmitterDesc::spinMin and spinMax
const Range kDragRange = {0.0f, 100.0f};                   ///< EmitterDesc::drag
const Range kSheetRange = {1.0f, 64.0f};                   ///< SpriteSheet::columns and rows
const Range kFrameRateRange = {0.0f, 1000.0f};             ///< SpriteSheet::frameRate
const Range kTrailLengthRange = {0.0f, 10.0f};             ///< Trail::length
const Range kTrailWidthRange = {0.0f, 10.0f};              ///< Trail::width
const Range kTrailSegmentsRange = {2.0f, 64.0f};           ///< Trail::segments
const Range kSubCountRange = {0.0f, 10000.0f};             ///< SubEmitter::count
const Range kInheritVelocityRange = {0.0f, 1.0f};          ///< SubEmitter::inheritVelocity
const Range kNoiseStrengthRange = {0.0f, 100000.0f};       ///< Noise::strength
const Range kNoiseFrequencyRange = {0.001f, 1000.0f};      ///< Noise::frequency
const Range kNoiseScrollRange = {0.0f, 100.0f};            ///< Noise::scroll
const Range kNoiseOctavesRange = {1.0f, 4.0f};             ///< Noise::octaves
const Range kForcePositionRange = {-100000.0f, 100000.0f}; ///< Force::x and y
const Range kForceStrengthRange = {-100000.0f, 100000.0f}; ///< Force::strength
const Range kForceRadiusRange = {0.0f, 100000.0f};         ///< Force::radius
const Range kForceDirectionRange = {-360.0f, 360.0f};      ///< Force::direction
const Range kSpeedFactorRange = {0.0f, 100.0f};            ///< speedOverLife's upper and lower values
const Range kSpeedLimitRange = {0.0f, 100000.0f};          ///< EmitterDesc::speedLimit
const Range kStretchRange = {0.0f, 10.0f};                 ///< EmitterDesc::stretch
const Range kPlaneRange = {-100000.0f, 100000.0f};         ///< Collision::plane
const Range kFractionRange = {0.0f, 1.0f};                 ///< Collision::bounce, friction and lifeLoss
const std::size_t kMaxSubEmitters = 16;                    ///< sub-emitters per emitter
const std::size_t kMaxForces = 16;                         ///< force fields per emitter
const std::size_t kMaxEmitterDepth = 3;                    ///< an emitter and its sub-emitters' levels in all
const std::size_t kMaxBursts = 100;                        ///< bursts per emitter
const std::size_t kMaxNameLength = 255;                    ///< bytes in a system's, group's or emitter's name
const std::size_t kMaxTextureLength = 1023;                ///< bytes in a texture path
const std::size_t kMinKeys = 2;         ///< keys in a size curve or colour gradient, at least
const std::size_t kMaxKeys = 1000;      ///< keys in a size curve or colour gradient, at most
const std::size_t kMaxElements = 10000; ///< systems, groups and emitters together

/// A value that failed a check: its field's path and why.
struct Problem {
    std::string field;   ///< the path below the element checked, e.g. "size[2].x"; empty when none failed
    std::string message; ///< why the value is refused, e.g. "120 is outside 0..100"
    /// True when nothing failed.
    bool ok() const { return field.empty() && message.empty(); }
};

/// The shortest text that reads back as the same float; "NaN", "infinity" or "-infinity" otherwise.
std::string floatText(float value);

/// A system's, group's or emitter's name: its length.
Problem checkName(const std::string& name);
/// Every value of an emitter, its name included; the first one outside its range.
Problem checkEmitter(const EmitterDesc& emitter);
/// A whole effect; the field path starts at "systems[i]".
Problem checkSystems(const std::vector<SystemDesc>& systems);

/// The 1-based line that holds the first byte outside well-formed UTF-8 (a stray continuation byte, an
/// overlong form, a surrogate, a code point above U+10FFFF or a sequence cut short); 0 when there is none.
std::size_t firstInvalidUtf8Line(const std::string& text);

} // namespace pelmora

#endif
