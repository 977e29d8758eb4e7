#include "JsonFields.h"

#include "TextEncoding.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace pelmora {
namespace detail {

void fail(const std::string& path, const std::string& message) {
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

void expectFields(const Json& object, const std::string& path, TextEncoding encoding, schema::Fields names) {
    if (!object.is_object()) {
        fail(path, "is " + describe(object) + ", not an object");
    }
    const char* const* end = names.names + names.count;
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        const bool known =
            std::any_of(names.names, end, [&](const char* name) { return entry.key() == name; });
        if (!known) {
            fail(field(path, quotedKey(entry.key(), encoding)), "unknown field");
        }
    }
    for (const char* const* name = names.names; name != end; ++name) {
        if (!object.contains(*name)) {
            fail(field(path, *name), "is missing");
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

namespace {

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

} // namespace

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

void readRange(const Json& object, const std::string& path, const char* name, TextEncoding encoding,
               float& min, float& max) {
    const std::string at = field(path, name);
    const Json& range = object.at(name);
    expectFields(range, at, encoding, schema::fields(schema::kRangeFields));
    min = readNumber(range, at, schema::kMin);
    max = readNumber(range, at, schema::kMax);
}

int readWord(const Json& object, const std::string& path, const char* name, TextEncoding encoding,
             schema::Fields words) {
    const std::string word = readText(object, path, name, encoding);
    for (std::size_t i = 0; i < words.count; ++i) {
        if (word == words.names[i]) {
            return static_cast<int>(i);
        }
    }
    // "is not "a", "b" or "c"", or "is neither "a" nor "b"" for two.
    std::string message = words.count == 2 ? "is neither " : "is not ";
    for (std::size_t i = 0; i < words.count; ++i) {
        if (i > 0) {
            message += i + 1 < words.count ? ", " : (words.count == 2 ? " nor " : " or ");
        }
        message += std::string("\"") + words.names[i] + "\"";
    }
    fail(field(path, name), message);
}

} // namespace detail
} // namespace pelmora
