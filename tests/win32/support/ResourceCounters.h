#ifndef KW_RESOURCE_COUNTERS_H
#define KW_RESOURCE_COUNTERS_H

#include <windows.h>

#include <cstddef>

namespace kwtest {

// What a process holds, for leak checks. GDI objects are counted by probing the handle table where the
// platform does not report them; the USER count is zero there. windowCount counts this thread's windows
// and their descendants directly.
struct ResourceCounters {
    DWORD gdiObjects;
    DWORD userObjects;
    size_t windowCount;
    size_t privateBytes;
};

ResourceCounters readResourceCounters();

} // namespace kwtest

#endif
