#ifndef KW_FUZZ_REQUIRE_H
#define KW_FUZZ_REQUIRE_H

// A broken promise stops the fuzzer at once, with the input that broke it.
inline void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

#endif
