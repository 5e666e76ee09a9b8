// s::image::gif::IGif -- what a GIF codec offers beyond every encoded image:
// frames made from pixel images, animations made from image sets, and the
// animation's loop count.
#pragma once

#include <cstdint>

#include "formats/IEncodedImage.h"
#include "image/BufferedImage.h"
#include "image/BufferedImageSet.h"

namespace s::image::gif {

class IGif : public s::image::IEncodedImage {
public:
    // Appends one frame made from the image (see GifFrameEncoder).
    virtual bool fromImage(s::image::win::BufferedImage& image, std::int32_t bitCount,
                           bool keepTransparency, std::uint8_t red, std::uint8_t green,
                           std::uint8_t blue, std::uint8_t alphaThreshold) = 0;
    // Appends the frames of an animated set, or one frame made from its
    // largest member when it is not an animation.
    virtual bool fromImageSet(s::image::win::BufferedImageSet& set, std::int32_t bitCount,
                              bool keepTransparency, std::uint8_t red, std::uint8_t green,
                              std::uint8_t blue) = 0;
    // NETSCAPE2.0 loop count: 0 plays for ever.
    virtual std::uint16_t getLoopCount() const = 0;
    virtual bool hasTransparentIndex() const = 0;
};

}  // namespace s::image::gif
