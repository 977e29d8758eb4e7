#ifndef KW_WIDE_TEXT_H
#define KW_WIDE_TEXT_H

#include <cstddef>
#include <string>
#include <windows.h>

namespace KW {
namespace text {

// The library's texts are in the process's ANSI code page (UTF-8 in a program whose manifest says so),
// while every window it creates is a Unicode window: texts are converted here, once, at the boundary.

std::wstring wide(const std::string& text);
// A null pointer is an empty text.
std::wstring wide(const char* text);
std::string narrow(const wchar_t* text, std::size_t length);
std::string narrow(const std::wstring& text);
// The first maxCharacters characters of text (UTF-16 units, as the platform's text limits count them),
// one fewer where the last would be half of a surrogate pair: a limited read never ends inside a
// character.
std::string narrowPrefix(const std::wstring& text, std::size_t maxCharacters);

std::wstring wideWindowText(HWND window);
// A window's whole text, or its prefix of at most maxCharacters whole characters.
std::string windowText(HWND window);
std::string windowText(HWND window, std::size_t maxCharacters);
void setWindowText(HWND window, const std::string& text);

} // namespace text
} // namespace KW

#endif
