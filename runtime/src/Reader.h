#ifndef PELMORA_READER_H
#define PELMORA_READER_H

#include "TextEncoding.h"

#include <pelmora/Runtime.h>

#include <string>
#include <vector>

// Effect files: UTF-8 JSON text with a format marker and version, every emitter value and every curve
// and gradient key.
namespace pelmora {
namespace detail {

// Reads file text into systems, checked. On failure systems is untouched and error says what is wrong
// and where: "line L: ..." for text that is not UTF-8, "line L, column C: ..." for text that is not
// JSON, "<field path>: ..." otherwise.
bool readSystems(const std::string& text, TextEncoding encoding, std::vector<SystemDesc>& systems,
                 std::string& error);

// The file text of these systems, two-space indented with a final newline.
std::string writeSystems(const std::vector<SystemDesc>& systems, TextEncoding encoding);

// The whole file, which must exist and hold at most Effect::kMaxFileBytes.
bool readFileText(const std::string& path, std::string& text, std::string& error);

} // namespace detail
} // namespace pelmora

#endif
