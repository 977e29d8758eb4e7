#ifndef PELMORA_READER_H
#define PELMORA_READER_H

#include <pelmora/Runtime.h>

#include <string>
#include <vector>

// Effect files: UTF-8 JSON text with a format marker and version, every emitter value and every curve
// and gradient key. The editor reads files through these too.
namespace pelmora {
namespace detail {

// Reads file text into systems, checked. On failure systems is untouched and error says what is wrong
// and where: "line L: ..." for text that is not UTF-8, "line L, column C: ..." for text that is not
// JSON, "<field path>: ..." otherwise.
bool readSystems(const std::string& text, TextEncoding encoding, std::vector<SystemDesc>& systems,
                 std::string& error);

// The whole file, which must exist and hold at most Effect::kMaxFileBytes.
bool readFileText(const std::string& path, std::string& text, std::string& error);

// Latin-1 text as UTF-8 (bytes 0x80..0xFF become two-byte sequences); UTF-8 as it is.
std::string toFileText(const std::string& bytes, TextEncoding encoding);

} // namespace detail
} // namespace pelmora

#endif
