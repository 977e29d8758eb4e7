#ifndef PELMORA_USER_FILES_H
#define PELMORA_USER_FILES_H

#include "logic/FilePaths.h"

#include <cstddef>
#include <string>

namespace pelmora {

// The folder of the user's Pelmora files, %APPDATA%\Pelmora, created when missing; empty when the
// user has no such folder. Paths are in the program's code page.
std::string userFolder();
// Its recovery\ folder, created when missing; empty when it cannot be.
std::string recoveryFolder();

bool fileExists(const std::string& path);
// A whole file of at most maxBytes; false when it is missing, unreadable or larger.
bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& text);

} // namespace pelmora

#endif
