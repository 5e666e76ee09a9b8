// s::image::ico::BitmapBlock -- the header-less bitmap form of an icon
// image block: a BITMAPINFOHEADER whose height counts the colour rows and
// the AND-mask rows together (twice the image height), the colour table, the
// colour rows bottom-up, then the 1-bit mask rows bottom-up.
//
// The colour part goes through the BMP codec's header-less reader and
// writer. Reading is for untrusted blocks: only bottom-up, uncompressed or
// bit-field blocks are taken, and only when the header, colour table and
// every colour row lie inside the block, so the pixel memory a block can
// ask for is bounded by the block's own length. A mask cut short (common in
// 32-bit icons, which do not need it) leaves its missing rows opaque.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/bmp/Bitmap.h"
#include "formats/ico/IconMask.h"

namespace s::image::ico {

class BitmapBlock {
public:
    // Parses the block into colour and mask. False (both left empty) when
    // the block is not a usable icon bitmap. The block's bytes are restored
    // before returning.
    static bool read(std::vector<std::uint8_t>& block, s::image::bmp::win::Bitmap& colour,
                     IconMask& mask);
    // Serialises colour and mask into `out`, the header's height doubled.
    static bool write(s::image::bmp::win::Bitmap& colour, const IconMask& mask,
                      std::vector<std::uint8_t>& out);
};

}  // namespace s::image::ico
