// s::image::gif::win::GifFrameEncoder -- makes one GIF frame from a pixel
// image.
//
// The frame always holds 8-bit indices and a 256-entry table, but only the
// first 2^bitCount - 1 entries carry colours, built by the colour quantizer
// from the image's opaque pixels; entry 2^bitCount - 1 is kept for
// transparency. With keepTransparency, pixels whose alpha is below the
// threshold become transparent (that entry) and all others opaque; without
// it the image is first composited onto the background colour. The source
// image is never changed.
#pragma once

#include <cstdint>

#include "formats/gif/GifFrame.h"
#include "foundation/EasyPooler.h"
#include "image/BufferedImage.h"

namespace s::image::gif::win {

class GifFrameEncoder {
public:
    static constexpr std::uint8_t kAlphaThreshold = 96;

    // bitCount is taken into 1..8. Null when the image is empty or memory
    // cannot be had. The frame has delay 0, disposal 0 and offset (0, 0).
    static s::thread::Pooled<GifFrame> encode(const s::image::win::BufferedImage& image,
                                              std::int32_t bitCount, bool keepTransparency,
                                              std::uint8_t red, std::uint8_t green,
                                              std::uint8_t blue, std::uint8_t alphaThreshold);

private:
    // The image the palette is built from: a thresholded copy, a copy
    // composited onto the background, or null for the image itself.
    static bool prepare(const s::image::win::BufferedImage& image, bool keepTransparency,
                        std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                        std::uint8_t alphaThreshold,
                        s::thread::Pooled<s::image::win::BufferedImage>& prepared);
    static bool quantize(const s::image::win::BufferedImage& image, std::int32_t colours,
                         GifFrame& frame);
};

}  // namespace s::image::gif::win
