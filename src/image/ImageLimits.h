// The largest image Tarvex will hold in memory.
//
// Every reader refuses files whose declared size exceeds these bounds before
// allocating anything, and every allocation of pixel memory checks them, so an
// absurd header can never drive an allocation. 128 megapixels (512 MiB of
// 32-bit pixels) covers any camera or scanner image while keeping a batch's
// peak memory bounded on an ordinary desktop.
#pragma once

#include <cstdint>

namespace s::image {

// Fuzzing builds compile a smaller pixel bound (TARVEX_MAX_PIXELS) so that a
// mutated header declaring a huge image costs milliseconds instead of seconds;
// the side bound and every check stay the same. All other builds use 128 Mpx.
#ifndef TARVEX_MAX_PIXELS
#define TARVEX_MAX_PIXELS (std::int64_t{128} * 1024 * 1024)
#endif

struct ImageLimits {
    static constexpr std::int32_t kMaxSide = 65535;
    static constexpr std::int64_t kMaxPixels = TARVEX_MAX_PIXELS;

    // True when w x h is a size pixel memory may be created for (both sides >= 1).
    static constexpr bool fits(std::int64_t w, std::int64_t h) {
        return w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
    }
};

}  // namespace s::image
