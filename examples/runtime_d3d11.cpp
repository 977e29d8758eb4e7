// runtime_d3d11 [EFFECT.kwfx] [--watch] [--autoclose]: plays an effect with Direct3D 11. With --watch the
// effect is read again within half a second of each save and plays on from its time; a file that does not
// read keeps the last good effect playing, and the reader's message is printed.
#include <pelmora/D3D11.h>
#include <pelmora/Runtime.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <d3d11.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// A texture file as RGBA8, decoded by the Windows Imaging Component; empty when it cannot be read.
static std::vector<std::uint8_t> decode(const std::string& path, UINT& width, UINT& height) {
    std::vector<std::uint8_t> pixels;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    const std::wstring wide(path.begin(), path.end());
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr,
                                        0.0, WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&width, &height))) {
        pixels.resize(static_cast<std::size_t>(width) * height * 4);
        if (FAILED(
                converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()), pixels.data()))) {
            pixels.clear();
        }
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)}) {
        if (object) {
            object->Release();
        }
    }
    return pixels;
}

static void loadTextures(pelmora::d3d11::Renderer& renderer, const pelmora::Effect& effect) {
    for (std::size_t i = 0; i < effect.texturePaths().size(); ++i) {
        UINT width = 0, height = 0;
        const std::vector<std::uint8_t> pixels = decode(effect.texturePaths()[i], width, height);
        if (!renderer.setTexture(static_cast<int>(i), pixels.data(), static_cast<int>(width),
                                 static_cast<int>(height))) {
            std::printf("%s: cannot be read; drawn round\n", effect.texturePaths()[i].c_str());
        }
    }
}

static FILETIME writeTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

static LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

int main(int argc, char** argv) {
    std::string path = "campfire.kwfx";
    bool watch = false, autoclose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        watch = watch || argument == "--watch";
        autoclose = autoclose || argument == "--autoclose";
        if (argument.compare(0, 2, "--") != 0) {
            path = argument;
        }
    }
    pelmora::LoadResult effect = pelmora::Effect::load(path);
    if (!effect) {
        std::printf("%s\n", effect.error().c_str());
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "PelmoraD3D11Example";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowA("PelmoraD3D11Example", path.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                      CW_USEDEFAULT, 640, 480, nullptr, nullptr, windowClass.hInstance, nullptr);

    DXGI_SWAP_CHAIN_DESC chain = {};
    chain.BufferCount = 1;
    chain.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    chain.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    chain.OutputWindow = window;
    chain.SampleDesc.Count = 1;
    chain.Windowed = TRUE;
    IDXGISwapChain* swapChain = nullptr;
    ID3D11Device* device = nullptr;
    ID3D11DeviceContext* context = nullptr;
    if (FAILED(D3D11CreateDeviceAndSwapChain(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, nullptr, 0,
                                             D3D11_SDK_VERSION, &chain, &swapChain, &device, nullptr,
                                             &context))) {
        std::printf("no Direct3D 11 device\n");
        return 1;
    }
    std::string error;
    std::unique_ptr<pelmora::d3d11::Renderer> renderer = pelmora::d3d11::Renderer::create(device, &error);
    if (!renderer) {
        std::printf("%s\n", error.c_str());
        return 1;
    }
    loadTextures(*renderer, *effect);
    pelmora::Instance instance(*effect, 1);
    pelmora::Geometry geometry;
    FILETIME saved = writeTime(path);
    std::printf("playing %s%s\n", path.c_str(), watch ? ", reloaded when saved" : "");
    std::fflush(stdout);
    DWORD last = GetTickCount(), lastCheck = last, started = last;
    ID3D11RenderTargetView* target = nullptr;
    UINT width = 0, height = 0;
    for (MSG msg = {}; msg.message != WM_QUIT;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
            continue;
        }
        const DWORD now = GetTickCount();
        if (watch && now - lastCheck >= 200) { // a save reaches the screen within half a second
            lastCheck = now;
            const FILETIME changed = writeTime(path);
            if (CompareFileTime(&changed, &saved) != 0) {
                saved = changed;
                const pelmora::LoadResult edited = pelmora::Effect::load(path);
                if (edited && instance.reload(*edited)) {
                    effect = edited;
                    loadTextures(*renderer, *effect);
                    std::printf("reloaded at %.2f s\n", instance.time());
                } else {
                    std::printf("%s\n", edited ? "the effect has no emitters" : edited.error().c_str());
                }
                std::fflush(stdout);
            }
        }
        if (autoclose && now - started > 3000) {
            DestroyWindow(window);
        }
        instance.update((now - last) / 1000.0);
        last = now;
        RECT area;
        GetClientRect(window, &area);
        if (!target || width != static_cast<UINT>(area.right) || height != static_cast<UINT>(area.bottom)) {
            if (target) {
                target->Release();
            }
            width = static_cast<UINT>(std::max(1L, area.right));
            height = static_cast<UINT>(std::max(1L, area.bottom));
            swapChain->ResizeBuffers(1, width, height, DXGI_FORMAT_R8G8B8A8_UNORM, 0);
            ID3D11Texture2D* buffer = nullptr;
            swapChain->GetBuffer(0, IID_PPV_ARGS(&buffer));
            device->CreateRenderTargetView(buffer, nullptr, &target);
            buffer->Release();
        }
        const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        context->ClearRenderTargetView(target, black);
        context->OMSetRenderTargets(1, &target, nullptr);
        geometry.clear();
        instance.appendGeometry(geometry);
        // The effect's origin a fifth of the height above the bottom, one unit a pixel.
        renderer->draw(context, geometry,
                       pelmora::d3d11::View{0.0f, 0.3f * height, 1.0f, static_cast<int>(width),
                                            static_cast<int>(height)});
        swapChain->Present(1, 0);
    }
    return 0;
}
