#ifndef KW_PAINT_PROBE_H
#define KW_PAINT_PROBE_H

// Header-only helpers for tests of custom-drawn gadgets: GDI object counting, colour comparison and
// real mouse input.
#include "TestSupport.h"

#include <cstdint>
#include <cstdlib>

namespace kwtest {

// Live GDI objects of this process. GetGuiResources when the platform reports it; otherwise the handle
// table is probed: every 16-bit handle value is asked for its object type (a handle whose upper word is
// zero names its table slot whatever its generation), so each live object counts once per probe.
inline unsigned long gdiObjectCount() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) {
        return reported;
    }
    unsigned long count = 0;
    for (uintptr_t value = 1; value <= 0xFFFF; ++value) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) {
            ++count;
        }
    }
    return count;
}

// Allocated blocks in all of the process's heaps. GDI+ keeps its objects (brushes, pens, bitmaps,
// graphics) in the process heap and holds no GDI handle for most of them, so this is how a GDI+ object
// left behind by a paint shows.
inline unsigned long heapBlockCount() {
    HANDLE heaps[256];
    const DWORD found = GetProcessHeaps(256, heaps);
    unsigned long busy = 0;
    for (DWORD i = 0; i < found && i < 256; ++i) {
        if (!HeapLock(heaps[i])) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                ++busy;
            }
        }
        HeapUnlock(heaps[i]);
    }
    return busy;
}

inline bool colorNear(COLORREF actual, int r, int g, int b, int tolerance = 1) {
    return std::abs(GetRValue(actual) - r) <= tolerance && std::abs(GetGValue(actual) - g) <= tolerance &&
           std::abs(GetBValue(actual) - b) <= tolerance;
}

inline std::string describe(COLORREF color) {
    return "(" + std::to_string(GetRValue(color)) + ", " + std::to_string(GetGValue(color)) + ", " +
           std::to_string(GetBValue(color)) + ")";
}

// Moves the real mouse over a client point of a window and lets the window see the move.
inline void moveMouseTo(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    pumpMessages();
}

// Presses or releases mouse buttons as real input (flags: MOUSEEVENTF_LEFTDOWN and the like).
inline void mouseInput(DWORD flags, DWORD data = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof(input));
    pumpMessages();
}

// Presses and releases a key as real input, to the window with the focus.
inline void pressKey(WORD key) {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = key;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
    pumpMessages();
}

} // namespace kwtest

#endif
