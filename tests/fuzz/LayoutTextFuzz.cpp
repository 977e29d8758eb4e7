// Any text a settings file may hand to restoreLayout: reading it must never crash, a refused text must
// say why, and a layout that reads must print to a text that reads back to the same print.
#include "FuzzRequire.h"
#include "windows/logic/LayoutText.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace KW;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    layout::Layout read;
    std::string error;
    if (!layout::parse(text, read, error)) {
        require(!error.empty());
        require(read.entries.empty() && !read.hasPlacement);
        return 0;
    }
    const std::string printed = layout::print(read);
    layout::Layout again;
    require(layout::parse(printed, again, error));
    require(layout::print(again) == printed);
    // A text of this version has one spelling: it prints as it was written.
    if (read.minor == layout::printedMinor(read)) {
        require(printed == text);
    }
    // Cut short, it is refused.
    require(!layout::parse(printed.substr(0, printed.size() - 1), again, error));
    return 0;
}
