#include "UserFileStore.h"

#include <shlobj.h>

namespace shell {

namespace {

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

} // namespace

bool makeFolder(const std::wstring& path) {
    CreateDirectoryW(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring userFolder(const std::wstring& name) {
    wchar_t folder[32768] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", folder, 32768);
    if (length == 0 || length >= 32768) {
        folder[0] = L'\0';
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
            return std::wstring();
        }
    }
    const std::wstring path = std::wstring(folder) + L"\\" + name;
    return makeFolder(path) ? path : std::wstring();
}

bool readWholeFile(const std::wstring& path, std::size_t maxBytes, std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size = {};
    bool read = GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= maxBytes;
    if (read) {
        bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD count = 0;
        read =
            bytes.empty() || (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                              count == bytes.size());
    }
    CloseHandle(file);
    return read;
}

bool replaceFile(const std::wstring& target, const std::string& bytes, DWORD& failure) {
    wchar_t temporary[MAX_PATH] = {};
    if (!GetTempFileNameW(folderOf(target).c_str(), L"kw", 0, temporary)) {
        failure = GetLastError();
        return false;
    }
    HANDLE file =
        CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    failure = written ? 0 : GetLastError();
    if (written) {
        DWORD count = 0;
        written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                  count == bytes.size() && FlushFileBuffers(file);
        failure = written ? 0 : GetLastError();
        CloseHandle(file);
    }
    if (written &&
        MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    if (written) {
        failure = GetLastError();
    }
    DeleteFileW(temporary);
    return false;
}

} // namespace shell
