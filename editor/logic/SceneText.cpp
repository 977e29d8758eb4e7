#include "logic/SceneText.h"

#include "Check.h"
#include "Reader.h"
#include "logic/EffectFile.h"

namespace pelmora {
namespace editor {

std::string writeScene(const Scene& scene, TextEncoding encoding) {
    // The file writer takes the editor's former form of the scene until the runtime writes files itself.
    KW::effect::Scene written;
    for (const System& system : scene.getSystems()) {
        KW::effect::System copy;
        copy.name = system.name;
        for (const Group& group : system.groups) {
            KW::effect::Group groupCopy;
            groupCopy.name = group.name;
            for (const Emitter& emitter : group.emitters) {
                groupCopy.emitters.push_back(KW::effect::fromRuntime(emitter.values));
            }
            copy.groups.push_back(groupCopy);
        }
        written.appendSystem(copy);
    }
    return KW::effect::writeEffect(written, encoding);
}

bool readScene(const std::string& text, Scene& scene, std::string& error, TextEncoding encoding) {
    std::vector<SystemDesc> systems;
    if (!detail::readSystems(text, encoding, systems, error)) {
        return false;
    }
    Scene loaded;
    loaded.raiseNextId(scene.getNextId());
    for (std::size_t s = 0; s < systems.size(); ++s) {
        // The reader refuses more elements than a scene holds; this cannot fail for what it accepts.
        if (loaded.appendSystem(systems[s]) == kNoElement) {
            error = "systems[" + std::to_string(s) + "]: more than " + std::to_string(detail::kMaxElements) +
                    " systems, groups and emitters";
            return false;
        }
    }
    scene = loaded;
    return true;
}

} // namespace editor
} // namespace pelmora
