#ifndef PELMORA_IMAGE_FILE_H
#define PELMORA_IMAGE_FILE_H

#include "Flipbook.h"

#include <string>
#include <vector>

// Images to and from files: any format the decoder reads in (PNG, TGA, BMP, JPEG...), PNG out.
namespace pelmora {

// False with the reason when the file is missing or not an image the decoder reads.
bool loadImage(const std::string& path, Image& image, std::string& error);

// Every texture of the effect, in texturePaths() order; false with the path and reason at the first
// that cannot be read.
bool loadTextures(const Effect& effect, std::vector<Image>& textures, std::string& error);

// False with the reason when the file cannot be written.
bool writePng(const std::string& path, const Image& image, std::string& error);

// The effect's textures loaded, its flipbook rendered onto one sheet and written as PNG: what
// pelmora-render --sheet and the editor's export do. False with the reason at the first failure.
bool writeSheet(const Effect& effect, const FlipbookSettings& settings, const std::string& path,
                std::string& error, const std::function<void(int frame)>& progress = nullptr);

} // namespace pelmora

#endif
