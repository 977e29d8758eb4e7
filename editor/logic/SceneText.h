#ifndef PELMORA_SCENE_TEXT_H
#define PELMORA_SCENE_TEXT_H

#include "logic/EditorScene.h"

#include <string>

// The editor's scene as effect file text and back.
namespace pelmora {
namespace editor {

// Indented JSON ending with a newline, as the runtime writes effects; empty when a value is beyond what
// the runtime takes (a name made longer by its encoding, say).
std::string writeScene(const Scene& scene, TextEncoding encoding);

// Reads file text into a new scene whose ids all lie above those the old one handed out. On failure the
// scene is untouched and error names the line or field at fault and why.
bool readScene(const std::string& text, Scene& scene, std::string& error, TextEncoding encoding);
// The same for systems the runtime has read.
bool sceneFromSystems(const std::vector<SystemDesc>& systems, Scene& scene, std::string& error);

} // namespace editor
} // namespace pelmora

#endif
