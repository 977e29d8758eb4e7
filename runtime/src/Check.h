#ifndef PELMORA_CHECK_H
#define PELMORA_CHECK_H

#include <pelmora/Runtime.h>

#include <string>

// The ranges an effect's values must keep, and the checks that name the first value outside them.
// The editor refuses the same values with the same messages.
namespace pelmora {
namespace detail {

// Inclusive. Times in seconds, speeds in units per second, angles in degrees, gravity in units per
// second squared (positive pulls down), sizes in units.
struct Range {
    float min;
    float max;
    bool contains(float value) const { return value >= min && value <= max; } // false for NaN
};

const Range kRateRange = {0.0f, 10000.0f};
const Range kLifetimeRange = {0.01f, 1000.0f};
const Range kSpeedRange = {0.0f, 10000.0f};
const Range kSpreadRange = {0.0f, 360.0f};
const Range kGravityRange = {-10000.0f, 10000.0f};
const Range kSizeRange = {0.0f, 10000.0f};
const Range kKeyPositionRange = {0.0f, 100.0f};
const Range kShapeRange = {0.0f, 100000.0f}; // radius, width, height
const Range kDirectionRange = {-360.0f, 360.0f};
const Range kDurationRange = {0.01f, 1000.0f};
const Range kDelayRange = {0.0f, 1000.0f};
const Range kBurstTimeRange = {0.0f, 1000.0f}; // burst time and repeat interval
const Range kBurstCountRange = {0.0f, 10000.0f};
const Range kBurstCyclesRange = {1.0f, 10000.0f};
const Range kRotationRange = {-360.0f, 360.0f};
const Range kSpinRange = {-36000.0f, 36000.0f};
const Range kDragRange = {0.0f, 100.0f};
const Range kSheetRange = {1.0f, 64.0f}; // columns and rows
const Range kFrameRateRange = {0.0f, 1000.0f};
const std::size_t kMaxBursts = 100;
const std::size_t kMaxNameLength = 255;
const std::size_t kMaxTextureLength = 1023;
const std::size_t kMinKeys = 2;
const std::size_t kMaxKeys = 1000;
const std::size_t kMaxElements = 10000; // systems, groups and emitters together

// A field that failed: its path below the element (e.g. "size[2].x") and why.
struct Problem {
    std::string field;
    std::string message;
    bool ok() const { return field.empty() && message.empty(); }
};

// The shortest text that reads back as the same float; "NaN", "infinity" or "-infinity" otherwise.
std::string floatText(float value);

Problem checkName(const std::string& name);
Problem checkEmitter(const EmitterDesc& emitter);

// A whole effect; the field path starts at "systems[i]".
Problem checkSystems(const std::vector<SystemDesc>& systems);

} // namespace detail
} // namespace pelmora

#endif
