#ifndef PELMORA_RASTER_H
#define PELMORA_RASTER_H

#include <pelmora/Runtime.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Particles drawn into a pixel buffer without any window system: the editor's preview shows the buffer,
// pelmora-render and the editor's flipbook export write it to PNG files.
namespace pelmora {

// One particle as the raster draws it: centre and diameter in pixels, colour 0..255 with opacity, and the
// turn of a textured particle in radians, counter-clockwise as seen on the screen.
struct Sprite {
    float x;
    float y;
    float size;
    int r;
    int g;
    int b;
    int a;
    float rotation = 0.0f;
};

// The part of a texture a particle shows: frame `frame` of a `columns` x `rows` grid of equal cells, read
// left to right, then top to bottom. A frame outside the grid shows the nearest one (0 or the last).
struct TextureFrame {
    int frame = 0;
    int columns = 1;
    int rows = 1;
};

// A triangle's corner as the raster draws it: position in pixels, texture coordinates 0..1 over the whole
// texture (v = 0 at its top row), colour and opacity 0..255.
struct Corner {
    float x;
    float y;
    float u;
    float v;
    int r;
    int g;
    int b;
    int a;
};

// How texels meet pixels: the nearest texel (crisp pixel art) or a mix of the four nearest (smooth).
enum class Sampling { Nearest, Bilinear };

// An image as files hold it: rows top first, 4 bytes a pixel (red, green, blue, straight alpha).
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// A 32-bit pixel buffer, top row first, each pixel 0xAARRGGBB with the colour premultiplied by the
// opacity: the layout of a top-down 32-bit device independent bitmap (which ignores the top byte), so it
// reaches the screen in one copy. Particles are round, or a texture tinted by their colour, drawn with
// either blend; everything outside the buffer is clipped.
class Canvas {
public:
    Canvas(int width, int height);
    void resize(int width, int height);
    // An opaque background.
    void clear(std::uint32_t rgb);
    // Transparent black.
    void clearTransparent();
    void draw(const Sprite& sprite, Blend blend);
    // The texture's frame scaled onto the sprite's square turned by its rotation, each texel tinted
    // (multiplied) by the sprite's colour and opacity. Nothing is drawn for an empty texture.
    void draw(const Sprite& sprite, const Image& texture, Blend blend,
              const TextureFrame& frame = TextureFrame(), Sampling sampling = Sampling::Nearest);
    // A triangle with its corners' texture coordinates and colours mixed across it, each texel tinted by the
    // mixed colour. Without a texture the triangle shows the part of the disc inscribed in the texture's
    // square (u, v within 0.5 of the middle). Pixels on an edge two triangles share are drawn by one of them.
    void draw(const Corner (&corners)[3], const Image* texture, Blend blend,
              Sampling sampling = Sampling::Nearest);
    // A rectangle of one colour mixed over the pixels by the opacity 0..255, clipped (grids and markers).
    void fill(int x, int y, int width, int height, std::uint32_t rgb, int alpha);

    int width() const { return columns; }
    int height() const { return rows; }
    // The colour 0x00RRGGBB (premultiplied) and the opacity 0..255.
    std::uint32_t pixel(int x, int y) const { return pixels[index(x, y)] & 0xFFFFFF; }
    int alpha(int x, int y) const { return static_cast<int>(pixels[index(x, y)] >> 24); }
    const std::uint32_t* data() const { return pixels.data(); }
    // The pixels with straight alpha, as image files keep them.
    Image toImage() const;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * columns + x; }

    int columns;
    int rows;
    std::vector<std::uint32_t> pixels;
};

} // namespace pelmora

#endif
