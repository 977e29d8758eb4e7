// Any bytes given to the effect loader: it must never crash, a refusal must say why and leave the
// scene as it was, and whatever it accepts must be written and read back to the same effect.
#include "FuzzRequire.h"
#include "logic/EffectFile.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace KW::effect;

namespace {

// Each text is read as a program with Latin-1 text and as one with UTF-8 text would read it.
void check(const std::string& text, TextEncoding encoding) {
    const Scene before = Scene::makeDefault();
    Scene scene = before;
    std::string error;
    if (!readEffect(text, scene, error, encoding)) {
        require(!error.empty());
        require(scene == before);
        return;
    }
    // Accepted text is UTF-8 throughout.
    require(pelmora::detail::firstInvalidUtf8Line(text) == 0);
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                require(checkEmitter(emitter).ok());
            }
        }
    }
    const std::string written = writeEffect(scene, encoding);
    require(pelmora::detail::firstInvalidUtf8Line(written) == 0);
    Scene again;
    require(readEffect(written, again, error, encoding));
    require(Scene::sameContent(scene, again));
    require(writeEffect(again, encoding) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    check(text, TextEncoding::Latin1);
    check(text, TextEncoding::Utf8);
    return 0;
}
