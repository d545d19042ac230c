// Shared by the fuzz targets: a check that stops the run, a stream over the input bytes, and the
// test doubles of the platform (a main window on the virtual unit, fake dialogs).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <streambuf>

#include "core/harness.h"
#include "params/sanitize.h"

// An invariant broken: libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(cond)                                                                       \
    do {                                                                                       \
        if (!(cond)) {                                                                         \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// The input bytes as a read-only stream, without a copy.
class TBytesBuf : public std::streambuf {
  public:
    TBytesBuf(const uint8_t* data, size_t size) {
        char* p = reinterpret_cast<char*>(const_cast<uint8_t*>(data));
        setg(p, p, p + size);
    }
};

// Whether one pass of sanitizing leaves the image as it is.
inline bool IsSanitized(const TParamImage& image) {
    TParamImage again = image;
    SanitizeImage(again, {nullptr, nullptr, nullptr});
    return again == image;
}
