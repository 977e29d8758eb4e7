#include "UserFiles.h"

#include "CodePage.h"
#include "UserFileStore.h"

#include <windows.h>

namespace pelmora {

std::string userFolder() {
    return programFromWide(shell::userFolder(L"Pelmora"));
}

std::string recoveryFolder() {
    const std::string user = userFolder();
    return user.empty() || !shell::makeFolder(wideFromProgram(user + "\\recovery")) ? std::string()
                                                                                    : user + "\\recovery";
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideFromProgram(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& text) {
    return shell::readWholeFile(wideFromProgram(path), maxBytes, text);
}

} // namespace pelmora
