// The preview's textures: read from files as the effect names them, once per resolved path.
#include "Preview.h"

#include "logic/FilePaths.h"

#include <algorithm>

namespace pelmora {

void Preview::setTextureFolder(const std::string& folder) {
    textureFolder = folder;
    // Files may have changed since they were read: an effect opened reads its textures afresh.
    textureCache.clear();
    texturesInUse.clear();
    loadTextures(false);
}

// The effect's textures (sub-emitters' included) in its texturePaths() order, which the particles index;
// a path that changes is read when first met.
void Preview::loadTextures(bool retryFailed) {
    std::vector<std::string> used;
    std::vector<std::string> failed;
    for (const std::string& name : playback.effect().texturePaths()) {
        const std::string path = resolvedTexturePath(name);
        auto cached = textureCache.find(path);
        if (cached == textureCache.end() || (retryFailed && cached->second.image.width == 0)) {
            LoadedTexture loaded;
            if (!loadImage(path, loaded.image, loaded.error)) {
                loaded.image = Image();
            }
            cached = textureCache.insert_or_assign(path, std::move(loaded)).first;
        }
        if (cached->second.image.width == 0 &&
            std::find(failed.begin(), failed.end(), fileNameOf(name)) == failed.end()) {
            failed.push_back(fileNameOf(name));
        }
        used.push_back(path);
    }
    missing.swap(failed);
    if (used != texturesInUse || retryFailed) {
        texturesInUse.swap(used);
        textures.clear();
        for (const std::string& path : texturesInUse) {
            textures.push_back(textureCache[path].image);
        }
    }
    if (textureListener) {
        textureListener();
    }
}

std::string Preview::resolvedTexturePath(const std::string& name) const {
    return isAbsolutePath(name) || textureFolder.empty() ? name : textureFolder + "\\" + name;
}

std::string Preview::textureState(const std::string& name) const {
    if (name.empty()) {
        return "none, drawn round";
    }
    const auto cached = textureCache.find(resolvedTexturePath(name));
    if (cached == textureCache.end()) {
        return std::string();
    }
    const Image& image = cached->second.image;
    if (image.width == 0) {
        return "missing: " + cached->second.error + ", drawn round";
    }
    return std::to_string(image.width) + " x " + std::to_string(image.height) + " texels";
}

} // namespace pelmora
