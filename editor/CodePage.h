#ifndef PELMORA_CODE_PAGE_H
#define PELMORA_CODE_PAGE_H

#include "logic/EditorScene.h"

#include <string>

namespace pelmora {

// The program's text is in its ANSI code page: UTF-8 where the manifest's request is honoured (Windows 10
// 1903 and later, Wine), the system's code page on an older Windows. These convert at its edges.

// The program's text as UTF-16, for the wide functions, which take paths of any length in bytes.
std::wstring wideFromProgram(const std::string& text);
// UTF-16 from the wide functions as the program's text; a character the code page lacks becomes its
// default character.
std::string programFromWide(const std::wstring& text);
// The program's text as UTF-8 for files, and back.
std::string utf8FromProgram(const std::string& text);
std::string programFromUtf8(const std::string& text);

// The effect file's text for the scene: names and paths go into the file as UTF-8 whatever the code page.
std::string effectFileText(const editor::Scene& scene);

// Opens an effect file as the editor document reads file text, its names and paths taken as UTF-8 and given
// to the program in its code page. A name or path with a character that the code page lacks is refused.
bool readEffectFileText(const std::string& path, editor::Scene& scene, std::string& error);
// The same for effect file text already read.
bool readEffectText(const std::string& text, editor::Scene& scene, std::string& error);

} // namespace pelmora

#endif
