// Any bytes opened in the editor's document: it must never crash, a refusal must say why and leave the
// document as it was, and whatever it accepts must be saved and opened back to the same text.
#include "FuzzRequire.h"
#include "logic/EditorDocument.h"

#include <pelmora/Limits.h>

#include <cstddef>
#include <cstdint>
#include <string>

using namespace pelmora;
using namespace pelmora::editor;

namespace {

// Each text is read as a program with Latin-1 text and as one with UTF-8 text would read it.
void check(const std::string& text, TextEncoding encoding) {
    EditorDocument document;
    const Scene before = document.getScene();
    std::string error;
    if (!document.open(text, "/fx/fuzz.kwfx", error, encoding)) {
        require(!error.empty());
        require(document.getScene() == before && document.getPath().empty());
        return;
    }
    // Accepted text is UTF-8 throughout, and the effect is one the runtime takes.
    require(firstInvalidUtf8Line(text) == 0);
    require(checkSystems(document.getScene().describe()).ok());
    const std::string written = document.fileText(encoding);
    if (written.empty()) {
        return; // a name that its encoding makes longer than a file takes: the save is refused
    }
    require(firstInvalidUtf8Line(written) == 0);
    EditorDocument again;
    require(again.open(written, "/fx/again.kwfx", error, encoding));
    require(again.fileText(encoding) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    check(text, TextEncoding::Latin1);
    check(text, TextEncoding::Utf8);
    return 0;
}
