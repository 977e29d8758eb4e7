#include "AtomicSave.h"

#include "CodePage.h"

#include <windows.h>

namespace pelmora {

namespace {

std::string systemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

std::wstring folderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

} // namespace

bool saveAtomically(const std::string& path, const std::string& text, std::string& error) {
    // The wide functions: the path may be longer in the code page's bytes than the narrow ones take.
    const std::wstring target = wideFromProgram(path);
    // Replacing by a move would also replace a read-only file on some platforms; the user marked it so
    // that it stays as it is.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        error = "Cannot save " + path + ": the file is read-only";
        return false;
    }
    wchar_t temporary[MAX_PATH] = {};
    if (!GetTempFileNameW(folderOf(target).c_str(), L"pel", 0, temporary)) {
        error = "Cannot write in the folder of " + path + ": " + systemMessage(GetLastError());
        return false;
    }
    HANDLE file =
        CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    DWORD failure = written ? 0 : GetLastError();
    if (written) {
        DWORD count = 0;
        written = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &count, nullptr) &&
                  count == text.size() && FlushFileBuffers(file);
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
    error = "Cannot save " + path + ": " + systemMessage(failure);
    return false;
}

} // namespace pelmora
