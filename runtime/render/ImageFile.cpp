#include "ImageFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_FAILURE_USERMSG
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace pelmora {

namespace {

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

} // namespace

bool loadImage(const std::string& path, Image& image, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_file(file, &width, &height, &channels, 4);
    std::fclose(file);
    if (!pixels) {
        error = std::string("not an image this program reads (") + stbi_failure_reason() + ")";
        return false;
    }
    image.width = width;
    image.height = height;
    image.rgba.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 4);
    stbi_image_free(pixels);
    return true;
}

bool loadTextures(const Effect& effect, std::vector<Image>& textures, std::string& error) {
    textures.clear();
    for (const std::string& path : effect.texturePaths()) {
        Image image;
        std::string reason;
        if (!loadImage(path, image, reason)) {
            error = "texture " + path + ": " + reason;
            return false;
        }
        textures.push_back(std::move(image));
    }
    return true;
}

bool writePng(const std::string& path, const Image& image, std::string& error) {
    // Encoded in memory first, so a failed write is reported with the system's reason.
    std::string bytes;
    if (!stbi_write_png_to_func(appendBytes, &bytes, image.width, image.height, 4, image.rgba.data(),
                                image.width * 4)) {
        error = "the image cannot be encoded as PNG";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int reason = errno;
    if (std::fclose(file) != 0 || !written) {
        error = path + ": " + std::strerror(written ? errno : reason);
        return false;
    }
    return true;
}

bool writeSheet(const Effect& effect, const FlipbookSettings& settings, const std::string& path,
                std::string& error, const std::function<void(int frame)>& progress) {
    std::vector<Image> textures;
    return loadTextures(effect, textures, error) &&
           writePng(path, renderSheet(effect, settings, textures, progress), error);
}

} // namespace pelmora
