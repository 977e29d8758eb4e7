#include "logic/SceneText.h"

#include <pelmora/Limits.h>

namespace pelmora {
namespace editor {

std::string writeScene(const Scene& scene, TextEncoding encoding) {
    const LoadResult made = Effect::make(scene.describe());
    return made ? made->toJson(encoding) : std::string();
}

bool readScene(const std::string& text, Scene& scene, std::string& error, TextEncoding encoding) {
    const LoadResult read = Effect::parse(text, encoding);
    if (!read) {
        error = read.error();
        return false;
    }
    return sceneFromSystems(read->systems(), scene, error);
}

bool sceneFromSystems(const std::vector<SystemDesc>& systems, Scene& scene, std::string& error) {
    Scene loaded;
    loaded.raiseNextId(scene.getNextId());
    for (std::size_t s = 0; s < systems.size(); ++s) {
        // The reader refuses more elements than a scene holds; this cannot fail for what it accepts.
        if (loaded.appendSystem(systems[s]) == kNoElement) {
            error = "systems[" + std::to_string(s) + "]: more than " + std::to_string(kMaxElements) +
                    " systems, groups and emitters";
            return false;
        }
    }
    scene = loaded;
    return true;
}

} // namespace editor
} // namespace pelmora
