#include "core/DpiFonts.h"

#include "core/logic/DpiScale.h"

#include <map>
#include <mutex>
#include <set>
#include <utility>

namespace KW {
namespace dpi {

namespace {

const char announcedDpiProperty[] = "KW.AnnouncedDpi";

struct FontCache {
    std::mutex lock;
    // (stock object, dpi) -> font made for that DPI; never freed, a handful per process.
    std::map<std::pair<int, int>, HFONT> fonts;
};

FontCache& cache() {
    static FontCache instance;
    return instance;
}

// The top-level windows that were told a DPI: only they can hold the property. Any other window is
// answered without asking the system for a property, which would cost a round trip to the window
// server at every DPI lookup.
struct AnnouncedWindows {
    std::mutex lock;
    std::set<HWND> windows;
};

AnnouncedWindows& announcedWindows() {
    static AnnouncedWindows instance;
    return instance;
}

bool mayHoldAnnouncement(HWND topLevel) {
    AnnouncedWindows& announced = announcedWindows();
    std::lock_guard<std::mutex> guard(announced.lock);
    return announced.windows.count(topLevel) != 0;
}

int readScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : baseDpi;
}

int platformDpi(HWND window) {
    // Looked up by name: older platforms have no per-window DPI.
    typedef UINT(WINAPI * DpiForWindow)(HWND);
    static const DpiForWindow dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (window && dpiForWindow) {
        const UINT dpi = dpiForWindow(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return ofScreen();
}

// The face the system gives a kind of platform control, as the screen's DPI sizes it.
LOGFONTA platformFace(int kind) {
    LOGFONTA face = {};
    if (kind == iconTitleFontId && SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(face), &face, 0)) {
        return face;
    }
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (kind == statusFontId &&
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return metrics.lfStatusFont;
    }
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(face), &face);
    return face;
}

} // namespace

int ofScreen() {
    // The system DPI stays what it was at the start of the process (Wine, too, reads a new LogPixels only
    // when a process starts): asked once, not at every font and paint.
    static const int screenDpi = readScreenDpi();
    return screenDpi;
}

int ofWindow(HWND window) {
    if (window) {
        HWND topLevel = GetAncestor(window, GA_ROOT);
        HWND holder = topLevel ? topLevel : window;
        if (mayHoldAnnouncement(holder)) {
            const int announced =
                static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(holder, announcedDpiProperty)));
            if (announced > 0) {
                return announced;
            }
        }
    }
    return platformDpi(window);
}

void announce(HWND topLevel, int dpi) {
    if (topLevel && dpi > 0) {
        {
            AnnouncedWindows& announced = announcedWindows();
            std::lock_guard<std::mutex> guard(announced.lock);
            announced.windows.insert(topLevel);
        }
        SetPropA(topLevel, announcedDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
    }
}

void forgetAnnounced(HWND topLevel) {
    if (mayHoldAnnouncement(topLevel)) {
        RemovePropA(topLevel, announcedDpiProperty);
        AnnouncedWindows& announced = announcedWindows();
        std::lock_guard<std::mutex> guard(announced.lock);
        announced.windows.erase(topLevel);
    }
}

HFONT platformFont(int kind, int dpi) {
    const int screenDpi = ofScreen();
    dpi = dpi > 0 ? dpi : screenDpi;
    FontCache& fonts = cache();
    std::lock_guard<std::mutex> guard(fonts.lock);
    HFONT& font = fonts.fonts[std::make_pair(kind, dpi)];
    if (!font) {
        LOGFONTA face = platformFace(kind);
        face.lfHeight = MulDiv(face.lfHeight, dpi, screenDpi);
        face.lfWidth = MulDiv(face.lfWidth, dpi, screenDpi);
        font = CreateFontIndirectA(&face);
    }
    return font;
}

// The font of source's description with its size scaled from fromDpi to dpi, made once and kept under
// key; source itself when it cannot be made.
static HFONT scaledCopy(HFONT source, int key, int dpi, int fromDpi) {
    FontCache& fonts = cache();
    std::lock_guard<std::mutex> guard(fonts.lock);
    HFONT& font = fonts.fonts[std::make_pair(key, dpi)];
    if (!font) {
        LOGFONTA face = {};
        GetObjectA(source, sizeof(face), &face);
        face.lfHeight = MulDiv(face.lfHeight, dpi, fromDpi);
        face.lfWidth = MulDiv(face.lfWidth, dpi, fromDpi);
        font = CreateFontIndirectA(&face);
    }
    return font ? font : source;
}

HFONT stockFont(int stockObject, int dpi) {
    if (stockObject == iconTitleFontId || stockObject == statusFontId) {
        return platformFont(stockObject, dpi);
    }
    HFONT stock = static_cast<HFONT>(GetStockObject(stockObject));
    const int screenDpi = ofScreen();
    if (dpi <= 0 || dpi == screenDpi || !stock) {
        return stock;
    }
    return scaledCopy(stock, stockObject, dpi, screenDpi);
}

HFONT guiFont(int dpi) {
    return stockFont(DEFAULT_GUI_FONT, dpi);
}

HFONT titleFont(int dpi) {
    HFONT stock = static_cast<HFONT>(GetStockObject(DEVICE_DEFAULT_FONT));
    dpi = dpi > 0 ? dpi : ofScreen();
    if (dpi == baseDpi || !stock) {
        return stock;
    }
    // Not a stock object id: the title font is never a window's font, so DPI swaps need not know it.
    constexpr int titleFontKey = 0x1002;
    return scaledCopy(stock, titleFontKey, dpi, baseDpi);
}

int stockObjectOf(HGDIOBJ font) {
    if (!font) {
        return -1;
    }
    for (int stockObject : {DEFAULT_GUI_FONT, DEVICE_DEFAULT_FONT}) {
        if (font == GetStockObject(stockObject)) {
            return stockObject;
        }
    }
    FontCache& fonts = cache();
    std::lock_guard<std::mutex> guard(fonts.lock);
    for (const auto& entry : fonts.fonts) {
        if (entry.second == font) {
            return entry.first.first;
        }
    }
    return -1;
}

} // namespace dpi
} // namespace KW
