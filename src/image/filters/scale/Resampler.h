// The separable two-pass resampler (width first, then height) with
// contribution tables in 16.16 fixed point. Results are exact integer
// arithmetic, so every implementation of the passes gives the same bytes.
#pragma once

#include <cstdint>

#include "image/BufferedImage.h"
#include "image/filters/scale/ScaleFilter.h"

namespace s::image::filters::scale {

class Resampler {
public:
    // Scales source into destination (set to 0 x 0, grown with
    // reserveGrowing to w x h and set to that size), copying hasAlpha.
    // False when the destination's memory cannot be had.
    static bool resample(Kernel kernel, const s::image::win::BufferedImage& source, std::int32_t w,
                         std::int32_t h, s::image::win::BufferedImage& destination);
    // The same into a new pooled image (null on failure).
    static s::thread::Pooled<s::image::win::BufferedImage> resample(
        Kernel kernel, const s::image::win::BufferedImage& source, std::int32_t w, std::int32_t h);
};

}  // namespace s::image::filters::scale
