// runtime_player [EFFECT.kwfx] [--autoclose]: plays an effect (default campfire.kwfx) with GDI, no toolkit.
#include <pelmora/Runtime.h>

#include <windows.h>

#include <string>

static pelmora::Instance* playing = nullptr;
static DWORD lastTick = 0;

static void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(window, &ps);
    RECT area;
    GetClientRect(window, &area);
    // Drawn off screen, then copied in one go, so the window does not flicker.
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SelectObject(dc, GetStockObject(NULL_PEN));
    // Effect units are pixels, y upwards; GDI has no blending, so opacity darkens towards the black.
    for (const pelmora::Particle& p : playing->particles()) {
        const int x = area.right / 2 + static_cast<int>(p.x);
        const int y = area.bottom * 4 / 5 - static_cast<int>(p.y);
        const int r = static_cast<int>(p.size / 2) + 1;
        SetDCBrushColor(dc, RGB(p.r * p.a / 255, p.g * p.a / 255, p.b * p.a / 255));
        Ellipse(dc, x - r, y - r, x + r, y + r);
    }
    BitBlt(screen, 0, 0, area.right, area.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(window, &ps);
}

static LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER: {
        if (wParam == 2) { // --autoclose: the build's smoke test ends the window after two seconds
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        const DWORD now = GetTickCount();
        playing->update((now - lastTick) / 1000.0);
        lastTick = now;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    // The command line: an optional effect file, in quotes when its path has spaces, and the flag.
    std::string path = commandLine;
    const bool autoclose = path.find("--autoclose") != std::string::npos;
    path = path.substr(0, path.find("--autoclose"));
    while (!path.empty() && (path.back() == ' ' || path.back() == '"')) {
        path.pop_back();
    }
    path = path.substr(!path.empty() && path[0] == '"' ? 1 : 0);
    const pelmora::LoadResult effect = pelmora::Effect::load(path.empty() ? "campfire.kwfx" : path);
    if (!effect) {
        MessageBoxA(nullptr, effect.error().c_str(), "runtime_player", MB_OK | MB_ICONERROR);
        return 1;
    }
    pelmora::Instance player(*effect, 1);
    playing = &player;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "PelmoraPlayer";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("PelmoraPlayer", "Pelmora runtime player", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 480, 400, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    lastTick = GetTickCount();
    SetTimer(window, 1, 16, nullptr);
    if (autoclose)
        SetTimer(window, 2, 2000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    return 0;
}
