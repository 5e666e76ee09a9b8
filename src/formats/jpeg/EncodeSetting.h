// s::image::jpg::EncodeSetting -- the parameters of one JPEG encoding
// (quality and the background that transparency is composited onto), and
// the encoding itself. Pooled; reset to quality 75 on white.
#pragma once

#include <cstdint>

#include "formats/IEncodeSetting.h"
#include "foundation/EasyPooler.h"

namespace s::image::jpg {

class EncodeSetting final : public s::image::IEncodeSetting {
    TARVEX_POOLED(EncodeSetting, "s_image_jpg_EncodeSetting")
public:
    EncodeSetting() = default;
    void reset() override;

    int quality = 75;
    std::uint8_t red = 255;
    std::uint8_t green = 255;
    std::uint8_t blue = 255;

    // A new Jpeg holding the image (its filtered result when it has filters)
    // with these values; null when there is nothing to encode.
    s::thread::Pooled<s::image::IEncodedImage> encode(s::image::win::BufferedImage& image) override;
    // encode() of the set's largest member, carrying the set's colour profile.
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;
};

}  // namespace s::image::jpg
