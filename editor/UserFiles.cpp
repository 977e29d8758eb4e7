#include "UserFiles.h"

#include "CodePage.h"

#include <windows.h>

#include <shlobj.h>

namespace pelmora {

namespace {

std::string createdFolder(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    CreateDirectoryW(wideFromProgram(path).c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(wideFromProgram(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? path : "";
}

} // namespace

std::string userFolder() {
    // The variable first: it can point elsewhere, as a test or a portable set-up does.
    wchar_t folder[32768] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", folder, 32768);
    if (length == 0 || length >= 32768) {
        folder[0] = L'\0';
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
            return "";
        }
    }
    return createdFolder(programFromWide(folder) + "\\Pelmora");
}

std::string recoveryFolder() {
    const std::string user = userFolder();
    return user.empty() ? user : createdFolder(user + "\\recovery");
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideFromProgram(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& text) {
    HANDLE file =
        CreateFileW(wideFromProgram(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size = {};
    bool read = GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= maxBytes;
    if (read) {
        text.assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD count = 0;
        read = text.empty() || (ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &count, nullptr) &&
                                count == text.size());
    }
    CloseHandle(file);
    return read;
}

} // namespace pelmora
