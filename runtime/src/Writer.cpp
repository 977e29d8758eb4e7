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
    json[kSize] = Json::array();
    for (const SizeKey& key : emitter.size) {
        json[kSize].push_back(
            {{kX, number(key.x)}, {kUpper, number(key.upper)}, {kLower, number(key.lower)}});
    }
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
