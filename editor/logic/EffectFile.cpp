#include "logic/EffectFile.h"

#include "JsonFields.h"
#include "Reader.h"

#include <nlohmann/json.hpp>

#include <cstdlib>

namespace KW {
namespace effect {

namespace {

// Objects keep their fields in the order written, which keeps files readable and diffs small.
typedef nlohmann::ordered_json Json;

using pelmora::detail::toFileText;

Json number(float value) {
    // The shortest decimal that reads back as the same float, rather than the double's 17 digits.
    return Json(std::strtod(floatText(value).c_str(), nullptr));
}

Json colorArray(const KWColor& color) {
    return Json::array({color.r, color.g, color.b, color.a});
}

Json emitterJson(const Emitter& emitter, TextEncoding encoding) {
    Json json;
    json["name"] = toFileText(emitter.name, encoding);
    json["rate"] = number(emitter.rate);
    json["lifetime"] = {{"min", number(emitter.lifetimeMin)}, {"max", number(emitter.lifetimeMax)}};
    json["speed"] = number(emitter.speed);
    json["spread"] = number(emitter.spread);
    json["gravity"] = number(emitter.gravity);
    json["blend"] = emitter.blend == BlendMode::Alpha ? "alpha" : "additive";
    json["texture"] = toFileText(emitter.texture, encoding);
    json["size"] = Json::array();
    for (const KWGraphPoint& key : emitter.size) {
        json["size"].push_back(
            {{"x", number(key.x)}, {"upper", number(-key.y1)}, {"lower", number(-key.y2)}});
    }
    json["color"] = Json::array();
    for (const KWColorPoint& key : emitter.color) {
        json["color"].push_back({{"position", number(key.position)},
                                 {"upper", colorArray(key.color1)},
                                 {"lower", colorArray(key.color2)}});
    }
    const char* const kinds[] = {"point", "circle", "rectangle", "line"};
    const pelmora::EmitterShape& shape = emitter.shape;
    json["shape"] = {{"kind", kinds[static_cast<int>(shape.kind)]},
                     {"edge", shape.edge},
                     {"radius", number(shape.radius)},
                     {"width", number(shape.width)},
                     {"height", number(shape.height)}};
    json["direction"] = number(emitter.direction);
    json["timing"] = {{"duration", number(emitter.duration)},
                      {"loop", emitter.loop},
                      {"delay", number(emitter.delay)},
                      {"prewarm", emitter.prewarm}};
    json["bursts"] = Json::array();
    for (const pelmora::Burst& burst : emitter.bursts) {
        json["bursts"].push_back({{"time", number(burst.time)},
                                  {"count", burst.count},
                                  {"interval", number(burst.interval)},
                                  {"cycles", burst.cycles}});
    }
    json["rotation"] = {{"min", number(emitter.rotationMin)}, {"max", number(emitter.rotationMax)}};
    json["spin"] = {{"min", number(emitter.spinMin)}, {"max", number(emitter.spinMax)}};
    json["alignToVelocity"] = emitter.alignToVelocity;
    json["drag"] = number(emitter.drag);
    json["sheet"] = {{"columns", emitter.sheet.columns},
                     {"rows", emitter.sheet.rows},
                     {"frameRate", number(emitter.sheet.frameRate)},
                     {"randomStart", emitter.sheet.randomStart}};
    pelmora::detail::writeMotion(toRuntime(emitter), encoding, json);
    return json;
}

} // namespace

std::string writeEffect(const Scene& scene, TextEncoding encoding) {
    Json root;
    root["format"] = kFileFormat;
    root["version"] = kFileVersion;
    root["systems"] = Json::array();
    for (const System& system : scene.getSystems()) {
        Json systemJson;
        systemJson["name"] = toFileText(system.name, encoding);
        systemJson["groups"] = Json::array();
        for (const Group& group : system.groups) {
            Json groupJson;
            groupJson["name"] = toFileText(group.name, encoding);
            groupJson["emitters"] = Json::array();
            for (const Emitter& emitter : group.emitters) {
                groupJson["emitters"].push_back(emitterJson(emitter, encoding));
            }
            systemJson["groups"].push_back(groupJson);
        }
        root["systems"].push_back(systemJson);
    }
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool readEffect(const std::string& text, Scene& scene, std::string& error, TextEncoding encoding) {
    std::vector<pelmora::SystemDesc> systems;
    if (!pelmora::detail::readSystems(text, encoding, systems, error)) {
        return false;
    }
    Scene loaded;
    loaded.raiseNextId(scene.getNextId());
    for (std::size_t s = 0; s < systems.size(); ++s) {
        System system;
        system.name = systems[s].name;
        for (const pelmora::GroupDesc& groupDesc : systems[s].groups) {
            Group group;
            group.name = groupDesc.name;
            for (const pelmora::EmitterDesc& emitter : groupDesc.emitters) {
                group.emitters.push_back(fromRuntime(emitter));
            }
            system.groups.push_back(group);
        }
        // The reader refuses more elements than a scene holds; this cannot fail for what it accepts.
        if (loaded.appendSystem(system) == kNoElement) {
            error = "systems[" + std::to_string(s) + "]: more than " + std::to_string(kMaxElements) +
                    " systems, groups and emitters";
            return false;
        }
    }
    scene = loaded;
    return true;
}

bool readEffectFile(const std::string& path, Scene& scene, std::string& error, TextEncoding encoding) {
    std::string text;
    return pelmora::detail::readFileText(path, text, error) && readEffect(text, scene, error, encoding);
}

} // namespace effect
} // namespace KW
