#ifndef PELMORA_SCHEMA_H
#define PELMORA_SCHEMA_H

#include <cstddef>

// The effect file's field names and enum words, in file order. The reader accepts exactly these and the
// writer writes exactly these, so the two cannot drift apart.
namespace pelmora {
namespace detail {
namespace schema {

const char kFormat[] = "format";
const char kVersion[] = "version";
const char kSystems[] = "systems";
const char kGroups[] = "groups";
const char kEmitters[] = "emitters";
const char kName[] = "name";

const char kRate[] = "rate";
const char kLifetime[] = "lifetime";
const char kSpeed[] = "speed";
const char kSpread[] = "spread";
const char kGravity[] = "gravity";
const char kBlend[] = "blend";
const char kTexture[] = "texture";
const char kSize[] = "size";
const char kColor[] = "color";
const char kShape[] = "shape";
const char kDirection[] = "direction";
const char kTiming[] = "timing";
const char kBursts[] = "bursts";
const char kRotation[] = "rotation";
const char kSpin[] = "spin";
const char kAlignToVelocity[] = "alignToVelocity";
const char kDrag[] = "drag";
const char kSheet[] = "sheet";
const char kTrail[] = "trail";
const char kSubEmitters[] = "subEmitters";
const char kNoise[] = "noise";
const char kForces[] = "forces";
const char kSpeedOverLife[] = "speedOverLife";
const char kSpeedLimit[] = "speedLimit";
const char kStretch[] = "stretch";
const char kCollision[] = "collision";

const char kMin[] = "min";
const char kMax[] = "max";
const char kX[] = "x";
const char kPosition[] = "position";
const char kUpper[] = "upper";
const char kLower[] = "lower";
const char kKind[] = "kind";
const char kEdge[] = "edge";
const char kRadius[] = "radius";
const char kWidth[] = "width";
const char kHeight[] = "height";
const char kDuration[] = "duration";
const char kLoop[] = "loop";
const char kDelay[] = "delay";
const char kPrewarm[] = "prewarm";
const char kTime[] = "time";
const char kCount[] = "count";
const char kInterval[] = "interval";
const char kCycles[] = "cycles";
const char kColumns[] = "columns";
const char kRows[] = "rows";
const char kFrameRate[] = "frameRate";
const char kRandomStart[] = "randomStart";
const char kLength[] = "length";
const char kSegments[] = "segments";
const char kFade[] = "fade";
const char kTrigger[] = "trigger";
const char kInheritVelocity[] = "inheritVelocity";
const char kEmitter[] = "emitter";
const char kStrength[] = "strength";
const char kFrequency[] = "frequency";
const char kScroll[] = "scroll";
const char kOctaves[] = "octaves";
const char kY[] = "y";
const char kEnabled[] = "enabled";
const char kPlane[] = "plane";
const char kBounce[] = "bounce";
const char kFriction[] = "friction";
const char kLifeLoss[] = "lifeLoss";
const char kKill[] = "kill";

// A fixed set of fields, in the order they are written.
struct Fields {
    const char* const* names;
    std::size_t count;
};

template <std::size_t N> Fields fields(const char* const (&names)[N]) {
    return Fields{names, N};
}

const char* const kRootFields[] = {kFormat, kVersion, kSystems};
const char* const kSystemFields[] = {kName, kGroups};
const char* const kGroupFields[] = {kName, kEmitters};
// Version 1 emitters hold the first ten, version 2 emitters the first nineteen.
const char* const kEmitterFields[] = {
    kName,     kRate,   kLifetime,        kSpeed,      kSpread,    kGravity,  kBlend,
    kTexture,  kSize,   kColor,           kShape,      kDirection, kTiming,   kBursts,
    kRotation, kSpin,   kAlignToVelocity, kDrag,       kSheet,     kTrail,    kSubEmitters,
    kNoise,    kForces, kSpeedOverLife,   kSpeedLimit, kStretch,   kCollision};
const std::size_t kVersion1EmitterFields = 10;
const std::size_t kVersion2EmitterFields = 19;
const char* const kRangeFields[] = {kMin, kMax};
const char* const kSizeKeyFields[] = {kX, kUpper, kLower};
const char* const kColorKeyFields[] = {kPosition, kUpper, kLower};
const char* const kShapeFields[] = {kKind, kEdge, kRadius, kWidth, kHeight};
const char* const kTimingFields[] = {kDuration, kLoop, kDelay, kPrewarm};
const char* const kBurstFields[] = {kTime, kCount, kInterval, kCycles};
const char* const kSheetFields[] = {kColumns, kRows, kFrameRate, kRandomStart};
const char* const kTrailFields[] = {kLength, kWidth, kSegments, kFade};
const char* const kSubEmitterFields[] = {kTrigger, kCount, kInheritVelocity, kEmitter};
const char* const kNoiseFields[] = {kStrength, kFrequency, kScroll, kOctaves};
const char* const kForceFields[] = {kKind, kX, kY, kStrength, kRadius, kDirection};
const char* const kCollisionFields[] = {kEnabled, kPlane, kBounce, kFriction, kLifeLoss, kKill};

// Indexed by the enums' values.
const char* const kBlendWords[] = {"alpha", "additive"};
const char* const kShapeWords[] = {"point", "circle", "rectangle", "line"};
const char* const kTriggerWords[] = {"birth", "death", "collision"};
const char* const kForceWords[] = {"attractor", "vortex", "wind"};

} // namespace schema
} // namespace detail
} // namespace pelmora

#endif
