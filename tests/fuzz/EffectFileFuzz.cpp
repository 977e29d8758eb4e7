// Any bytes given to the effect loader: it must never crash, a refusal must say why and leave the
// scene as it was, and whatever it accepts must be written and read back to the same effect.
#include "logic/EffectFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace KW::effect;

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Scene before = Scene::makeDefault();
    Scene scene = before;
    std::string error;
    if (!readEffect(text, scene, error)) {
        require(!error.empty());
        require(scene == before);
        return 0;
    }
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            for (const Emitter& emitter : group.emitters) {
                require(checkEmitter(emitter).ok());
            }
        }
    }
    const std::string written = writeEffect(scene);
    Scene again;
    require(readEffect(written, again, error));
    require(Scene::sameContent(scene, again));
    require(writeEffect(again) == written);
    return 0;
}
