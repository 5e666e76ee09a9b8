// s::image::png::EncodeSetting -- the parameters of one PNG encoding
// (keep transparency, interlace, the background used when transparency is
// not kept) and the encoding itself. Pooled; reset to keep transparency,
// interlaced, white.
#pragma once

#include <cstdint>

#include "formats/IEncodeSetting.h"
#include "foundation/EasyPooler.h"

namespace s::image::png {

class EncodeSetting final : public s::image::IEncodeSetting {
    TARVEX_POOLED(EncodeSetting, "s_image_png_EncodeSetting")
public:
    EncodeSetting() = default;
    void reset() override;

    bool keepTransparency = true;
    bool withInterlace = true;
    std::uint8_t red = 255;
    std::uint8_t green = 255;
    std::uint8_t blue = 255;

    // A new Png holding the image (its filtered result when it has filters)
    // with these values; null when there is nothing to encode.
    s::thread::Pooled<s::image::IEncodedImage> encode(s::image::win::BufferedImage& image) override;
    // encode() of the set's largest member, carrying the set's colour chunks.
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;
};

}  // namespace s::image::png
