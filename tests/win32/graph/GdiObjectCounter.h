#ifndef KW_TEST_GDI_OBJECT_COUNTER_H
#define KW_TEST_GDI_OBJECT_COUNTER_H

#include <windows.h>

#include <cstddef>

namespace kwtest {

// Counts the GDI objects that one module creates and deletes, by redirecting that module's imports
// of the gdi32 creation functions and DeleteObject to counting wrappers. Used where the platform's
// own per-process count (GetGuiResources) is not reported.
class GdiObjectCounter {
public:
    explicit GdiObjectCounter(const char* moduleName);
    ~GdiObjectCounter();

    // Whether at least the pen and brush creation and DeleteObject could be redirected.
    bool isHooked() const;
    // Objects created through the module since the counter started, and those among them still alive.
    size_t created() const;
    size_t alive() const;

private:
    GdiObjectCounter(const GdiObjectCounter&) = delete;
    GdiObjectCounter& operator=(const GdiObjectCounter&) = delete;
};

// GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), or 0 where the platform does not report it.
DWORD processGdiObjects();

} // namespace kwtest

#endif
