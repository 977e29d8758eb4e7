#ifndef PELMORA_JSON_FIELDS_H
#define PELMORA_JSON_FIELDS_H

#include "Schema.h"

#include <pelmora/Runtime.h>

#include <nlohmann/json.hpp>

#include <string>

// Typed access to the fields of a parsed effect file. Each reader checks the value's kind and range of
// representation and throws a Failure naming the field's path ("systems[0].groups[1].rate") and why.
namespace pelmora {
namespace detail {

// Objects keep their fields in file order, so the first unknown field reported is the first written.
typedef nlohmann::ordered_json Json;

// Thrown by the readers below: the first problem ends the reading.
struct Failure {
    std::string message;
};

[[noreturn]] void fail(const std::string& path, const std::string& message);

// "path.key", or "key" at the root.
std::string field(const std::string& path, const std::string& key);
// "path[index]".
std::string item(const std::string& path, std::size_t index);
// "an object", "text", ... for messages.
std::string describe(const Json& value);

// The object at path, with exactly these fields.
void expectFields(const Json& object, const std::string& path, TextEncoding encoding, schema::Fields names);

float readNumber(const Json& object, const std::string& path, const char* name);
std::string readText(const Json& object, const std::string& path, const char* name, TextEncoding encoding);
bool readFlag(const Json& object, const std::string& path, const char* name);
// A whole number; values beyond an int are kept at its ends for the range check to name.
int readWhole(const Json& object, const std::string& path, const char* name);
// Four whole numbers 0..255.
Color readColor(const Json& object, const std::string& path, const char* name);
// An array of at most limit entries.
const Json& readArray(const Json& object, const std::string& path, const char* name, std::size_t limit);
// A {"min": ..., "max": ...} object.
void readRange(const Json& object, const std::string& path, const char* name, TextEncoding encoding,
               float& min, float& max);
// One of the words, as its index.
int readWord(const Json& object, const std::string& path, const char* name, TextEncoding encoding,
             schema::Fields words);

// Writes the emitter fields version 3 added (trail to collision) into json, in file order.
void writeMotion(const EmitterDesc& emitter, TextEncoding encoding, Json& json);

} // namespace detail
} // namespace pelmora

#endif
