#include "core/WideText.h"

#include <vector>

namespace KW {
namespace text {

std::wstring wide(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, &result[0], length);
    }
    return result;
}

std::wstring wide(const char* text) {
    return text ? wide(std::string(text)) : std::wstring();
}

std::string narrow(const wchar_t* text, std::size_t length) {
    if (!text || length == 0) {
        return std::string();
    }
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_ACP, 0, text, size, &result[0], bytes, nullptr, nullptr);
    }
    return result;
}

std::string narrow(const std::wstring& text) {
    return narrow(text.data(), text.size());
}

std::string narrowPrefix(const std::wstring& text, std::size_t maxCharacters) {
    std::size_t length = text.size() < maxCharacters ? text.size() : maxCharacters;
    // A surrogate pair is one character: it stays whole or goes.
    if (length < text.size() && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) {
        --length;
    }
    return narrow(text.data(), length);
}

std::wstring wideWindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(read > 0 ? read : 0));
}

std::string windowText(HWND window) {
    return narrow(wideWindowText(window));
}

std::string windowText(HWND window, std::size_t maxCharacters) {
    return narrowPrefix(wideWindowText(window), maxCharacters);
}

void setWindowText(HWND window, const std::string& text) {
    SetWindowTextW(window, wide(text).c_str());
}

} // namespace text
} // namespace KW
