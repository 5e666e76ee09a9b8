// s::image::bmp::EncodeSetting -- the parameters of the BMP writer: whether
// alpha is kept (32-bit output only), the background colour that transparent
// pixels are composited onto otherwise, and the bit count of the output.
// encode() builds a new Bitmap from an image (its filtered result when it
// has filters) with these values; encodeSet() does the same with the set's
// largest member.
#pragma once

#include <cstdint>

#include "formats/IEncodeSetting.h"
#include "foundation/EasyPooler.h"

namespace s::image::bmp {

class EncodeSetting final : public s::image::IEncodeSetting {
    TARVEX_POOLED(EncodeSetting, "s_image_bmp_EncodeSetting")
public:
    EncodeSetting() = default;
    void reset() override {
        keepTransparency = 1;
        backgroundRed = backgroundGreen = backgroundBlue = 255;
        bitCount = 24;
    }

    s::thread::Pooled<s::image::IEncodedImage> encode(s::image::win::BufferedImage& image) override;
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;

    std::uint8_t keepTransparency = 1;
    std::int32_t backgroundRed = 255;
    std::int32_t backgroundGreen = 255;
    std::int32_t backgroundBlue = 255;
    std::int32_t bitCount = 24;
};

}  // namespace s::image::bmp
