#ifndef PELMORA_CHECK_H
#define PELMORA_CHECK_H

#include <pelmora/Limits.h>

#include <string>

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
using pelmora::kFrameRateRange;
using pelmora::kGravityRange;
using pelmora::kKeyPositionRange;
using pelmora::kLifetimeRange;
using pelmora::kMaxBursts;
using pelmora::kMaxElements;
using pelmora::kMaxKeys;
using pelmora::kMaxNameLength;
using pelmora::kMaxTextureLength;
using pelmora::kMinKeys;
using pelmora::kRateRange;
using pelmora::kRotationRange;
using pelmora::kShapeRange;
using pelmora::kSheetRange;
using pelmora::kSizeRange;
using pelmora::kSpeedRange;
using pelmora::kSpinRange;
using pelmora::kSpreadRange;
using pelmora::Problem;
using pelmora::Range;

} // namespace detail
} // namespace pelmora

#endif
