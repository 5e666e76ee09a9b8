// s::image::ico::PngBlock -- PNG-compressed icon image blocks, read and
// written through the PNG codec.
//
// Before a block is handed to the PNG reader its header is checked against
// the block's length: a PNG stream cannot expand by more than deflate's
// limit of 1032 to 1, so a header that names more pixel data than the block
// could hold is refused before any pixel memory is asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/EasyPooler.h"
#include "image/BufferedImage.h"

namespace s::image::ico {

class PngBlock {
public:
    // True for a block longer than 7 bytes that starts with the PNG signature.
    static bool isPng(const std::vector<std::uint8_t>& block);
    // False when the header's size is beyond ImageLimits or its pixel data
    // cannot fit in the block.
    static bool isPlausible(const std::vector<std::uint8_t>& block);
    // The decoded picture, or null when the block does not decode.
    static s::thread::Pooled<s::image::win::BufferedImage> decode(
        const std::vector<std::uint8_t>& block);
    // The image as a non-interlaced RGBA PNG stream, transparency kept.
    static bool encode(s::image::win::BufferedImage& image, std::vector<std::uint8_t>& out);
};

}  // namespace s::image::ico
