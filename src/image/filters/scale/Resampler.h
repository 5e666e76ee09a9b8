// The separable two-pass resampler (width first, then height) with
// contribution tables in 16.16 fixed point. Results are exact integer
// arithmetic, so every implementation of the passes gives the same bytes.
//
// Both passes walk rows in memory order, starting at the bottom logical row:
// vertical positions are measured from the image's bottom edge, horizontal
// ones from its left edge. A dimension that does not change is copied.
// Resampling is serialised across threads by one lock around the shared
// temporary buffer; the kernels' default instances are read-only.
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
};

}  // namespace s::image::filters::scale
