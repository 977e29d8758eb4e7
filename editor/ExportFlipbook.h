#ifndef PELMORA_EXPORT_FLIPBOOK_H
#define PELMORA_EXPORT_FLIPBOOK_H

#include <pelmora/Flipbook.h>
#include "logic/EditorScene.h"

#include <windows.h>

#include <string>

namespace pelmora {

// The flipbook dialog: frame size, frame count, frame rate and framing, checked before it closes. False when
// the user cancels; settings then stay as they were.
bool askFlipbookSettings(HWND owner, FlipbookSettings& settings);

// File > Export Flipbook: asks for the settings (framing included: fit, or a fixed scale) and the PNG
// file, renders the scene as pelmora-render renders an effect file (textures relative to the effect
// file's folder) and reports any failure in a message box. Returns the file written, empty when none.
std::string exportFlipbook(HWND owner, const editor::Scene& scene, const std::string& effectPath);

} // namespace pelmora

#endif
