// s::image::gif::EncodeSetting -- the parameters of the GIF writer: whether
// transparency is kept, the background colour used otherwise (and painted
// under transparent pixels), and the colour-table size in bits (frames are
// 8-bit, with at most 2^bitCount - 1 colours). encode() makes a one-frame GIF
// from an image (its filtered result when it has filters); encodeSet() makes
// an animation from an animated set of several members, otherwise a one-frame
// GIF from the set's largest member.
#pragma once

#include <cstdint>

#include "formats/IEncodeSetting.h"
#include "foundation/EasyPooler.h"

namespace s::image::gif {

class EncodeSetting final : public s::image::IEncodeSetting {
    TARVEX_POOLED(EncodeSetting, "s_image_gif_EncodeSetting")
public:
    EncodeSetting() = default;
    void reset() override {
        keepTransparency = 1;
        backgroundRed = backgroundGreen = backgroundBlue = 255;
        bitCount = 8;
    }

    s::thread::Pooled<s::image::IEncodedImage> encode(s::image::win::BufferedImage& image) override;
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;

    std::uint8_t keepTransparency = 1;
    std::uint8_t backgroundRed = 255;
    std::uint8_t backgroundGreen = 255;
    std::uint8_t backgroundBlue = 255;
    std::int32_t bitCount = 8;

private:
    // encodeSet without the guard against running out of memory.
    s::thread::Pooled<s::image::IEncodedImage> encodeAnimation(
        s::image::win::BufferedImageSet& set);
};

}  // namespace s::image::gif
