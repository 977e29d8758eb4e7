#ifndef PELMORA_PREVIEW_RASTER_H
#define PELMORA_PREVIEW_RASTER_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelmora {

// One particle as the preview draws it: centre and diameter in pixels, colour 0..255 with opacity.
struct Sprite {
    float x;
    float y;
    float size;
    int r;
    int g;
    int b;
    int a;
};

enum class Blend { Alpha, Additive };

// A 32-bit pixel buffer, top row first, each pixel 0x00RRGGBB: the layout of a top-down 32-bit device
// independent bitmap, so it reaches the screen in one copy. Particles are round and drawn with either
// blend; everything outside the buffer is clipped.
class Canvas {
public:
    Canvas(int width, int height);
    void resize(int width, int height);
    void clear(std::uint32_t rgb);
    void draw(const Sprite& sprite, Blend blend);

    int width() const { return columns; }
    int height() const { return rows; }
    std::uint32_t pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * columns + x]; }
    const std::uint32_t* data() const { return pixels.data(); }

private:
    int columns;
    int rows;
    std::vector<std::uint32_t> pixels;
};

} // namespace pelmora

#endif
