#ifndef KW_SHELL_USER_FILE_STORE_H
#define KW_SHELL_USER_FILE_STORE_H

#include <windows.h>

#include <cstddef>
#include <string>

// The files a tool keeps for its user: where they live, reading them whole and replacing them safely.
// Paths are wide, so any name the file system holds can be reached.
namespace shell {

// A folder of the user's, created when missing: `name` inside %APPDATA%. The APPDATA variable is asked
// first, so that a test or a portable set-up can point it elsewhere. Empty when there is no such folder
// and it cannot be made.
std::wstring userFolder(const std::wstring& name);
// A folder, created when missing; false when it neither exists nor can be made.
bool makeFolder(const std::wstring& path);
// The whole file; false when it is missing, unreadable or longer than maxBytes.
bool readWholeFile(const std::wstring& path, std::size_t maxBytes, std::string& bytes);
// Writes bytes to a new file in the target's folder and only then moves it over the target, so a failed
// or interrupted write leaves the old file as it was. On failure, failure holds the system's error code.
bool replaceFile(const std::wstring& target, const std::string& bytes, DWORD& failure);

} // namespace shell

#endif
