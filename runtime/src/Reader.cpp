#include "Reader.h"

#include "Check.h"
#include "Utf8.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace pelmora {
namespace detail {

namespace {

// Objects keep their fields in file order, so the first unknown field reported is the first written.
typedef nlohmann::ordered_json Json;

const std::size_t kMaxQuotedKey = 40;

// Thrown by the readers below and caught by readSystems: the first problem ends the reading.
struct Failure {
    std::string message;
};

[[noreturn]] void fail(const std::string& path, const std::string& message) {
    throw Failure{(path.empty() ? std::string("the file") : path) + ": " + message};
}

std::string field(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string item(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string describe(const Json& value) {
    switch (value.type()) {
    case Json::value_t::object:
        return "an object";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::string:
        return "text";
    case Json::value_t::boolean:
        return "true or false";
    case Json::value_t::null:
        return "null";
    default:
        return "a number";
    }
}

// The inverse of toFileText; false for a character beyond U+00FF in Latin-1. The text is valid UTF-8
// (the parser checks that).
bool fromFileText(const std::string& text, std::string& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        bytes = text;
        return true;
    }
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            bytes += static_cast<char>(byte);
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < text.size()) {
            bytes += static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
        } else {
            return false;
        }
    }
    return true;
}

std::string quotedKey(const std::string& key, TextEncoding encoding) {
    std::string bytes;
    if (!fromFileText(key, bytes, encoding)) {
        bytes = "?";
    }
    if (bytes.size() <= kMaxQuotedKey) {
        return bytes;
    }
    // Cut before a character, never inside one.
    std::size_t cut = kMaxQuotedKey;
    while (encoding == TextEncoding::Utf8 && cut > 0 &&
           (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return bytes.substr(0, cut) + "...";
}

// The object at path with exactly these fields.
void expectFields(const Json& object, const std::string& path, TextEncoding encoding,
                  std::initializer_list<const char*> names) {
    if (!object.is_object()) {
        fail(path, "is " + describe(object) + ", not an object");
    }
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        bool known = false;
        for (const char* name : names) {
            known = known || entry.key() == name;
        }
        if (!known) {
            fail(field(path, quotedKey(entry.key(), encoding)), "unknown field");
        }
    }
    for (const char* name : names) {
        if (!object.contains(name)) {
            fail(field(path, name), "is missing");
        }
    }
}

float readNumber(const Json& object, const std::string& path, const char* name) {
    const Json& value = object.at(name);
    const std::string at = field(path, name);
    if (!value.is_number()) {
        fail(at, "is " + describe(value) + ", not a number");
    }
    const double number = value.get<double>();
    if (!(std::fabs(number) <= FLT_MAX)) {
        fail(at, "is too large");
    }
    return static_cast<float>(number);
}

std::string readText(const Json& object, const std::string& path, const char* name, TextEncoding encoding) {
    const Json& value = object.at(name);
    const std::string at = field(path, name);
    if (!value.is_string()) {
        fail(at, "is " + describe(value) + ", not text");
    }
    std::string bytes;
    if (!fromFileText(value.get_ref<const std::string&>(), bytes, encoding)) {
        fail(at, "holds a character beyond U+00FF, which this program cannot keep");
    }
    return bytes;
}

bool readFlag(const Json& object, const std::string& path, const char* name) {
    const Json& value = object.at(name);
    if (!value.is_boolean()) {
        fail(field(path, name), "is " + describe(value) + ", not true or false");
    }
    return value.get<bool>();
}

// A whole number; values beyond an int are kept at its ends for the range check to name.
int readWhole(const Json& object, const std::string& path, const char* name) {
    const Json& value = object.at(name);
    const std::string at = field(path, name);
    if (!value.is_number_integer()) {
        fail(at, value.is_number() ? "is not a whole number" : "is " + describe(value) + ", not a number");
    }
    if (value.is_number_unsigned()) {
        return static_cast<int>(std::min<std::uint64_t>(value.get<std::uint64_t>(), INT32_MAX));
    }
    return static_cast<int>(std::max<std::int64_t>(value.get<std::int64_t>(), INT32_MIN));
}

int readComponent(const Json& value, const std::string& at) {
    if (!value.is_number_integer()) {
        fail(at, value.is_number() ? "is not a whole number" : "is " + describe(value) + ", not a number");
    }
    if (value.is_number_unsigned()) {
        const std::uint64_t number = value.get<std::uint64_t>();
        if (number > 255) {
            fail(at, std::to_string(number) + " is outside 0..255");
        }
        return static_cast<int>(number);
    }
    const std::int64_t number = value.get<std::int64_t>();
    if (number < 0 || number > 255) {
        fail(at, std::to_string(number) + " is outside 0..255");
    }
    return static_cast<int>(number);
}

Color readColor(const Json& object, const std::string& path, const char* name) {
    const Json& value = object.at(name);
    const std::string at = field(path, name);
    if (!value.is_array() || value.size() != 4) {
        fail(at, "is not an array of four numbers: red, green, blue, alpha");
    }
    return Color{readComponent(value[0], item(at, 0)), readComponent(value[1], item(at, 1)),
                 readComponent(value[2], item(at, 2)), readComponent(value[3], item(at, 3))};
}

const Json& readArray(const Json& object, const std::string& path, const char* name, std::size_t limit) {
    const Json& value = object.at(name);
    if (!value.is_array()) {
        fail(field(path, name), "is " + describe(value) + ", not an array");
    }
    if (value.size() > limit) {
        fail(field(path, name), std::to_string(value.size()) + " entries; at most " + std::to_string(limit));
    }
    return value;
}

// A {"min": ..., "max": ...} object.
void readRange(const Json& object, const std::string& path, const char* name, TextEncoding encoding,
               float& min, float& max) {
    const std::string at = field(path, name);
    const Json& range = object.at(name);
    expectFields(range, at, encoding, {"min", "max"});
    min = readNumber(range, at, "min");
    max = readNumber(range, at, "max");
}

ShapeKind readShapeKind(const Json& object, const std::string& path, TextEncoding encoding) {
    const std::string kind = readText(object, path, "kind", encoding);
    const char* const names[] = {"point", "circle", "rectangle", "line"};
    for (int i = 0; i < 4; ++i) {
        if (kind == names[i]) {
            return static_cast<ShapeKind>(i);
        }
    }
    fail(field(path, "kind"), "is not \"point\", \"circle\", \"rectangle\" or \"line\"");
}

// The fields version 2 added.
void readFeatures(const Json& object, const std::string& path, TextEncoding encoding, EmitterDesc& emitter) {
    const std::string shapePath = field(path, "shape");
    const Json& shape = object.at("shape");
    expectFields(shape, shapePath, encoding, {"kind", "edge", "radius", "width", "height"});
    emitter.shape.kind = readShapeKind(shape, shapePath, encoding);
    emitter.shape.edge = readFlag(shape, shapePath, "edge");
    emitter.shape.radius = readNumber(shape, shapePath, "radius");
    emitter.shape.width = readNumber(shape, shapePath, "width");
    emitter.shape.height = readNumber(shape, shapePath, "height");
    emitter.direction = readNumber(object, path, "direction");

    const std::string timingPath = field(path, "timing");
    const Json& timing = object.at("timing");
    expectFields(timing, timingPath, encoding, {"duration", "loop", "delay", "prewarm"});
    emitter.duration = readNumber(timing, timingPath, "duration");
    emitter.loop = readFlag(timing, timingPath, "loop");
    emitter.delay = readNumber(timing, timingPath, "delay");
    emitter.prewarm = readFlag(timing, timingPath, "prewarm");

    const Json& bursts = readArray(object, path, "bursts", kMaxBursts);
    for (std::size_t i = 0; i < bursts.size(); ++i) {
        const std::string at = item(field(path, "bursts"), i);
        expectFields(bursts[i], at, encoding, {"time", "count", "interval", "cycles"});
        Burst burst;
        burst.time = readNumber(bursts[i], at, "time");
        burst.count = readWhole(bursts[i], at, "count");
        burst.interval = readNumber(bursts[i], at, "interval");
        burst.cycles = readWhole(bursts[i], at, "cycles");
        emitter.bursts.push_back(burst);
    }

    readRange(object, path, "rotation", encoding, emitter.rotationMin, emitter.rotationMax);
    readRange(object, path, "spin", encoding, emitter.spinMin, emitter.spinMax);
    emitter.alignToVelocity = readFlag(object, path, "alignToVelocity");
    emitter.drag = readNumber(object, path, "drag");

    const std::string sheetPath = field(path, "sheet");
    const Json& sheet = object.at("sheet");
    expectFields(sheet, sheetPath, encoding, {"columns", "rows", "frameRate", "randomStart"});
    emitter.sheet.columns = readWhole(sheet, sheetPath, "columns");
    emitter.sheet.rows = readWhole(sheet, sheetPath, "rows");
    emitter.sheet.frameRate = readNumber(sheet, sheetPath, "frameRate");
    emitter.sheet.randomStart = readFlag(sheet, sheetPath, "randomStart");
}

// Version 1 emitters hold the first ten fields only, and keep their meaning with the defaults of the rest.
EmitterDesc readEmitter(const Json& object, const std::string& path, TextEncoding encoding,
                        std::uint64_t version) {
    if (version >= 2) {
        expectFields(object, path, encoding,
                     {"name", "rate", "lifetime", "speed", "spread", "gravity", "blend", "texture", "size",
                      "color", "shape", "direction", "timing", "bursts", "rotation", "spin",
                      "alignToVelocity", "drag", "sheet"});
    } else {
        expectFields(
            object, path, encoding,
            {"name", "rate", "lifetime", "speed", "spread", "gravity", "blend", "texture", "size", "color"});
    }
    EmitterDesc emitter;
    emitter.name = readText(object, path, "name", encoding);
    emitter.rate = readNumber(object, path, "rate");
    readRange(object, path, "lifetime", encoding, emitter.lifetimeMin, emitter.lifetimeMax);
    emitter.speed = readNumber(object, path, "speed");
    emitter.spread = readNumber(object, path, "spread");
    emitter.gravity = readNumber(object, path, "gravity");
    const std::string blend = readText(object, path, "blend", encoding);
    if (blend == "alpha") {
        emitter.blend = Blend::Alpha;
    } else if (blend == "additive") {
        emitter.blend = Blend::Additive;
    } else {
        fail(field(path, "blend"), "is neither \"alpha\" nor \"additive\"");
    }
    emitter.texture = readText(object, path, "texture", encoding);

    const Json& size = readArray(object, path, "size", kMaxKeys);
    for (std::size_t i = 0; i < size.size(); ++i) {
        const std::string at = item(field(path, "size"), i);
        expectFields(size[i], at, encoding, {"x", "upper", "lower"});
        emitter.size.push_back(SizeKey{readNumber(size[i], at, "x"), readNumber(size[i], at, "upper"),
                                       readNumber(size[i], at, "lower")});
    }
    const Json& color = readArray(object, path, "color", kMaxKeys);
    for (std::size_t i = 0; i < color.size(); ++i) {
        const std::string at = item(field(path, "color"), i);
        expectFields(color[i], at, encoding, {"position", "upper", "lower"});
        emitter.color.push_back(ColorKey{readNumber(color[i], at, "position"),
                                         readColor(color[i], at, "upper"), readColor(color[i], at, "lower")});
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
    const std::string name = readText(object, path, "name", encoding);
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
    if (!root.contains("format") || root.at("format") != Effect::kFormat) {
        fail("format", std::string("is not \"") + Effect::kFormat + "\": this is not an effect file");
    }
    if (!root.contains("version")) {
        fail("version", "is missing");
    }
    const Json& version = root.at("version");
    if (!version.is_number_integer() || (!version.is_number_unsigned() && version.get<std::int64_t>() < 1) ||
        (version.is_number_unsigned() && version.get<std::uint64_t>() < 1)) {
        fail("version", "is not a version number (1 or more)");
    }
    // Positive numbers are unsigned: read that way, none of them wraps.
    const std::uint64_t number = version.get<std::uint64_t>();
    if (number > static_cast<std::uint64_t>(Effect::kVersion)) {
        fail("version", std::to_string(number) + " is newer than this program reads (up to " +
                            std::to_string(Effect::kVersion) + "); open the file with a later version");
    }
    return number;
}

std::vector<SystemDesc> readRoot(const Json& root, TextEncoding encoding) {
    const std::uint64_t version = readVersion(root);
    expectFields(root, "", encoding, {"format", "version", "systems"});
    std::vector<SystemDesc> result;
    std::size_t elements = 0;
    const Json& systems = readArray(root, "", "systems", kMaxElements);
    for (std::size_t s = 0; s < systems.size(); ++s) {
        const std::string systemPath = item("systems", s);
        expectFields(systems[s], systemPath, encoding, {"name", "groups"});
        SystemDesc system;
        system.name = readName(systems[s], systemPath, encoding);
        const Json& groups = readArray(systems[s], systemPath, "groups", kMaxElements);
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const std::string groupPath = item(field(systemPath, "groups"), g);
            expectFields(groups[g], groupPath, encoding, {"name", "emitters"});
            GroupDesc group;
            group.name = readName(groups[g], groupPath, encoding);
            const Json& emitters = readArray(groups[g], groupPath, "emitters", kMaxElements);
            for (std::size_t e = 0; e < emitters.size(); ++e) {
                group.emitters.push_back(
                    readEmitter(emitters[e], item(field(groupPath, "emitters"), e), encoding, version));
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

std::string toFileText(const std::string& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        return bytes;
    }
    std::string text;
    text.reserve(bytes.size());
    for (unsigned char byte : bytes) {
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

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

bool readFileText(const std::string& path, std::string& text, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::string("cannot open the file: ") + std::strerror(errno);
        return false;
    }
    // Read in pieces and stop past the limit, so a huge file is never read whole.
    text.clear();
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        text.append(buffer, count);
        if (text.size() > Effect::kMaxFileBytes) {
            std::fclose(file);
            error = "the file is larger than " + std::to_string(Effect::kMaxFileBytes) +
                    " bytes, the limit for effect files";
            return false;
        }
    }
    const bool failed = std::ferror(file) != 0;
    const int reason = errno;
    std::fclose(file);
    if (failed) {
        error = std::string("cannot read the file: ") + std::strerror(reason);
        return false;
    }
    return true;
}

} // namespace detail
} // namespace pelmora
