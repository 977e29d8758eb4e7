// The Direct3D 11 back-end draws the examples as pelmora-render does: off-screen at 1 s, compared with the
// raster's frame of the same time and seed.
#include <pelmora/D3D11.h>

#include "Flipbook.h"
#include "ImageFile.h"

#include <d3d11.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kSize = 256;

template <typename T> struct Released {
    T* object = nullptr;
    ~Released() {
        if (object) {
            object->Release();
        }
    }
};

// The frame read back, as 0x00RRGGBB per pixel, top row first.
std::vector<std::uint32_t> renderWithDevice(ID3D11Device* device, ID3D11DeviceContext* context,
                                            pelmora::d3d11::Renderer& renderer,
                                            const pelmora::Geometry& geometry) {
    D3D11_TEXTURE2D_DESC desc = {};
    desc.Width = desc.Height = kSize;
    desc.MipLevels = desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc.Count = 1;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_RENDER_TARGET;
    Released<ID3D11Texture2D> target, staging;
    Released<ID3D11RenderTargetView> view;
    EXPECT_TRUE(SUCCEEDED(device->CreateTexture2D(&desc, nullptr, &target.object)));
    EXPECT_TRUE(SUCCEEDED(device->CreateRenderTargetView(target.object, nullptr, &view.object)));
    desc.Usage = D3D11_USAGE_STAGING;
    desc.BindFlags = 0;
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    EXPECT_TRUE(SUCCEEDED(device->CreateTexture2D(&desc, nullptr, &staging.object)));
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    context->ClearRenderTargetView(view.object, black);
    context->OMSetRenderTargets(1, &view.object, nullptr);
    renderer.draw(context, geometry, pelmora::d3d11::View{0.0f, 80.0f, 1.0f, kSize, kSize});
    context->CopyResource(staging.object, target.object);
    std::vector<std::uint32_t> pixels(kSize * kSize);
    D3D11_MAPPED_SUBRESOURCE mapped;
    EXPECT_TRUE(SUCCEEDED(context->Map(staging.object, 0, D3D11_MAP_READ, 0, &mapped)));
    for (int y = 0; y < kSize; ++y) {
        const std::uint8_t* row = static_cast<const std::uint8_t*>(mapped.pData) + y * mapped.RowPitch;
        for (int x = 0; x < kSize; ++x) {
            const std::uint8_t* p = row + 4 * x;
            pixels[y * kSize + x] = (p[0] << 16) | (p[1] << 8) | p[2];
        }
    }
    context->Unmap(staging.object, 0);
    return pixels;
}

} // namespace

TEST(D3D11Renderer, DrawsTheExamplesAsTheRasterDoes) {
    Released<ID3D11Device> device;
    Released<ID3D11DeviceContext> context;
    HRESULT made = D3D11CreateDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, nullptr, 0,
                                     D3D11_SDK_VERSION, &device.object, nullptr, &context.object);
    if (FAILED(made)) {
        made = D3D11CreateDevice(nullptr, D3D_DRIVER_TYPE_WARP, nullptr, 0, nullptr, 0, D3D11_SDK_VERSION,
                                 &device.object, nullptr, &context.object);
    }
    ASSERT_TRUE(SUCCEEDED(made)) << std::hex << made;
    std::string error;
    std::unique_ptr<pelmora::d3d11::Renderer> renderer =
        pelmora::d3d11::Renderer::create(device.object, &error);
    ASSERT_TRUE(renderer) << error;
    EXPECT_FALSE(renderer->setTexture(0, nullptr, 4, 4));
    EXPECT_FALSE(pelmora::d3d11::Renderer::create(nullptr, &error));

    for (const char* name : {"fire.kwfx", "sparks.kwfx", "campfire.kwfx"}) {
        const pelmora::LoadResult effect = pelmora::Effect::load(std::string(KW_EXAMPLES) + "/" + name);
        ASSERT_TRUE(effect) << effect.error();
        std::vector<pelmora::Image> textures;
        ASSERT_TRUE(pelmora::loadTextures(*effect, textures, error)) << error;
        for (std::size_t i = 0; i < textures.size(); ++i) {
            ASSERT_TRUE(renderer->setTexture(static_cast<int>(i), textures[i].rgba.data(), textures[i].width,
                                             textures[i].height));
        }
        pelmora::Instance instance(*effect, 1);
        instance.update(1.0);
        pelmora::Canvas canvas(kSize, kSize);
        canvas.clear(0x000000);
        pelmora::drawParticles(canvas, instance.particles(), pelmora::View{128.0f, 208.0f, 1.0f}, textures);
        pelmora::Geometry geometry;
        instance.appendGeometry(geometry);
        const std::vector<std::uint32_t> drawn =
            renderWithDevice(device.object, context.object, *renderer, geometry);

        long long total = 0;
        int close = 0, litBefore = 0, litAfter = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                int worst = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    const int difference = std::abs(static_cast<int>((canvas.pixel(x, y) >> shift) & 255) -
                                                    static_cast<int>((drawn[y * kSize + x] >> shift) & 255));
                    total += difference;
                    worst = std::max(worst, difference);
                }
                close += worst <= 16;
                litBefore += canvas.pixel(x, y) != 0;
                litAfter += drawn[y * kSize + x] != 0;
            }
        }
        const double mean = static_cast<double>(total) / (3.0 * kSize * kSize);
        const double within = 100.0 * close / (kSize * kSize);
        std::printf("%s: mean difference %.2f levels, %.2f %% of pixels within 16 levels\n", name, mean,
                    within);
        EXPECT_GT(litBefore, 1000) << name; // the comparison is of drawn frames
        EXPECT_GT(litAfter, litBefore * 9 / 10) << name;
        EXPECT_LE(mean, 3.0) << name;
        EXPECT_GE(within, 98.0) << name;
    }
}
