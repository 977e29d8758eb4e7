#include "Reader.h"

#include "JsonFields.h"
#include "TextEncoding.h"

#include <pelmora/Limits.h>

#include <cstdlib>

namespace pelmora {
namespace detail {

namespace {

using namespace schema;

Json number(float value) {
    // The shortest decimal that reads back as the same float, rather than the double's 17 digits.
    return Json(std::strtod(floatText(value).c_str(), nullptr));
}

Json colorArray(const Color& color) {
    return Json::array({color.r, color.g, color.b, color.a});
}

Json range(float min, float max) {
    return Json{{kMin, number(min)}, {kMax, number(max)}};
}

Json sizeKeys(const std::vector<SizeKey>& keys) {
    Json json = Json::array();
    for (const SizeKey& key : keys) {
        json.push_back({{kX, number(key.x)}, {kUpper, number(key.upper)}, {kLower, number(key.lower)}});
    }
    return json;
}

Json emitterJson(const EmitterDesc& emitter, TextEncoding encoding);

} // namespace

void writeMotion(const EmitterDesc& emitter, TextEncoding encoding, Json& json) {
    const Trail& trail = emitter.trail;
    json[kTrail] = {{kLength, number(trail.length)},
                    {kWidth, number(trail.width)},
                    {kSegments, trail.segments},
                    {kFade, trail.fade}};
    json[kSubEmitters] = Json::array();
    for (const SubEmitter& sub : emitter.subEmitters) {
        json[kSubEmitters].push_back({{kTrigger, kTriggerWords[static_cast<int>(sub.trigger)]},
                                      {kCount, sub.count},
                                      {kInheritVelocity, number(sub.inheritVelocity)},
                                      {kEmitter, emitterJson(sub.emitter, encoding)}});
    }
    const Noise& noise = emitter.noise;
    json[kNoise] = {{kStrength, number(noise.strength)},
                    {kFrequency, number(noise.frequency)},
                    {kScroll, number(noise.scroll)},
                    {kOctaves, noise.octaves}};
    json[kForces] = Json::array();
    for (const Force& force : emitter.forces) {
        json[kForces].push_back({{kKind, kForceWords[static_cast<int>(force.kind)]},
                                 {kX, number(force.x)},
                                 {kY, number(force.y)},
                                 {kStrength, number(force.strength)},
                                 {kRadius, number(force.radius)},
                                 {kDirection, number(force.direction)}});
    }
    json[kSpeedOverLife] = sizeKeys(emitter.speedOverLife);
    json[kSpeedLimit] = number(emitter.speedLimit);
    json[kStretch] = number(emitter.stretch);
    const Collision& collision = emitter.collision;
    json[kCollision] = {{kEnabled, collision.enabled},           {kPlane, number(collision.plane)},
                        {kBounce, number(collision.bounce)},     {kFriction, number(collision.friction)},
                        {kLifeLoss, number(collision.lifeLoss)}, {kKill, collision.kill}};
}

namespace {

Json emitterJson(const EmitterDesc& emitter, TextEncoding encoding) {
    Json json;
    json[kName] = toFileText(emitter.name, encoding);
    json[kRate] = number(emitter.rate);
    json[kLifetime] = range(emitter.lifetimeMin, emitter.lifetimeMax);
    json[kSpeed] = number(emitter.speed);
    json[kSpread] = number(emitter.spread);
    json[kGravity] = number(emitter.gravity);
    json[kBlend] = kBlendWords[static_cast<int>(emitter.blend)];
    json[kTexture] = toFileText(emitter.texture, encoding);
    json[kSize] = sizeKeys(emitter.size);
    json[kColor] = Json::array();
    for (const ColorKey& key : emitter.color) {
        json[kColor].push_back({{kPosition, number(key.position)},
                                {kUpper, colorArray(key.upper)},
                                {kLower, colorArray(key.lower)}});
    }
    const EmitterShape& shape = emitter.shape;
    json[kShape] = {{kKind, kShapeWords[static_cast<int>(shape.kind)]},
                    {kEdge, shape.edge},
                    {kRadius, number(shape.radius)},
                    {kWidth, number(shape.width)},
                    {kHeight, number(shape.height)}};
    json[kDirection] = number(emitter.direction);
    json[kTiming] = {{kDuration, number(emitter.duration)},
                     {kLoop, emitter.loop},
                     {kDelay, number(emitter.delay)},
                     {kPrewarm, emitter.prewarm}};
    json[kBursts] = Json::array();
    for (const Burst& burst : emitter.bursts) {
        json[kBursts].push_back({{kTime, number(burst.time)},
                                 {kCount, burst.count},
                                 {kInterval, number(burst.interval)},
                                 {kCycles, burst.cycles}});
    }
    json[kRotation] = range(emitter.rotationMin, emitter.rotationMax);
    json[kSpin] = range(emitter.spinMin, emitter.spinMax);
    json[kAlignToVelocity] = emitter.alignToVelocity;
    json[kDrag] = number(emitter.drag);
    json[kSheet] = {{kColumns, emitter.sheet.columns},
                    {kRows, emitter.sheet.rows},
                    {kFrameRate, number(emitter.sheet.frameRate)},
                    {kRandomStart, emitter.sheet.randomStart}};
    writeMotion(emitter, encoding, json);
    return json;
}

} // namespace

std::string writeSystems(const std::vector<SystemDesc>& systems, TextEncoding encoding) {
    Json root;
    root[kFormat] = Effect::kFormat;
    root[kVersion] = Effect::kVersion;
    root[kSystems] = Json::array();
    for (const SystemDesc& system : systems) {
        Json systemJson;
        systemJson[kName] = toFileText(system.name, encoding);
        systemJson[kGroups] = Json::array();
        for (const GroupDesc& group : system.groups) {
            Json groupJson;
            groupJson[kName] = toFileText(group.name, encoding);
            groupJson[kEmitters] = Json::array();
            for (const EmitterDesc& emitter : group.emitters) {
                groupJson[kEmitters].push_back(emitterJson(emitter, encoding));
            }
            systemJson[kGroups].push_back(groupJson);
        }
        root[kSystems].push_back(systemJson);
    }
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace detail
} // namespace pelmora
