#ifndef PELMORA_CHECK_H
#define PELMORA_CHECK_H

#include <pelmora/Limits.h>

#include <string>
#include <vector>

// The ranges an effect's values must keep, and the checks that name the first value outside them.
// The editor refuses the same values with the same messages.
namespace pelmora {
namespace detail {

// The public ranges and checks under the names the runtime's own code uses.
using pelmora::checkEmitter;
using pelmora::checkName;
using pelmora::checkSystems;
using pelmora::floatText;
using pelmora::kBurstCountRange;
using pelmora::kBurstCyclesRange;
using pelmora::kBurstTimeRange;
using pelmora::kDelayRange;
using pelmora::kDirectionRange;
using pelmora::kDragRange;
using pelmora::kDurationRange;
using pelmora::kForceDirectionRange;
using pelmora::kForcePositionRange;
using pelmora::kForceRadiusRange;
using pelmora::kForceStrengthRange;
using pelmora::kFractionRange;
using pelmora::kFrameRateRange;
using pelmora::kGravityRange;
using pelmora::kInheritVelocityRange;
using pelmora::kKeyPositionRange;
using pelmora::kLifetimeRange;
using pelmora::kMaxBursts;
using pelmora::kMaxElements;
using pelmora::kMaxEmitterDepth;
using pelmora::kMaxForces;
using pelmora::kMaxKeys;
using pelmora::kMaxNameLength;
using pelmora::kMaxSubEmitters;
using pelmora::kMaxTextureLength;
using pelmora::kMinKeys;
using pelmora::kNoiseFrequencyRange;
using pelmora::kNoiseOctavesRange;
using pelmora::kNoiseScrollRange;
using pelmora::kNoiseStrengthRange;
using pelmora::kPlaneRange;
using pelmora::kRateRange;
using pelmora::kRotationRange;
using pelmora::kShapeRange;
using pelmora::kSheetRange;
using pelmora::kSizeRange;
using pelmora::kSpeedFactorRange;
using pelmora::kSpeedLimitRange;
using pelmora::kSpeedRange;
using pelmora::kSpinRange;
using pelmora::kSpreadRange;
using pelmora::kStretchRange;
using pelmora::kSubCountRange;
using pelmora::kTrailLengthRange;
using pelmora::kTrailSegmentsRange;
using pelmora::kTrailWidthRange;
using pelmora::Problem;
using pelmora::Range;

// As checkSystems(), skipping emitter i (counted over systems and groups) where known[i] is true: its
// values were checked before.
Problem checkSystemsExcept(const std::vector<SystemDesc>& systems, const std::vector<bool>& known);

} // namespace detail
} // namespace pelmora

#endif
