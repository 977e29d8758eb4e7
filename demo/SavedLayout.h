#ifndef KW_DEMO_SAVED_LAYOUT_H
#define KW_DEMO_SAVED_LAYOUT_H

#include <string>

namespace demo {

// Where the program keeps the layout the user left: %APPDATA%\Kwadro\Test.layout (the folder is created
// when missing); empty when the user has no such folder.
std::wstring layoutFile();
// The saved layout; empty when there is none or it cannot be read.
std::string readLayout(const std::wstring& file);
// Writes the layout beside the file and then moves it over, so an interrupted write keeps the old one.
bool writeLayout(const std::wstring& file, const std::string& layout);

} // namespace demo

#endif
