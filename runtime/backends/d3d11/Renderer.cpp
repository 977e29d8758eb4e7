#include <pelmora/D3D11.h>

#include <d3d11.h>
#include <d3dcompiler.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <vector>

namespace pelmora {
namespace d3d11 {

namespace {

const char kShaders[] = R"(
cbuffer ViewConstants : register(b0) { float2 center; float2 scale; };
struct Corner { float2 position : POSITION; float2 uv : TEXCOORD0; float4 color : COLOR0; };
struct Pixel { float4 position : SV_Position; float2 uv : TEXCOORD0; float4 color : COLOR0; };
Pixel vertexMain(Corner corner) {
    Pixel pixel;
    pixel.position = float4((corner.position - center) * scale, 0.0, 1.0);
    pixel.uv = corner.uv;
    pixel.color = corner.color;
    return pixel;
}
Texture2D image : register(t0);
SamplerState sampling : register(s0);
float4 pixelMain(Pixel pixel) : SV_Target { return image.Sample(sampling, pixel.uv) * pixel.color; }
)";

// The round sprite's size: large enough that its edge stays sharp at common particle sizes.
const int kRoundSize = 128;

template <typename T> void release(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

struct Texture {
    ID3D11ShaderResourceView* view = nullptr;
};

} // namespace

struct Renderer::Parts {
    ID3D11Device* device = nullptr;
    ID3D11VertexShader* vertexShader = nullptr;
    ID3D11PixelShader* pixelShader = nullptr;
    ID3D11InputLayout* layout = nullptr;
    ID3D11Buffer* constants = nullptr;
    ID3D11Buffer* vertices = nullptr;
    ID3D11Buffer* indices = nullptr;
    UINT vertexCapacity = 0;
    UINT indexCapacity = 0;
    ID3D11BlendState* blends[2] = {nullptr, nullptr};
    ID3D11RasterizerState* rasterizer = nullptr;
    ID3D11SamplerState* sampler = nullptr;
    ID3D11ShaderResourceView* round = nullptr;
    std::map<int, Texture> textures;

    ~Parts() {
        for (auto& entry : textures) {
            release(entry.second.view);
        }
        release(round);
        release(sampler);
        release(rasterizer);
        release(blends[0]);
        release(blends[1]);
        release(indices);
        release(vertices);
        release(constants);
        release(layout);
        release(pixelShader);
        release(vertexShader);
        release(device);
    }

    ID3D11ShaderResourceView* makeTexture(const std::uint8_t* rgba, int width, int height) {
        D3D11_TEXTURE2D_DESC desc = {};
        desc.Width = static_cast<UINT>(width);
        desc.Height = static_cast<UINT>(height);
        desc.MipLevels = 1;
        desc.ArraySize = 1;
        desc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
        desc.SampleDesc.Count = 1;
        desc.Usage = D3D11_USAGE_IMMUTABLE;
        desc.BindFlags = D3D11_BIND_SHADER_RESOURCE;
        D3D11_SUBRESOURCE_DATA data = {};
        data.pSysMem = rgba;
        data.SysMemPitch = static_cast<UINT>(width) * 4;
        ID3D11Texture2D* texture = nullptr;
        if (FAILED(device->CreateTexture2D(&desc, &data, &texture))) {
            return nullptr;
        }
        ID3D11ShaderResourceView* view = nullptr;
        const HRESULT made = device->CreateShaderResourceView(texture, nullptr, &view);
        texture->Release();
        return SUCCEEDED(made) ? view : nullptr;
    }

    // A dynamic buffer holding at least bytes; false when the device refuses.
    bool reserve(ID3D11Buffer*& buffer, UINT& capacity, UINT bytes, UINT bind) {
        if (buffer && capacity >= bytes) {
            return true;
        }
        release(buffer);
        capacity = 0;
        D3D11_BUFFER_DESC desc = {};
        desc.ByteWidth = std::max<UINT>(bytes, 64 * 1024);
        desc.Usage = D3D11_USAGE_DYNAMIC;
        desc.BindFlags = bind;
        desc.CPUAccessFlags = D3D11_CPU_ACCESS_WRITE;
        if (FAILED(device->CreateBuffer(&desc, nullptr, &buffer))) {
            return false;
        }
        capacity = desc.ByteWidth;
        return true;
    }
};

namespace {

ID3DBlob* compile(const char* entry, const char* target, std::string* error) {
    ID3DBlob* code = nullptr;
    ID3DBlob* messages = nullptr;
    const HRESULT result = D3DCompile(kShaders, sizeof(kShaders) - 1, "pelmora", nullptr, nullptr, entry,
                                      target, D3DCOMPILE_OPTIMIZATION_LEVEL3, 0, &code, &messages);
    if (FAILED(result) && error) {
        *error = std::string("the shaders do not compile: ") +
                 (messages ? static_cast<const char*>(messages->GetBufferPointer()) : "no message");
    }
    release(messages);
    return SUCCEEDED(result) ? code : nullptr;
}

ID3D11BlendState* blendState(ID3D11Device* device, Blend blend) {
    // Straight alpha: the colour weighted by its opacity, over (alpha) or added to (additive) the target.
    D3D11_BLEND_DESC desc = {};
    D3D11_RENDER_TARGET_BLEND_DESC& target = desc.RenderTarget[0];
    target.BlendEnable = TRUE;
    target.SrcBlend = D3D11_BLEND_SRC_ALPHA;
    target.DestBlend = blend == Blend::Alpha ? D3D11_BLEND_INV_SRC_ALPHA : D3D11_BLEND_ONE;
    target.BlendOp = D3D11_BLEND_OP_ADD;
    target.SrcBlendAlpha = D3D11_BLEND_ONE;
    target.DestBlendAlpha = D3D11_BLEND_INV_SRC_ALPHA;
    target.BlendOpAlpha = D3D11_BLEND_OP_ADD;
    target.RenderTargetWriteMask = D3D11_COLOR_WRITE_ENABLE_ALL;
    ID3D11BlendState* state = nullptr;
    return SUCCEEDED(device->CreateBlendState(&desc, &state)) ? state : nullptr;
}

} // namespace

Renderer::Renderer(std::unique_ptr<Parts> made) : parts(std::move(made)) {}

Renderer::~Renderer() = default;

std::unique_ptr<Renderer> Renderer::create(ID3D11Device* device, std::string* error) {
    if (!device) {
        if (error) {
            *error = "no device";
        }
        return nullptr;
    }
    if (device->GetFeatureLevel() < D3D_FEATURE_LEVEL_10_0) {
        if (error) {
            *error = "the device's feature level is below 10.0";
        }
        return nullptr;
    }
    std::unique_ptr<Parts> parts(new Parts);
    device->AddRef();
    parts->device = device;
    ID3DBlob* vertexCode = compile("vertexMain", "vs_4_0", error);
    ID3DBlob* pixelCode = vertexCode ? compile("pixelMain", "ps_4_0", error) : nullptr;
    if (!vertexCode || !pixelCode) {
        release(vertexCode);
        return nullptr;
    }
    const D3D11_INPUT_ELEMENT_DESC elements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32_FLOAT, 0, offsetof(Vertex, x), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, offsetof(Vertex, u), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 0, DXGI_FORMAT_R8G8B8A8_UNORM, 0, offsetof(Vertex, color), D3D11_INPUT_PER_VERTEX_DATA, 0},
    };
    bool ok =
        SUCCEEDED(device->CreateVertexShader(vertexCode->GetBufferPointer(), vertexCode->GetBufferSize(),
                                             nullptr, &parts->vertexShader)) &&
        SUCCEEDED(device->CreatePixelShader(pixelCode->GetBufferPointer(), pixelCode->GetBufferSize(),
                                            nullptr, &parts->pixelShader)) &&
        SUCCEEDED(device->CreateInputLayout(elements, 3, vertexCode->GetBufferPointer(),
                                            vertexCode->GetBufferSize(), &parts->layout));
    release(vertexCode);
    release(pixelCode);
    D3D11_BUFFER_DESC constants = {};
    constants.ByteWidth = 16;
    constants.Usage = D3D11_USAGE_DYNAMIC;
    constants.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
    constants.CPUAccessFlags = D3D11_CPU_ACCESS_WRITE;
    ok = ok && SUCCEEDED(device->CreateBuffer(&constants, nullptr, &parts->constants));
    parts->blends[0] = blendState(device, Blend::Alpha);
    parts->blends[1] = blendState(device, Blend::Additive);
    D3D11_RASTERIZER_DESC raster = {};
    raster.FillMode = D3D11_FILL_SOLID;
    raster.CullMode = D3D11_CULL_NONE;
    raster.DepthClipEnable = TRUE;
    D3D11_SAMPLER_DESC sampler = {};
    sampler.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
    sampler.AddressU = sampler.AddressV = sampler.AddressW = D3D11_TEXTURE_ADDRESS_CLAMP;
    sampler.MaxLOD = D3D11_FLOAT32_MAX;
    const std::vector<std::uint8_t> round = roundSprite(kRoundSize);
    parts->round = parts->makeTexture(round.data(), kRoundSize, kRoundSize);
    ok = ok && parts->blends[0] && parts->blends[1] && parts->round &&
         SUCCEEDED(device->CreateRasterizerState(&raster, &parts->rasterizer)) &&
         SUCCEEDED(device->CreateSamplerState(&sampler, &parts->sampler));
    if (!ok) {
        if (error && error->empty()) {
            *error = "the device refused the renderer's shaders, states or buffers";
        }
        return nullptr;
    }
    return std::unique_ptr<Renderer>(new Renderer(std::move(parts)));
}

bool Renderer::setTexture(int index, const std::uint8_t* rgba, int width, int height) {
    if (!rgba || index < 0 || width < 1 || height < 1 || width > D3D11_REQ_TEXTURE2D_U_OR_V_DIMENSION ||
        height > D3D11_REQ_TEXTURE2D_U_OR_V_DIMENSION) {
        return false;
    }
    ID3D11ShaderResourceView* view = parts->makeTexture(rgba, width, height);
    if (!view) {
        return false;
    }
    Texture& texture = parts->textures[index];
    release(texture.view);
    texture.view = view;
    return true;
}

void Renderer::draw(ID3D11DeviceContext* context, const Geometry& geometry, const View& view) {
    if (!context || geometry.draws.empty() || view.width < 1 || view.height < 1) {
        return;
    }
    const UINT vertexBytes = static_cast<UINT>(geometry.vertices.size() * sizeof(Vertex));
    const UINT indexBytes = static_cast<UINT>(geometry.indices.size() * sizeof(std::uint32_t));
    if (!parts->reserve(parts->vertices, parts->vertexCapacity, vertexBytes, D3D11_BIND_VERTEX_BUFFER) ||
        !parts->reserve(parts->indices, parts->indexCapacity, indexBytes, D3D11_BIND_INDEX_BUFFER)) {
        return;
    }
    D3D11_MAPPED_SUBRESOURCE mapped;
    if (FAILED(context->Map(parts->vertices, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) {
        return;
    }
    std::memcpy(mapped.pData, geometry.vertices.data(), vertexBytes);
    context->Unmap(parts->vertices, 0);
    if (FAILED(context->Map(parts->indices, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) {
        return;
    }
    std::memcpy(mapped.pData, geometry.indices.data(), indexBytes);
    context->Unmap(parts->indices, 0);
    // Effect units to clip space: y grows upwards in both.
    const float constants[4] = {view.centerX, view.centerY,
                                2.0f * view.pixelsPerUnit / static_cast<float>(view.width),
                                2.0f * view.pixelsPerUnit / static_cast<float>(view.height)};
    if (FAILED(context->Map(parts->constants, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) {
        return;
    }
    std::memcpy(mapped.pData, constants, sizeof(constants));
    context->Unmap(parts->constants, 0);

    D3D11_VIEWPORT viewport = {0.0f, 0.0f, static_cast<float>(view.width), static_cast<float>(view.height),
                               0.0f, 1.0f};
    context->RSSetViewports(1, &viewport);
    context->RSSetState(parts->rasterizer);
    const UINT stride = sizeof(Vertex);
    const UINT offset = 0;
    context->IASetVertexBuffers(0, 1, &parts->vertices, &stride, &offset);
    context->IASetIndexBuffer(parts->indices, DXGI_FORMAT_R32_UINT, 0);
    context->IASetInputLayout(parts->layout);
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    context->VSSetShader(parts->vertexShader, nullptr, 0);
    context->VSSetConstantBuffers(0, 1, &parts->constants);
    context->PSSetShader(parts->pixelShader, nullptr, 0);
    context->PSSetSamplers(0, 1, &parts->sampler);
    const float factor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    for (const DrawCall& call : geometry.draws) {
        const auto found = parts->textures.find(call.texture);
        ID3D11ShaderResourceView* texture =
            found != parts->textures.end() ? found->second.view : parts->round;
        context->PSSetShaderResources(0, 1, &texture);
        context->OMSetBlendState(parts->blends[call.blend == Blend::Alpha ? 0 : 1], factor, 0xFFFFFFFF);
        context->DrawIndexed(call.indexCount, call.firstIndex, 0);
    }
}

} // namespace d3d11
} // namespace pelmora
