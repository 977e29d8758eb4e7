#include "Reader.h"

#include "Check.h"
#include "JsonFields.h"
#include "Utf8.h"

#include <cstdint>

namespace pelmora {
namespace detail {

namespace {

using namespace schema;

// The array field name of object, at most limit entries, each an object with exactly these fields that
// readOne(entry, entryPath) reads, in file order.
template <typename T, typename ReadOne>
std::vector<T> readList(const Json& object, const std::string& path, const char* name, std::size_t limit,
                        TextEncoding encoding, Fields names, ReadOne readOne) {
    std::vector<T> list;
    const Json& array = readArray(object, path, name, limit);
    for (std::size_t i = 0; i < array.size(); ++i) {
        const std::string at = item(field(path, name), i);
        expectFields(array[i], at, encoding, names);
        list.push_back(readOne(array[i], at));
    }
    return list;
}

// The fields version 2 added.
void readFeatures(const Json& object, const std::string& path, TextEncoding encoding, EmitterDesc& emitter) {
    const std::string shapePath = field(path, kShape);
    const Json& shape = object.at(kShape);
    expectFields(shape, shapePath, encoding, fields(kShapeFields));
    emitter.shape.kind =
        static_cast<ShapeKind>(readWord(shape, shapePath, kKind, encoding, fields(kShapeWords)));
    emitter.shape.edge = readFlag(shape, shapePath, kEdge);
    emitter.shape.radius = readNumber(shape, shapePath, kRadius);
    emitter.shape.width = readNumber(shape, shapePath, kWidth);
    emitter.shape.height = readNumber(shape, shapePath, kHeight);
    emitter.direction = readNumber(object, path, kDirection);

    const std::string timingPath = field(path, kTiming);
    const Json& timing = object.at(kTiming);
    expectFields(timing, timingPath, encoding, fields(kTimingFields));
    emitter.duration = readNumber(timing, timingPath, kDuration);
    emitter.loop = readFlag(timing, timingPath, kLoop);
    emitter.delay = readNumber(timing, timingPath, kDelay);
    emitter.prewarm = readFlag(timing, timingPath, kPrewarm);

    emitter.bursts =
        readList<Burst>(object, path, kBursts, kMaxBursts, encoding, fields(kBurstFields),
                        [](const Json& entry, const std::string& at) {
                            return Burst{readNumber(entry, at, kTime), readWhole(entry, at, kCount),
                                         readNumber(entry, at, kInterval), readWhole(entry, at, kCycles)};
                        });

    readRange(object, path, kRotation, encoding, emitter.rotationMin, emitter.rotationMax);
    readRange(object, path, kSpin, encoding, emitter.spinMin, emitter.spinMax);
    emitter.alignToVelocity = readFlag(object, path, kAlignToVelocity);
    emitter.drag = readNumber(object, path, kDrag);

    const std::string sheetPath = field(path, kSheet);
    const Json& sheet = object.at(kSheet);
    expectFields(sheet, sheetPath, encoding, fields(kSheetFields));
    emitter.sheet.columns = readWhole(sheet, sheetPath, kColumns);
    emitter.sheet.rows = readWhole(sheet, sheetPath, kRows);
    emitter.sheet.frameRate = readNumber(sheet, sheetPath, kFrameRate);
    emitter.sheet.randomStart = readFlag(sheet, sheetPath, kRandomStart);
}

std::vector<SizeKey> readSizeKeys(const Json& object, const std::string& path, const char* name,
                                  TextEncoding encoding) {
    return readList<SizeKey>(
        object, path, name, kMaxKeys, encoding, fields(kSizeKeyFields),
        [](const Json& key, const std::string& at) {
            return SizeKey{readNumber(key, at, kX), readNumber(key, at, kUpper), readNumber(key, at, kLower)};
        });
}

// The object field name of object, with exactly these fields; its path goes to at.
const Json& readObject(const Json& object, const std::string& path, const char* name, TextEncoding encoding,
                       Fields names, std::string& at) {
    at = field(path, name);
    const Json& value = object.at(name);
    expectFields(value, at, encoding, names);
    return value;
}

EmitterDesc readEmitter(const Json& object, const std::string& path, TextEncoding encoding,
                        std::uint64_t version, std::size_t depth);

// The fields version 3 added.
void readMotion(const Json& object, const std::string& path, TextEncoding encoding, EmitterDesc& emitter,
                std::size_t depth) {
    std::string at;
    const Json& trail = readObject(object, path, kTrail, encoding, fields(kTrailFields), at);
    emitter.trail.length = readNumber(trail, at, kLength);
    emitter.trail.width = readNumber(trail, at, kWidth);
    emitter.trail.segments = readWhole(trail, at, kSegments);
    emitter.trail.fade = readFlag(trail, at, kFade);

    const Json& subs = readArray(object, path, kSubEmitters, kMaxSubEmitters);
    if (!subs.empty() && depth >= kMaxEmitterDepth) {
        fail(field(path, kSubEmitters),
             "sub-emitters nest at most " + std::to_string(kMaxEmitterDepth) + " levels deep in all");
    }
    for (std::size_t i = 0; i < subs.size(); ++i) {
        const std::string subPath = item(field(path, kSubEmitters), i);
        expectFields(subs[i], subPath, encoding, fields(kSubEmitterFields));
        SubEmitter sub;
        sub.trigger =
            static_cast<Trigger>(readWord(subs[i], subPath, kTrigger, encoding, fields(kTriggerWords)));
        sub.count = readWhole(subs[i], subPath, kCount);
        sub.inheritVelocity = readNumber(subs[i], subPath, kInheritVelocity);
        sub.emitter = readEmitter(subs[i].at(kEmitter), field(subPath, kEmitter), encoding, 3, depth + 1);
        emitter.subEmitters.push_back(std::move(sub));
    }

    const Json& noise = readObject(object, path, kNoise, encoding, fields(kNoiseFields), at);
    emitter.noise.strength = readNumber(noise, at, kStrength);
    emitter.noise.frequency = readNumber(noise, at, kFrequency);
    emitter.noise.scroll = readNumber(noise, at, kScroll);
    emitter.noise.octaves = readWhole(noise, at, kOctaves);

    emitter.forces = readList<Force>(object, path, kForces, kMaxForces, encoding, fields(kForceFields),
                                     [encoding](const Json& entry, const std::string& at) {
                                         Force force;
                                         force.kind = static_cast<ForceKind>(
                                             readWord(entry, at, kKind, encoding, fields(kForceWords)));
                                         force.x = readNumber(entry, at, kX);
                                         force.y = readNumber(entry, at, kY);
                                         force.strength = readNumber(entry, at, kStrength);
                                         force.radius = readNumber(entry, at, kRadius);
                                         force.direction = readNumber(entry, at, kDirection);
                                         return force;
                                     });

    emitter.speedOverLife = readSizeKeys(object, path, kSpeedOverLife, encoding);
    emitter.speedLimit = readNumber(object, path, kSpeedLimit);
    emitter.stretch = readNumber(object, path, kStretch);

    const Json& collision = readObject(object, path, kCollision, encoding, fields(kCollisionFields), at);
    emitter.collision.enabled = readFlag(collision, at, kEnabled);
    emitter.collision.plane = readNumber(collision, at, kPlane);
    emitter.collision.bounce = readNumber(collision, at, kBounce);
    emitter.collision.friction = readNumber(collision, at, kFriction);
    emitter.collision.lifeLoss = readNumber(collision, at, kLifeLoss);
    emitter.collision.kill = readFlag(collision, at, kKill);
}

// Older emitters hold the first fields only, and keep their meaning with the defaults of the rest.
EmitterDesc readEmitter(const Json& object, const std::string& path, TextEncoding encoding,
                        std::uint64_t version, std::size_t depth) {
    const Fields all = fields(kEmitterFields);
    const std::size_t count =
        version >= 3 ? all.count : (version == 2 ? kVersion2EmitterFields : kVersion1EmitterFields);
    expectFields(object, path, encoding, Fields{all.names, count});
    EmitterDesc emitter;
    emitter.name = readText(object, path, kName, encoding);
    emitter.rate = readNumber(object, path, kRate);
    readRange(object, path, kLifetime, encoding, emitter.lifetimeMin, emitter.lifetimeMax);
    emitter.speed = readNumber(object, path, kSpeed);
    emitter.spread = readNumber(object, path, kSpread);
    emitter.gravity = readNumber(object, path, kGravity);
    emitter.blend = static_cast<Blend>(readWord(object, path, kBlend, encoding, fields(kBlendWords)));
    emitter.texture = readText(object, path, kTexture, encoding);

    emitter.size = readSizeKeys(object, path, kSize, encoding);
    emitter.color =
        readList<ColorKey>(object, path, kColor, kMaxKeys, encoding, fields(kColorKeyFields),
                           [](const Json& key, const std::string& at) {
                               return ColorKey{readNumber(key, at, kPosition), readColor(key, at, kUpper),
                                               readColor(key, at, kLower)};
                           });
    if (version >= 2) {
        readFeatures(object, path, encoding, emitter);
    }
    if (version >= 3) {
        readMotion(object, path, encoding, emitter, depth);
    }
    const Problem problem = checkEmitter(emitter);
    if (!problem.ok()) {
        fail(field(path, problem.field), problem.message);
    }
    return emitter;
}

std::string readName(const Json& object, const std::string& path, TextEncoding encoding) {
    const std::string name = readText(object, path, kName, encoding);
    const Problem problem = checkName(name);
    if (!problem.ok()) {
        fail(field(path, problem.field), problem.message);
    }
    return name;
}

std::uint64_t readVersion(const Json& root) {
    if (!root.is_object()) {
        fail("", "holds " + describe(root) + ", not an effect object");
    }
    if (!root.contains(kFormat) || root.at(kFormat) != Effect::kFormat) {
        fail(kFormat, std::string("is not \"") + Effect::kFormat + "\": this is not an effect file");
    }
    if (!root.contains(kVersion)) {
        fail(kVersion, "is missing");
    }
    const Json& version = root.at(kVersion);
    if (!version.is_number_integer() || (!version.is_number_unsigned() && version.get<std::int64_t>() < 1) ||
        (version.is_number_unsigned() && version.get<std::uint64_t>() < 1)) {
        fail(kVersion, "is not a version number (1 or more)");
    }
    // Positive numbers are unsigned: read that way, none of them wraps.
    const std::uint64_t number = version.get<std::uint64_t>();
    if (number > static_cast<std::uint64_t>(Effect::kVersion)) {
        fail(kVersion, std::to_string(number) + " is newer than this program reads (up to " +
                           std::to_string(Effect::kVersion) + "); open the file with a later version");
    }
    return number;
}

std::vector<SystemDesc> readRoot(const Json& root, TextEncoding encoding) {
    const std::uint64_t version = readVersion(root);
    expectFields(root, "", encoding, fields(kRootFields));
    std::vector<SystemDesc> result;
    std::size_t elements = 0;
    const Json& systems = readArray(root, "", kSystems, kMaxElements);
    for (std::size_t s = 0; s < systems.size(); ++s) {
        const std::string systemPath = item(kSystems, s);
        expectFields(systems[s], systemPath, encoding, fields(kSystemFields));
        SystemDesc system;
        system.name = readName(systems[s], systemPath, encoding);
        const Json& groups = readArray(systems[s], systemPath, kGroups, kMaxElements);
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const std::string groupPath = item(field(systemPath, kGroups), g);
            expectFields(groups[g], groupPath, encoding, fields(kGroupFields));
            GroupDesc group;
            group.name = readName(groups[g], groupPath, encoding);
            const Json& emitters = readArray(groups[g], groupPath, kEmitters, kMaxElements);
            for (std::size_t e = 0; e < emitters.size(); ++e) {
                group.emitters.push_back(
                    readEmitter(emitters[e], item(field(groupPath, kEmitters), e), encoding, version, 1));
            }
            elements += 1 + group.emitters.size();
            system.groups.push_back(std::move(group));
        }
        elements += 1;
        if (elements > kMaxElements) {
            fail(systemPath, "more than " + std::to_string(kMaxElements) + " systems, groups and emitters");
        }
        result.push_back(std::move(system));
    }
    return result;
}

// "line L, column C: what" from the parser's message, which starts with its own exception name.
std::string syntaxMessage(const nlohmann::json::parse_error& error) {
    const std::string what = error.what();
    const std::string marker = "parse error at ";
    const std::size_t found = what.find(marker);
    std::string message = found == std::string::npos ? "byte " + std::to_string(error.byte) + ": " + what
                                                     : what.substr(found + marker.size());
    const std::size_t maxLength = 300;
    if (message.size() > maxLength) {
        message = message.substr(0, maxLength) + "...";
    }
    return message;
}

bool onlyWhitespace(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

bool readSystems(const std::string& text, TextEncoding encoding, std::vector<SystemDesc>& systems,
                 std::string& error) {
    if (text.size() > Effect::kMaxFileBytes) {
        error = "the file is " + std::to_string(text.size()) + " bytes long; effect files are at most " +
                std::to_string(Effect::kMaxFileBytes) + " bytes";
        return false;
    }
    const std::size_t badLine = firstInvalidUtf8Line(text);
    if (badLine != 0) {
        error = "line " + std::to_string(badLine) + ": the text is not UTF-8; effect files are UTF-8 text";
        return false;
    }
    if (onlyWhitespace(text)) {
        error = "the file is empty";
        return false;
    }
    try {
        systems = readRoot(Json::parse(text), encoding);
        return true;
    } catch (const nlohmann::json::parse_error& e) {
        error = syntaxMessage(e);
    } catch (const Failure& failure) {
        error = failure.message;
    } catch (const std::exception& e) {
        error = std::string("the file cannot be read: ") + e.what();
    }
    return false;
}

} // namespace detail
} // namespace pelmora
