#include "Check.h"
#include "EffectData.h"
#include "Reader.h"

#include <pelmora/Runtime.h>

namespace pelmora {

const char* const Effect::kFormat = "pelmora-effect";
const int Effect::kVersion;
const std::size_t Effect::kMaxFileBytes;

namespace {

bool isAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

// The folder part of a path, with its separator; empty for a bare file name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

namespace detail {

const std::shared_ptr<const EffectData>& emptyEffectData() {
    static const std::shared_ptr<const EffectData> empty = std::make_shared<EffectData>();
    return empty;
}

} // namespace detail

Effect::Effect() : data(detail::emptyEffectData()) {}

const std::vector<SystemDesc>& Effect::systems() const {
    return data->systems;
}

const std::vector<std::string>& Effect::texturePaths() const {
    return data->textures;
}

std::size_t Effect::emitterCount() const {
    return data->emitters.size();
}

namespace {

// Sub-emitters after their top-level emitters, depth first, as the engine numbers their sources.
void addSubEmitters(const EmitterDesc& emitter, std::vector<const EmitterDesc*>& out) {
    for (const SubEmitter& sub : emitter.subEmitters) {
        out.push_back(&sub.emitter);
        addSubEmitters(sub.emitter, out);
    }
}

} // namespace

void Effect::assign(std::vector<SystemDesc> systems, const std::string& textureFolder, const Effect* base,
                    const std::vector<int>& reused) {
    std::shared_ptr<detail::EffectData> built = std::make_shared<detail::EffectData>();
    built->systems = std::move(systems);
    std::vector<const EmitterDesc*> drawn;
    for (const SystemDesc& system : built->systems) {
        for (const GroupDesc& group : system.groups) {
            for (const EmitterDesc& emitter : group.emitters) {
                const std::size_t index = drawn.size();
                const int old = base && index < reused.size() ? reused[index] : -1;
                if (old >= 0) {
                    built->emitters.push_back(base->data->emitters[static_cast<std::size_t>(old)]);
                } else {
                    built->emitters.push_back(detail::Engine::compile(emitter));
                }
                drawn.push_back(&emitter);
            }
        }
    }
    const std::size_t topLevel = drawn.size();
    for (std::size_t i = 0; i < topLevel; ++i) {
        addSubEmitters(*drawn[i], drawn);
    }
    for (const EmitterDesc* emitter : drawn) {
        if (emitter->texture.empty()) {
            built->emitterTexture.push_back(-1);
            continue;
        }
        const std::string path =
            isAbsolute(emitter->texture) ? emitter->texture : textureFolder + emitter->texture;
        std::vector<std::string>& textures = built->textures;
        std::size_t found = 0;
        while (found < textures.size() && textures[found] != path) {
            ++found;
        }
        if (found == textures.size()) {
            textures.push_back(path);
        }
        built->emitterTexture.push_back(static_cast<int>(found));
    }
    data = built;
}

LoadResult Effect::make(const std::vector<SystemDesc>& systems, const std::string& textureFolder) {
    return Effect().remake(systems, std::vector<int>(), textureFolder);
}

LoadResult Effect::remake(const std::vector<SystemDesc>& systems, const std::vector<int>& previous,
                          const std::string& textureFolder) const {
    // The emitters that an edit left as they were keep what they compiled, and were checked before.
    std::vector<int> reused;
    std::vector<bool> known;
    for (const SystemDesc& system : systems) {
        for (const GroupDesc& group : system.groups) {
            for (const EmitterDesc& emitter : group.emitters) {
                const std::size_t index = reused.size();
                const int old = index < previous.size() ? previous[index] : -1;
                const bool same = old >= 0 && static_cast<std::size_t>(old) < data->emitters.size() &&
                                  data->emitters[static_cast<std::size_t>(old)]->values == emitter;
                reused.push_back(same ? old : -1);
                known.push_back(same);
            }
        }
    }
    LoadResult result;
    const detail::Problem problem = detail::checkSystemsExcept(systems, known);
    if (!problem.ok()) {
        result.message = problem.field + ": " + problem.message;
        return result;
    }
    const bool separated =
        textureFolder.empty() || textureFolder.back() == '/' || textureFolder.back() == '\\';
    result.effect.assign(systems, separated ? textureFolder : textureFolder + "/", this, reused);
    result.ok = true;
    return result;
}

LoadResult Effect::parse(const std::string& json) {
    return parse(json, TextEncoding::Utf8);
}

LoadResult Effect::parse(const std::string& json, TextEncoding encoding) {
    LoadResult result;
    std::vector<SystemDesc> systems;
    if (detail::readSystems(json, encoding, systems, result.message)) {
        result.effect.assign(std::move(systems), "");
        result.ok = true;
    }
    return result;
}

std::string Effect::toJson() const {
    return toJson(TextEncoding::Utf8);
}

std::string Effect::toJson(TextEncoding encoding) const {
    return detail::writeSystems(data->systems, encoding);
}

LoadResult Effect::load(const std::string& path) {
    return load(path, TextEncoding::Utf8);
}

LoadResult Effect::load(const std::string& path, TextEncoding encoding) {
    std::string text;
    std::vector<SystemDesc> systems;
    LoadResult result;
    if (!detail::readFileText(path, text, result.message) ||
        !detail::readSystems(text, encoding, systems, result.message)) {
        result.message = path + ": " + result.message;
        return result;
    }
    result.effect.assign(std::move(systems), folderOf(path));
    result.ok = true;
    return result;
}

} // namespace pelmora
