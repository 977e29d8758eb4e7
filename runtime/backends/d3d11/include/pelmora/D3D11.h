#ifndef PELMORA_D3D11_H
#define PELMORA_D3D11_H

/// @file D3D11.h
/// Effects drawn with Direct3D 11: the runtime's geometry on the program's device, looking as the CPU
/// raster draws it. Windows only; link Pelmora::D3D11.

#include <pelmora/Runtime.h>

#include <cstdint>
#include <memory>
#include <string>

struct ID3D11Device;
struct ID3D11DeviceContext;

namespace pelmora {
/// The Direct3D 11 back-end.
namespace d3d11 {

/// Where effect units land in the viewport.
struct View {
    float centerX;       ///< the effect-unit point at the viewport's centre
    float centerY;       ///< the effect-unit point at the viewport's centre (y growing upwards)
    float pixelsPerUnit; ///< scale
    int width;           ///< the viewport's width in pixels
    int height;          ///< the viewport's height in pixels
};

/// Draws geometry with its own shaders, buffers, blend states and textures on a device it is given.
class Renderer {
public:
    /// A renderer for the device, its shaders compiled; null with the reason in error (when given) when
    /// the device cannot be used.
    static std::unique_ptr<Renderer> create(ID3D11Device* device, std::string* error);
    ~Renderer();
    /// No copies: it owns device objects.
    Renderer(const Renderer&) = delete;
    /// No copies.
    Renderer& operator=(const Renderer&) = delete;

    /// The texture that draw calls with this index show (an index of Effect::texturePaths()), from pixels
    /// the program decoded: rows top first, 4 bytes each (red, green, blue, straight alpha). False for a
    /// null pointer, a negative index or a size below 1, or when the device refuses it.
    bool setTexture(int index, const std::uint8_t* rgba, int width, int height);
    /// Draws the geometry into the render target bound on the context, in its draw calls' order, and
    /// sets the viewport to the view's size. Draw calls whose texture was never set draw round sprites.
    void draw(ID3D11DeviceContext* context, const Geometry& geometry, const View& view);

private:
    struct Parts;
    explicit Renderer(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts;
};

} // namespace d3d11
} // namespace pelmora

#endif
