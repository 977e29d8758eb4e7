// What the window benchmarks share: running the thread's queued messages and reading the thread's own
// processor time.
#ifndef KW_BENCH_WINDOW_BENCH_H
#define KW_BENCH_WINDOW_BENCH_H

#include <windows.h>

#include <chrono>

namespace bench {

// Dispatches every message waiting in the thread's queue.
inline void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The processor time this thread has used, in milliseconds: unlike the clock's time, it does not grow
// while other programs have the processor (the window server's share is not in it).
inline double threadCpuMilliseconds() {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user)) {
        return 0;
    }
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

// Milliseconds on the clock since start.
inline double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace bench

#endif
