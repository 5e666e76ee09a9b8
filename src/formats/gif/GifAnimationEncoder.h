// s::image::gif::win::GifAnimationEncoder -- turns the members of an
// animated image set (whole pictures, one per frame) into GIF frames.
//
// The first frame is the first member as it is. Every later member is
// composited over the picture so far, and only what changed is kept: pixels
// equal to the picture so far become transparent, and the frame is shown
// with disposal 1 (left in place), so unchanged areas compress to almost
// nothing. Every frame therefore has the first member's size. Delays come
// from the members' value2.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/gif/GifFrame.h"
#include "foundation/EasyPooler.h"
#include "image/BufferedImageSet.h"

namespace s::image::gif::win {

class GifAnimationEncoder {
public:
    using Frames = std::vector<s::thread::Pooled<GifFrame>>;

    // Appends one frame per member of `set` (which must have at least one
    // member), encoding each member's filtered result when it has filters.
    // False when memory runs out or a filter fails; frames appended so far
    // stay.
    static bool encode(s::image::win::BufferedImageSet& set, std::int32_t bitCount,
                       bool keepTransparency, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue, Frames& frames);

private:
    // Makes transparent every pixel that shows the same as in `previous`
    // (same colour, and both opaque or both see-through). A pixel that turns
    // from see-through to opaque is kept even when its colour bytes match.
    static void keyUnchanged(s::image::win::BufferedImage& picture,
                             const s::image::win::BufferedImage& previous);
    // The disposal written for the first frame: the member's own when it
    // leaves the frame in place, otherwise 1, because every later frame only
    // holds the differences to it.
    static std::int32_t firstDisposal(std::int32_t value3);
};

}  // namespace s::image::gif::win
