#include "ResourceCounters.h"

#include "PaintProbe.h"

#include <psapi.h>

namespace kwtest {

namespace {

BOOL CALLBACK countChild(HWND, LPARAM data) {
    ++*reinterpret_cast<size_t*>(data);
    return TRUE;
}

BOOL CALLBACK countWindow(HWND window, LPARAM data) {
    ++*reinterpret_cast<size_t*>(data);
    EnumChildWindows(window, countChild, data);
    return TRUE;
}

} // namespace

ResourceCounters readResourceCounters() {
    ResourceCounters counters = {};
    counters.gdiObjects = gdiObjectCount();
    counters.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&counters.windowCount));
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory))) {
        counters.privateBytes = memory.PrivateUsage;
    }
    return counters;
}

} // namespace kwtest
