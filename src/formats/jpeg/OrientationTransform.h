// s::image::jpg::win::OrientationTransform -- turns a decoded picture
// upright according to its EXIF orientation (1..8), with the pixel image's
// own rotate, mirror and flip operations.
//
// Orientation n says how the stored picture relates to the upright one
// (TIFF/EXIF tag 0x0112): 2 mirrored, 3 turned half round, 4 flipped,
// 5 transposed, 6 needing a quarter turn clockwise, 7 transversed, 8 needing
// a quarter turn counter-clockwise. Sizes swap for 5 to 8.
#pragma once

#include "foundation/EasyPooler.h"
#include "image/BufferedImage.h"

namespace s::image::jpg::win {

class OrientationTransform {
public:
    // The upright picture: the image itself for 1 (or an unknown value),
    // otherwise a new image, the old one released. Null when memory for the
    // turned picture cannot be had.
    static s::thread::Pooled<s::image::win::BufferedImage> upright(
        s::thread::Pooled<s::image::win::BufferedImage> image, int orientation);
};

}  // namespace s::image::jpg::win
