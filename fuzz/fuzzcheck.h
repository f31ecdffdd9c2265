#pragma once

#include <cstdio>
#include <cstdlib>

// A property the code under test must keep. A violation aborts, so libFuzzer keeps the
// input as a crash; asserts would vanish in an optimised build.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
