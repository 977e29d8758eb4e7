#include "AtomicSave.h"

#include "CodePage.h"
#include "UserFileStore.h"

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
    DWORD failure = 0;
    if (!shell::replaceFile(target, text, failure)) {
        error = "Cannot save " + path + ": " + systemMessage(failure);
        return false;
    }
    return true;
}

} // namespace pelmora
