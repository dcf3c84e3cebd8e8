#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property stops the fuzzer on the spot: libFuzzer keeps the input that did it, and
// the message says which property it was.
#define FUZZ_REQUIRE(condition, ...)                                                               \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "\nproperty failed at %s:%d: %s\n", __FILE__, __LINE__,           \
                         #condition);                                                              \
            std::fprintf(stderr, __VA_ARGS__);                                                     \
            std::fprintf(stderr, "\n");                                                            \
            __builtin_trap();                                                                      \
        }                                                                                          \
    } while (false)
