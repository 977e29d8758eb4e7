#ifndef KW_BENCH_SUPPORT_H
#define KW_BENCH_SUPPORT_H

// What the window-free benchmarks share: their clock.
#include <chrono>

namespace bench {

typedef std::chrono::steady_clock Clock;

inline double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace bench

#endif
