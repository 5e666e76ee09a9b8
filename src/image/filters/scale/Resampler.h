// The separable two-pass resampler (width first, then height) with
// contribution tables in 16.16 fixed point. Results are exact integer
// arithmetic, so every implementation of the passes gives the same bytes.
//
// Both passes walk rows in memory order, starting at the bottom logical row:
// vertical positions are measured from the image's bottom edge, horizontal
// ones from its left edge. A dimension that does not change is copied. The
// passes run in the widest integer vectors the processor has (chosen at run
// time), falling back to narrower or plain forms for tables a form cannot
// compute exactly.
// Every thread has its own temporary buffer and cached tables, so threads
// resample in parallel; the kernels' default instances are read-only.
#pragma once

#include <cstdint>

#include "image/BufferedImage.h"
#include "image/filters/scale/IScaleFilter.h"
#include "image/filters/scale/ScaleFilter.h"

namespace s::image::filters::scale {

class Resampler {
public:
    // Scales source into destination (set to 0 x 0, grown with
    // reserveGrowing to w x h and set to that size), copying hasAlpha.
    // False when the destination's memory cannot be had, the size is beyond
    // ImageLimits, the source has no pixels or is the destination itself.
    static bool resample(Kernel kernel, const s::image::win::BufferedImage& source, std::int32_t w,
                         std::int32_t h, s::image::win::BufferedImage& destination);
    // The same into a new pooled image (null on failure).
    static s::thread::Pooled<s::image::win::BufferedImage> resample(
        Kernel kernel, const s::image::win::BufferedImage& source, std::int32_t w, std::int32_t h);
    // The same with any kernel object.
    static bool resampleWith(const IScaleFilter& kernel, const s::image::win::BufferedImage& source,
                             std::int32_t w, std::int32_t h,
                             s::image::win::BufferedImage& destination);

    // The process-wide default instance of a kernel kind (1..5); any other
    // value gives the bilinear kernel.
    static const IScaleFilter& defaultKernel(std::int32_t kind);

    // The forms of the passes: plain integer arithmetic, 128-bit vectors
    // (SSE2) and 256-bit vectors (AVX2, where the processor has them). All
    // give the same bytes; the widest available runs unless a test asks for
    // another to compare them.
    enum class Passes { Plain, Vector, Wide };
    // Makes the widest form up to `wanted` that this build and processor
    // have the one in use, and returns it.
    static Passes usePasses(Passes wanted);
};

}  // namespace s::image::filters::scale
