#include "SavedLayout.h"

#include <windows.h>

#include <shlobj.h>

namespace demo {

namespace {

// A layout is one short line; anything longer is not one of ours.
const DWORD kMaxLayoutBytes = 64 * 1024;

} // namespace

std::wstring layoutFile() {
    // The variable first: it can point elsewhere, as a test or a portable set-up does.
    wchar_t folder[32768] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", folder, 32768);
    if ((length == 0 || length >= 32768) &&
        FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return L"";
    }
    const std::wstring kwadro = std::wstring(folder) + L"\\Kwadro";
    CreateDirectoryW(kwadro.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(kwadro.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return L"";
    }
    return kwadro + L"\\Test.layout";
}

std::string readLayout(const std::wstring& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return "";
    }
    std::string text(kMaxLayoutBytes, '\0');
    DWORD read = 0;
    const bool ok = ReadFile(handle, &text[0], kMaxLayoutBytes, &read, nullptr) && read < kMaxLayoutBytes;
    CloseHandle(handle);
    text.resize(ok ? read : 0);
    return text;
}

bool writeLayout(const std::wstring& file, const std::string& layout) {
    if (file.empty() || layout.empty()) {
        return false;
    }
    const std::wstring temporary = file + L".new";
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(handle, layout.data(), static_cast<DWORD>(layout.size()), &written, nullptr) &&
                    written == layout.size() && FlushFileBuffers(handle);
    CloseHandle(handle);
    if (!ok ||
        !MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace demo
