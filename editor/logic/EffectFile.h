#ifndef PELMORA_EFFECT_FILE_H
#define PELMORA_EFFECT_FILE_H

#include "logic/EffectModel.h"

#include <string>

// Effect files, read by the runtime and written here: UTF-8 JSON text with a format marker and version, every
// emitter value and every curve and gradient key.
namespace KW {
namespace effect {

// How the scene's names and paths map to the file's characters (the runtime's choice):
// Latin1: each byte is the character of the same number (U+0000..U+00FF): any bytes survive a round
// trip, a character beyond U+00FF in a file is refused.
// Utf8: the text is UTF-8 and goes into the file as it is: any character survives a round trip. A byte
// outside a well-formed sequence is written as U+FFFD.
using pelmora::TextEncoding;

const char* const kFileFormat = "pelmora-effect";
const int kFileVersion = pelmora::Effect::kVersion;
const char* const kFileExtension = ".kwfx";
const std::size_t kMaxFileBytes = pelmora::Effect::kMaxFileBytes;

// The scene as file text: indented JSON ending with a newline.
std::string writeEffect(const Scene& scene, TextEncoding encoding = TextEncoding::Latin1);

// Reads file text. On success the scene is replaced by the one read, whose ids all lie above the
// ids the old scene handed out. On failure the scene is untouched and error says what is wrong and
// where: "line L: ..." for text that is not UTF-8, "line L, column C: ..." for text that is not JSON,
// "<field path>: ..." otherwise.
bool readEffect(const std::string& text, Scene& scene, std::string& error,
                TextEncoding encoding = TextEncoding::Latin1);

// Reads a file as readEffect reads text; a missing, unreadable, empty or too large file fails too.
bool readEffectFile(const std::string& path, Scene& scene, std::string& error,
                    TextEncoding encoding = TextEncoding::Latin1);

} // namespace effect
} // namespace KW

#endif
