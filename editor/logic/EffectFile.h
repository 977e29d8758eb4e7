#ifndef PELMORA_EFFECT_FILE_H
#define PELMORA_EFFECT_FILE_H

#include "logic/EffectModel.h"

#include <string>

// Effect files: JSON text with a format marker and version, every emitter value and every curve and
// gradient key. Text is the program's bytes, each stored as the character of the same number
// (U+0000..U+00FF), so that any name or path survives a round trip.
namespace KW {
namespace effect {

const char* const kFileFormat = "pelmora-effect";
const int kFileVersion = 1;
const char* const kFileExtension = ".kwfx";
const std::size_t kMaxFileBytes = 16 * 1024 * 1024;

// The scene as file text: indented JSON ending with a newline.
std::string writeEffect(const Scene& scene);

// Reads file text. On success the scene is replaced by the one read, whose ids all lie above the
// ids the old scene handed out. On failure the scene is untouched and error says what is wrong and
// where: "line L, column C: ..." for text that is not JSON, "<field path>: ..." otherwise.
bool readEffect(const std::string& text, Scene& scene, std::string& error);

// Reads a file as readEffect reads text; a missing, unreadable, empty or too large file fails too.
bool readEffectFile(const std::string& path, Scene& scene, std::string& error);

} // namespace effect
} // namespace KW

#endif
