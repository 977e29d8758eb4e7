#include "SavedLayout.h"

#include "UserFileStore.h"

namespace demo {

namespace {

// A layout is one short line; anything longer is not one of ours.
const DWORD kMaxLayoutBytes = 64 * 1024;

} // namespace

std::wstring layoutFile() {
    const std::wstring folder = shell::userFolder(L"Kwadro");
    return folder.empty() ? folder : folder + L"\\Test.layout";
}

std::string readLayout(const std::wstring& file) {
    std::string text;
    return shell::readWholeFile(file, kMaxLayoutBytes, text) ? text : std::string();
}

bool writeLayout(const std::wstring& file, const std::string& layout) {
    DWORD failure = 0;
    return !file.empty() && !layout.empty() && shell::replaceFile(file, layout, failure);
}

} // namespace demo
