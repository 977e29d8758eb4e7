#include "GdiObjectCounter.h"

#include <cstring>
#include <set>
#include <vector>

namespace kwtest {

namespace {

struct Redirection {
    void** slot;
    void* original;
};

std::vector<Redirection>& redirections() {
    static std::vector<Redirection> list;
    return list;
}

std::set<HGDIOBJ>& liveObjects() {
    static std::set<HGDIOBJ> objects;
    return objects;
}

size_t createdCount = 0;

template <typename Function> Function originalOf(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("gdi32.dll"), name)));
}

HGDIOBJ remember(HGDIOBJ object) {
    if (object) {
        liveObjects().insert(object);
        ++createdCount;
    }
    return object;
}

HPEN WINAPI countingCreatePen(int style, int width, COLORREF color) {
    static auto original = originalOf<HPEN(WINAPI*)(int, int, COLORREF)>("CreatePen");
    return static_cast<HPEN>(remember(original(style, width, color)));
}

HBRUSH WINAPI countingCreateSolidBrush(COLORREF color) {
    static auto original = originalOf<HBRUSH(WINAPI*)(COLORREF)>("CreateSolidBrush");
    return static_cast<HBRUSH>(remember(original(color)));
}

HPEN WINAPI countingCreatePenIndirect(const LOGPEN* pen) {
    static auto original = originalOf<HPEN(WINAPI*)(const LOGPEN*)>("CreatePenIndirect");
    return static_cast<HPEN>(remember(original(pen)));
}

HBRUSH WINAPI countingCreateBrushIndirect(const LOGBRUSH* brush) {
    static auto original = originalOf<HBRUSH(WINAPI*)(const LOGBRUSH*)>("CreateBrushIndirect");
    return static_cast<HBRUSH>(remember(original(brush)));
}

HFONT WINAPI countingCreateFontIndirectA(const LOGFONTA* font) {
    static auto original = originalOf<HFONT(WINAPI*)(const LOGFONTA*)>("CreateFontIndirectA");
    return static_cast<HFONT>(remember(original(font)));
}

HRGN WINAPI countingCreateRectRgn(int left, int top, int right, int bottom) {
    static auto original = originalOf<HRGN(WINAPI*)(int, int, int, int)>("CreateRectRgn");
    return static_cast<HRGN>(remember(original(left, top, right, bottom)));
}

HBITMAP WINAPI countingCreateCompatibleBitmap(HDC hdc, int width, int height) {
    static auto original = originalOf<HBITMAP(WINAPI*)(HDC, int, int)>("CreateCompatibleBitmap");
    return static_cast<HBITMAP>(remember(original(hdc, width, height)));
}

BOOL WINAPI countingDeleteObject(HGDIOBJ object) {
    static auto original = originalOf<BOOL(WINAPI*)(HGDIOBJ)>("DeleteObject");
    const BOOL deleted = original(object);
    if (deleted) {
        liveObjects().erase(object);
    }
    return deleted;
}

struct Wrapper {
    const char* name;
    void* function;
};

const Wrapper kWrappers[] = {
    {"CreatePen", reinterpret_cast<void*>(&countingCreatePen)},
    {"CreateSolidBrush", reinterpret_cast<void*>(&countingCreateSolidBrush)},
    {"CreatePenIndirect", reinterpret_cast<void*>(&countingCreatePenIndirect)},
    {"CreateBrushIndirect", reinterpret_cast<void*>(&countingCreateBrushIndirect)},
    {"CreateFontIndirectA", reinterpret_cast<void*>(&countingCreateFontIndirectA)},
    {"CreateRectRgn", reinterpret_cast<void*>(&countingCreateRectRgn)},
    {"CreateCompatibleBitmap", reinterpret_cast<void*>(&countingCreateCompatibleBitmap)},
    {"DeleteObject", reinterpret_cast<void*>(&countingDeleteObject)},
};

void writeSlot(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), protection, &protection);
}

bool hasRedirected(const char* name) {
    void* address = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("gdi32.dll"), name));
    for (const Redirection& r : redirections()) {
        if (r.original == address) {
            return true;
        }
    }
    return false;
}

} // namespace

GdiObjectCounter::GdiObjectCounter(const char* moduleName) {
    liveObjects().clear();
    createdCount = 0;
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(moduleName));
    HMODULE gdi = GetModuleHandleA("gdi32.dll");
    if (!base || !gdi) {
        return;
    }
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) {
        return;
    }
    for (const IMAGE_IMPORT_DESCRIPTOR* library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name; ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "gdi32.dll") != 0) {
            continue;
        }
        // The bound addresses are compared with gdi32's exports, so no import-name table is needed.
        for (IMAGE_THUNK_DATA* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
             thunk->u1.Function; ++thunk) {
            void** slot = reinterpret_cast<void**>(&thunk->u1.Function);
            for (const Wrapper& wrapper : kWrappers) {
                void* target = reinterpret_cast<void*>(GetProcAddress(gdi, wrapper.name));
                if (target && *slot == target) {
                    redirections().push_back({slot, target});
                    writeSlot(slot, wrapper.function);
                }
            }
        }
    }
}

GdiObjectCounter::~GdiObjectCounter() {
    for (const Redirection& r : redirections()) {
        writeSlot(r.slot, r.original);
    }
    redirections().clear();
}

bool GdiObjectCounter::isHooked() const {
    return hasRedirected("CreatePen") && hasRedirected("CreateSolidBrush") && hasRedirected("DeleteObject");
}

size_t GdiObjectCounter::created() const {
    return createdCount;
}

size_t GdiObjectCounter::alive() const {
    return liveObjects().size();
}

DWORD processGdiObjects() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

} // namespace kwtest
