#include "Reader.h"

#include "Check.h"
#include "JsonFields.h"
#include "Utf8.h"

#include <cstdint>

namespace pelmora {
namespace detail {

namespace {

using namespace schema;

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

    const Json& bursts = readArray(object, path, kBursts, kMaxBursts);
    for (std::size_t i = 0; i < bursts.size(); ++i) {
        const std::string at = item(field(path, kBursts), i);
        expectFields(bursts[i], at, encoding, fields(kBurstFields));
        Burst burst;
        burst.time = readNumber(bursts[i], at, kTime);
        burst.count = readWhole(bursts[i], at, kCount);
        burst.interval = readNumber(bursts[i], at, kInterval);
        burst.cycles = readWhole(bursts[i], at, kCycles);
        emitter.bursts.push_back(burst);
    }

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

// Version 1 emitters hold the first fields only, and keep their meaning with the defaults of the rest.
EmitterDesc readEmitter(const Json& object, const std::string& path, TextEncoding encoding,
                        std::uint64_t version) {
    const Fields all = fields(kEmitterFields);
    expectFields(object, path, encoding, version >= 2 ? all : Fields{all.names, kVersion1EmitterFields});
    EmitterDesc emitter;
    emitter.name = readText(object, path, kName, encoding);
    emitter.rate = readNumber(object, path, kRate);
    readRange(object, path, kLifetime, encoding, emitter.lifetimeMin, emitter.lifetimeMax);
    emitter.speed = readNumber(object, path, kSpeed);
    emitter.spread = readNumber(object, path, kSpread);
    emitter.gravity = readNumber(object, path, kGravity);
    emitter.blend = static_cast<Blend>(readWord(object, path, kBlend, encoding, fields(kBlendWords)));
    emitter.texture = readText(object, path, kTexture, encoding);

    const Json& size = readArray(object, path, kSize, kMaxKeys);
    for (std::size_t i = 0; i < size.size(); ++i) {
        const std::string at = item(field(path, kSize), i);
        expectFields(size[i], at, encoding, fields(kSizeKeyFields));
        emitter.size.push_back(SizeKey{readNumber(size[i], at, kX), readNumber(size[i], at, kUpper),
                                       readNumber(size[i], at, kLower)});
    }
    const Json& color = readArray(object, path, kColor, kMaxKeys);
    for (std::size_t i = 0; i < color.size(); ++i) {
        const std::string at = item(field(path, kColor), i);
        expectFields(color[i], at, encoding, fields(kColorKeyFields));
        emitter.color.push_back(ColorKey{readNumber(color[i], at, kPosition), readColor(color[i], at, kUpper),
                                         readColor(color[i], at, kLower)});
    }
    if (version >= 2) {
        readFeatures(object, path, encoding, emitter);
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
                    readEmitter(emitters[e], item(field(groupPath, kEmitters), e), encoding, version));
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
