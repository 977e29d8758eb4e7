#include "Check.h"
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

Effect::Effect() {}

void Effect::index(const std::string& textureFolder) {
    emitters.clear();
    emitterTexture.clear();
    textures.clear();
    for (const SystemDesc& system : systemList) {
        for (const GroupDesc& group : system.groups) {
            for (const EmitterDesc& emitter : group.emitters) {
                emitters.push_back(emitter);
                if (emitter.texture.empty()) {
                    emitterTexture.push_back(-1);
                    continue;
                }
                const std::string path =
                    isAbsolute(emitter.texture) ? emitter.texture : textureFolder + emitter.texture;
                std::size_t found = 0;
                while (found < textures.size() && textures[found] != path) {
                    ++found;
                }
                if (found == textures.size()) {
                    textures.push_back(path);
                }
                emitterTexture.push_back(static_cast<int>(found));
            }
        }
    }
}

LoadResult Effect::make(const std::vector<SystemDesc>& systems, const std::string& textureFolder) {
    LoadResult result;
    const detail::Problem problem = detail::checkSystems(systems);
    if (!problem.ok()) {
        result.message = problem.field + ": " + problem.message;
        return result;
    }
    result.effect.systemList = systems;
    const bool separated =
        textureFolder.empty() || textureFolder.back() == '/' || textureFolder.back() == '\\';
    result.effect.index(separated ? textureFolder : textureFolder + "/");
    result.ok = true;
    return result;
}

LoadResult Effect::parse(const std::string& json) {
    return parse(json, TextEncoding::Utf8);
}

LoadResult Effect::parse(const std::string& json, TextEncoding encoding) {
    LoadResult result;
    if (detail::readSystems(json, encoding, result.effect.systemList, result.message)) {
        result.effect.index("");
        result.ok = true;
    }
    return result;
}

std::string Effect::toJson() const {
    return toJson(TextEncoding::Utf8);
}

std::string Effect::toJson(TextEncoding encoding) const {
    return detail::writeSystems(systemList, encoding);
}

LoadResult Effect::load(const std::string& path) {
    return load(path, TextEncoding::Utf8);
}

LoadResult Effect::load(const std::string& path, TextEncoding encoding) {
    std::string text;
    LoadResult result;
    if (!detail::readFileText(path, text, result.message)) {
        result.message = path + ": " + result.message;
        return result;
    }
    result = parse(text, encoding);
    if (result.ok) {
        result.effect.index(folderOf(path));
    } else {
        result.message = path + ": " + result.message;
    }
    return result;
}

} // namespace pelmora
